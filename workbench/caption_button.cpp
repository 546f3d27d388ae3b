#include "workbench/caption_button.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <qdrawutil.h>

namespace workbench {
namespace {

// The bevel is two pixels on every side. Sideways the caption keeps clear of it; up and down
// it may touch it, since a line's descent is mostly empty.
constexpr int kBevel = 2;

QRect captionArea(const QSize& size) {
    return QRect(QPoint(), size).adjusted(kBevel, kBevel - 1, -kBevel, -kBevel + 1);
}

// The most lines that fit the height when lines close up to the font's ascent.
int maxLines(const QFontMetrics& metrics, int height) {
    int lines = 1;
    while (lines * metrics.ascent() + metrics.descent() <= height)
        ++lines;
    return std::max(1, lines - 1);
}

int widest(const QStringList& lines, const QFontMetrics& metrics) {
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return width;
}

// The caption wrapped in font, if it fits without squeezing.
bool fitsPlainly(const QString& caption, const QFont& font, const QRect& area, CaptionLayout& layout) {
    const QFontMetrics metrics(font);
    const QStringList lines = wrapWords(caption, metrics, area.width());
    if (lines.size() > maxLines(metrics, area.height()) || widest(lines, metrics) > area.width())
        return false;
    layout.font = font;
    layout.lines = lines;
    layout.squeeze.assign(lines.size(), 1.0);
    return true;
}

// The caption in as many lines as fit, wrapped at the narrowest width that needs no more,
// each line squeezed to the area's width where it is wider.
void squeezeToFit(const QString& caption, const QFont& font, const QRect& area, CaptionLayout& layout) {
    const QFontMetrics metrics(font);
    const int allowed = maxLines(metrics, area.height());
    const int natural = metrics.horizontalAdvance(caption);
    QStringList lines;
    for (int width = area.width(); width <= natural; ++width) {
        lines = wrapWords(caption, metrics, width);
        if (lines.size() <= allowed) break;
    }
    if (lines.isEmpty()) lines << caption.simplified();
    layout.font = font;
    layout.lines = lines;
    layout.squeeze.clear();
    for (const QString& line : lines)
        layout.squeeze.push_back(
            std::min(1.0, double(area.width()) / std::max(1, metrics.horizontalAdvance(line))));
}

} // namespace

QStringList wrapWords(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (line.isEmpty() || metrics.horizontalAdvance(joined) <= width) {
            line = joined;
        } else {
            lines << line;
            line = word;
        }
    }
    if (!line.isEmpty() || lines.isEmpty()) lines << line;
    return lines;
}

CaptionLayout layoutCaption(const QString& caption, const QFont& font, const QSize& size) {
    CaptionLayout layout;
    layout.area = captionArea(size);
    QFont narrow = font;
    narrow.setFamily(QStringLiteral("Liberation Sans Narrow"));
    const bool hasNarrow = font.styleHint() != QFont::Serif;
    if (!fitsPlainly(caption, font, layout.area, layout) &&
        !(hasNarrow && fitsPlainly(caption, narrow, layout.area, layout)))
        squeezeToFit(caption, hasNarrow ? narrow : font, layout.area, layout);

    // Lines follow each other at the font's height, closing up to its ascent where the
    // button is too low for that.
    const QFontMetrics metrics(layout.font);
    const int count = int(layout.lines.size());
    layout.lineStep = metrics.height();
    if (count > 1 && (count - 1) * layout.lineStep + metrics.height() > layout.area.height())
        layout.lineStep = std::max(metrics.ascent(), (layout.area.height() - metrics.height()) / (count - 1));
    return layout;
}

CaptionButton::CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void CaptionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool sunken = isDown() || isChecked();
    qDrawWinButton(&painter, rect(), palette(), sunken, &palette().brush(QPalette::Button));

    const CaptionLayout layout = captionLayout();
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
        // Squeezed lines are drawn into a proportionally wider box and scaled back about the
        // area's centre.
        const double centre = area.center().x() + 0.5;
        painter.save();
        painter.translate(centre, 0);
        painter.scale(squeeze, 1.0);
        const double width = area.width() / squeeze;
        painter.drawText(QRectF(-width / 2, top, width, metrics.height()), Qt::AlignCenter | Qt::TextDontClip,
                         layout.lines[i]);
        painter.restore();
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
