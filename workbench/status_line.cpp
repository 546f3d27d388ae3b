#include "workbench/status_line.h"

#include <QFontMetrics>
#include <QLabel>

namespace workbench {

QLabel* makeStatusLine(QWidget* window, QRect classic) {
    auto* line = new QLabel(window);
    line->setObjectName(QStringLiteral("statusLine"));
    // A sunken panel, as status bars are drawn, with room for one line of the window's font.
    line->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    line->setIndent(4);
    line->setTextFormat(Qt::PlainText);
    const int height = QFontMetrics(window->font()).height() + 6;
    line->setGeometry(classic.left(), classic.bottom() + 1, classic.width(), height);
    return line;
}

} // namespace workbench
