#include "workbench/classic/caption_layout.h"

#include <QHash>
#include <algorithm>

namespace workbench {
namespace {

// The bevel is two pixels on every side. Sideways the caption keeps clear of it; up and down
// it may touch it, since a line's descent is mostly empty.
constexpr int kBevel = 2;

QRect captionArea(const QSize& size) {
    return QRect(QPoint(), size).adjusted(kBevel, kBevel - 1, -kBevel, -kBevel + 1);
}

// Widths of texts in one font. Fitting a caption measures the same joins of words again and
// again (the squeeze search wraps it at many widths), and each measurement shapes the text
// anew; so each text is measured once. A font sized in pixels, as the layouts' fonts are,
// measures a text alike on every screen, so its widths are kept for the whole run and shared
// by all the buttons in it; a font sized in points is measured afresh each time.
class TextWidths {
  public:
    explicit TextWidths(const QFont& font) : m_metrics(font), m_known(memoryFor(font)) {}
    explicit TextWidths(const QFontMetrics& metrics) : m_metrics(metrics) {}

    const QFontMetrics& metrics() const { return m_metrics; }
    int of(const QString& text) {
        if (m_known == nullptr) return m_metrics.horizontalAdvance(text);
        const auto found = m_known->constFind(text);
        if (found != m_known->cend()) return *found;
        return *m_known->insert(text, m_metrics.horizontalAdvance(text));
    }

  private:
    static QHash<QString, int>* memoryFor(const QFont& font) {
        if (font.pixelSize() <= 0) return nullptr; // in points: depends on the screen
        static QHash<QString, QHash<QString, int>> perFont;
        return &perFont[font.key()];
    }

    QFontMetrics m_metrics;
    QHash<QString, int>* m_known = nullptr;
};

// The most lines that fit the height when lines close up to the font's ascent.
int maxLines(const QFontMetrics& metrics, int height) {
    int lines = 1;
    while (lines * metrics.ascent() + metrics.descent() <= height)
        ++lines;
    return std::max(1, lines - 1);
}

int widest(const QStringList& lines, TextWidths& widths) {
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, widths.of(line));
    return width;
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

QStringList wrapPieces(const std::vector<Piece>& pieces, TextWidths& widths, int width) {
    QStringList lines;
    QString line;
    for (const Piece& piece : pieces) {
        const QString joined =
            line.isEmpty() ? piece.text : line + (piece.glued ? QString() : QStringLiteral(" ")) + piece.text;
        if (line.isEmpty() || widths.of(joined) <= width) {
            line = joined;
        } else {
            lines << line;
            line = piece.text;
        }
    }
    if (!line.isEmpty() || lines.isEmpty()) lines << line;
    return lines;
}

// The caption wrapped in font, if it fits without squeezing.
bool fitsPlainly(const QString& caption, const QFont& font, const QRect& area, CaptionLayout& layout) {
    TextWidths widths(font);
    const QStringList lines = wrapPieces(piecesOf(caption, false), widths, area.width());
    if (lines.size() > maxLines(widths.metrics(), area.height()) || widest(lines, widths) > area.width())
        return false;
    layout.font = font;
    layout.lines = lines;
    layout.squeeze.assign(lines.size(), 1.0);
    return true;
}

// The pieces in as many lines as fit, wrapped at the narrowest width that needs no more, each
// line squeezed to the area's width where it is wider.
CaptionLayout squeezed(const std::vector<Piece>& pieces, const QFont& font, const QRect& area) {
    TextWidths widths(font);
    const int allowed = maxLines(widths.metrics(), area.height());
    // Wider wrapping never gives more lines, so the narrowest width that fits is found by
    // halving; at the whole caption's width everything is on one line.
    QStringList pieceTexts;
    for (const Piece& piece : pieces)
        pieceTexts << piece.text;
    int low = area.width(), high = std::max(low, widths.of(pieceTexts.join(' ')));
    while (low < high) {
        const int middle = (low + high) / 2;
        if (wrapPieces(pieces, widths, middle).size() <= allowed) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    const QStringList lines = wrapPieces(pieces, widths, low);
    CaptionLayout layout;
    layout.font = font;
    layout.lines = lines;
    for (const QString& line : lines)
        layout.squeeze.push_back(std::min(1.0, double(area.width()) / std::max(1, widths.of(line))));
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
    TextWidths widths(metrics);
    return wrapPieces(piecesOf(text, false), widths, width);
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

} // namespace workbench
