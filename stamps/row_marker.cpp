#include "stamps/row_marker.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace stamps {
namespace {

// A caption read as a number: leading blanks skipped, then an optional sign, digits and an
// optional point with more digits; reading stops at the first character that does not fit.
// A caption that does not start with a number ("Label8") reads as 0.
double captionValue(std::string_view caption) {
    std::size_t i = 0;
    while (i < caption.size() && caption[i] == ' ')
        ++i;
    std::string number;
    if (i < caption.size() && (caption[i] == '+' || caption[i] == '-')) number += caption[i++];
    bool anyDigit = false;
    while (i < caption.size() && std::isdigit(static_cast<unsigned char>(caption[i]))) {
        number += caption[i++];
        anyDigit = true;
    }
    if (i < caption.size() && caption[i] == '.') {
        number += caption[i++];
        while (i < caption.size() && std::isdigit(static_cast<unsigned char>(caption[i]))) {
            number += caption[i++];
            anyDigit = true;
        }
    }
    return anyDigit ? std::strtod(number.c_str(), nullptr) : 0.0;
}

// The nearest 16-bit row, a half going to the even neighbour.
core::Result<std::int16_t> toRow(double value) {
    const double rounded = std::nearbyint(value); // the default rounding mode is to nearest, ties to even
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return core::Status::error("Overflow: a marked row is out of range.");
    return static_cast<std::int16_t>(rounded);
}

} // namespace

void RowMarker::mark(double y) {
    m_previousCaption = m_lastCaption;
    // Rows are whole pixels: no fraction, no leading blank.
    m_lastCaption = std::to_string(static_cast<long long>(std::floor(y)));
}

core::Result<Band> RowMarker::band() const {
    const double last = captionValue(m_lastCaption);
    const double previous = captionValue(m_previousCaption);
    auto lastRow = toRow(last);
    auto previousRow = toRow(previous);
    if (!lastRow) return lastRow.status();
    if (!previousRow) return previousRow.status();

    // top is the smaller marked row, bottom the larger; the comparison is on the unrounded
    // numbers. The band excludes the larger row itself unless both marks are equal.
    const int top = previous > last ? lastRow.value() : previousRow.value();
    int bottom = previous > last ? previousRow.value() : lastRow.value();
    if (top == bottom) ++bottom;
    const int height = bottom - top;
    if (bottom > 32767 || height > 32767)
        return core::Status::error("Overflow: the marked band is out of range.");
    return Band{static_cast<std::int16_t>(top), static_cast<std::int16_t>(height)};
}

} // namespace stamps
