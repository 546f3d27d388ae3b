#pragma once
// How a button's caption fits the button: wrapped at word boundaries, in the narrow cut of the
// font where the regular one is too wide, squeezed sideways as a last resort. Many of the
// window's buttons are 13 to 17 pixels high and 25 to 73 wide, so most captions need some of it.

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QStringList>
#include <vector>

namespace workbench {

// How a caption fits its button: the font, the lines, how far each line is squeezed
// sideways (1 = not at all) and the distance between line tops.
struct CaptionLayout {
    QFont font;
    QStringList lines;
    std::vector<double> squeeze;
    int lineStep = 0;
    QRect area; // where the lines may go
};

// Lays caption out in a button of the given size. Wrapped at word boundaries in the given
// font if that fits; otherwise in its narrow cut (sans serif only); otherwise a line that is
// still too wide is squeezed sideways just enough, keeping the font's height, so that no
// caption is ever cut off.
CaptionLayout layoutCaption(const QString& caption, const QFont& font, const QSize& size);

// Breaks text into lines no wider than width pixels at word boundaries; a word wider than
// width stands on a line of its own.
QStringList wrapWords(const QString& text, const QFontMetrics& metrics, int width);

} // namespace workbench
