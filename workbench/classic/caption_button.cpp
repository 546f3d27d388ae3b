#include "workbench/classic/caption_button.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <algorithm>

namespace workbench {
namespace {

// The classic button's bevel: an outer and an inner line of light along the top and left
// edges and of shade along the bottom and right ones, swapped when the button is down; the
// rest filled with the button colour. Each line is a one-pixel rectangle, which a raster
// painter fills much faster than it strokes the same lines.
void drawBevel(QPainter& painter, const QRect& rect, const QPalette& palette, bool sunken) {
    const int x = rect.x(), y = rect.y(), w = rect.width(), h = rect.height();
    if (w < 2 || h < 2) return;
    const QColor outerLight = sunken ? palette.shadow().color() : palette.light().color();
    const QColor outerShade = sunken ? palette.light().color() : palette.shadow().color();
    const QColor innerLight = sunken ? palette.dark().color() : palette.button().color();
    const QColor innerShade = sunken ? palette.button().color() : palette.dark().color();
    // Later lines cover the corners of earlier ones.
    painter.fillRect(x, y, 1, h - 1, outerLight);
    painter.fillRect(x, y, w - 1, 1, outerLight);
    painter.fillRect(x, y + h - 1, w, 1, outerShade);
    painter.fillRect(x + w - 1, y, 1, h, outerShade);
    if (w <= 4 || h <= 4) return;
    painter.fillRect(x + 1, y + 1, 1, h - 3, innerLight);
    painter.fillRect(x + 1, y + 1, w - 3, 1, innerLight);
    painter.fillRect(x + 1, y + h - 2, w - 2, 1, innerShade);
    painter.fillRect(x + w - 2, y + 1, 1, h - 2, innerShade);
    painter.fillRect(x + 2, y + 2, w - 4, h - 4, palette.button());
}

} // namespace

CaptionButton::CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

const CaptionLayout& CaptionButton::captionLayout() const {
    if (m_layout.lines.isEmpty() || m_laidOutText != text() || m_laidOutSize != size() ||
        m_laidOutFont != font()) {
        m_layout = layoutCaption(text(), font(), size());
        m_laidOutText = text();
        m_laidOutSize = size();
        m_laidOutFont = font();
    }
    return m_layout;
}

void CaptionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool sunken = isDown() || isChecked();
    drawBevel(painter, rect(), palette(), sunken);

    const CaptionLayout& layout = captionLayout();
    QRect area = layout.area;
    if (sunken) area.translate(1, 1);
    const QFontMetrics metrics(layout.font);
    const int count = int(layout.lines.size());
    const int blockHeight = layout.lineStep * (count - 1) + metrics.height();
    int top = area.top() + (area.height() - blockHeight) / 2;

    painter.setFont(layout.font);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    for (int i = 0; i < count; ++i) {
        const double squeeze = layout.squeeze[std::size_t(i)];
        const QRect line(area.left(), top, area.width(), metrics.height());
        if (squeeze >= 1.0) {
            painter.drawText(line, Qt::AlignCenter | Qt::TextDontClip, layout.lines[i]);
        } else {
            // Drawn into a proportionally wider box and scaled back about the line's centre.
            painter.save();
            painter.translate(line.left() + line.width() / 2.0, 0);
            painter.scale(squeeze, 1.0);
            const double width = line.width() / squeeze;
            painter.drawText(QRectF(-width / 2, top, width, line.height()),
                             Qt::AlignCenter | Qt::TextDontClip, layout.lines[i]);
            painter.restore();
        }
        top += layout.lineStep;
    }

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace workbench
