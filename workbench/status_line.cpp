#include "workbench/status_line.h"

#include <QFontMetrics>

namespace workbench {

StatusLine::StatusLine(QWidget* window, QRect classic) : QLabel(window) {
    setObjectName(QStringLiteral("statusLine"));
    // A sunken panel, as status bars are drawn, with room for one line of the window's font.
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setIndent(4);
    setTextFormat(Qt::PlainText);
    const int height = QFontMetrics(window->font()).height() + 6;
    setGeometry(classic.left(), classic.bottom() + 1, classic.width(), height);
}

void StatusLine::say(const QString& message) {
    m_message = message;
    fit();
}

void StatusLine::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void StatusLine::fit() {
    // The room inside the frame, less the indent at either end.
    const int room = contentsRect().width() - 2 * indent();
    const QString shown = fontMetrics().elidedText(m_message, Qt::ElideMiddle, room);
    setText(shown);
    setToolTip(shown == m_message ? QString() : m_message);
}

} // namespace workbench
