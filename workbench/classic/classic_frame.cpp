#include "workbench/classic/classic_frame.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace workbench {
namespace {

// The caption's text starts this far in from the frame's left edge, in pixels...
constexpr int kCaptionIndent = 8;
// ...and the border line stops this far short of it on either side.
constexpr int kCaptionGap = 2;

} // namespace

ClassicFrame::ClassicFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

QRect ClassicFrame::borderRect() const {
    // The top line runs at half the caption's height.
    return rect().adjusted(0, fontMetrics().height() / 2, 0, 0);
}

QRect ClassicFrame::captionRect() const {
    const QFontMetrics metrics = fontMetrics();
    return QRect(kCaptionIndent, 0, metrics.horizontalAdvance(title()), metrics.height());
}

void ClassicFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Etched: a dark rectangle with a light one just inside and to the right of it.
    qDrawShadeRect(&painter, borderRect(), palette(), true, 1, 0);
    if (title().isEmpty()) return;
    const QRect caption = captionRect();
    painter.fillRect(caption.adjusted(-kCaptionGap, 0, kCaptionGap, 0), palette().brush(backgroundRole()));
    painter.setFont(font());
    style()->drawItemText(&painter, caption, Qt::AlignLeft | Qt::AlignTop, palette(), isEnabled(), title(),
                          QPalette::WindowText);
}

} // namespace workbench
