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

// A caption as the pieces lines may break between. Whole words by default; with splitWords,
// long words also break where a new part starts: "MidSkirt|b008", "Longer|Shirt".
struct Piece {
    QString text;
    bool glued = false; // follows the previous piece without a blank
};

std::vector<Piece> piecesOf(const QString& caption, bool splitWords) {
    std::vector<Piece> pieces;
    for (const QString& word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        qsizetype start = 0;
        for (qsizetype i = 1; splitWords && i + 1 < word.size(); ++i) {
            const bool camel = word[i].isUpper() && word[i - 1].isLower();
            const bool code = word[i].isLower() && word[i - 1].isLetter() && word[i + 1].isDigit();
            if (!camel && !code) continue;
            pieces.push_back({word.mid(start, i - start), start > 0});
            start = i;
        }
        pieces.push_back({word.mid(start), start > 0});
    }
    return pieces;
}

QStringList wrapPieces(const std::vector<Piece>& pieces, const QFontMetrics& metrics, int width) {
    QStringList lines;
    QString line;
    for (const Piece& piece : pieces) {
        const QString joined =
            line.isEmpty() ? piece.text : line + (piece.glued ? QString() : QStringLiteral(" ")) + piece.text;
        if (line.isEmpty() || metrics.horizontalAdvance(joined) <= width) {
            line = joined;
        } else {
            lines << line;
            line = piece.text;
        }
    }
    if (!line.isEmpty() || lines.isEmpty()) lines << line;
    return lines;
}

// The pieces in as many lines as fit, wrapped at the narrowest width that needs no more, each
// line squeezed to the area's width where it is wider.
CaptionLayout squeezed(const std::vector<Piece>& pieces, const QFont& font, const QRect& area) {
    const QFontMetrics metrics(font);
    const int allowed = maxLines(metrics, area.height());
    // Wider wrapping never gives more lines, so the narrowest width that fits is found by
    // halving; at the whole caption's width everything is on one line.
    QStringList pieceTexts;
    for (const Piece& piece : pieces)
        pieceTexts << piece.text;
    int low = area.width(), high = std::max(low, metrics.horizontalAdvance(pieceTexts.join(' ')));
    while (low < high) {
        const int middle = (low + high) / 2;
        if (wrapPieces(pieces, metrics, middle).size() <= allowed) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    const QStringList lines = wrapPieces(pieces, metrics, low);
    CaptionLayout layout;
    layout.font = font;
    layout.lines = lines;
    for (const QString& line : lines)
        layout.squeeze.push_back(
            std::min(1.0, double(area.width()) / std::max(1, metrics.horizontalAdvance(line))));
    return layout;
}

double tightest(const CaptionLayout& layout) {
    return *std::min_element(layout.squeeze.begin(), layout.squeeze.end());
}

// Squeezes the caption as little as it can: whole words, or words broken into their parts
// when that leaves the lines wider.
void squeezeToFit(const QString& caption, const QFont& font, const QRect& area, CaptionLayout& layout) {
    const CaptionLayout whole = squeezed(piecesOf(caption, false), font, area);
    const CaptionLayout split = squeezed(piecesOf(caption, true), font, area);
    const QRect keep = layout.area;
    layout = tightest(split) > tightest(whole) + 0.05 ? split : whole;
    layout.area = keep;
}

} // namespace

QStringList wrapWords(const QString& text, const QFontMetrics& metrics, int width) {
    return wrapPieces(piecesOf(text, false), metrics, width);
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
    qDrawWinButton(&painter, rect(), palette(), sunken, &palette().brush(QPalette::Button));

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
