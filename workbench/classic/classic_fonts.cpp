#include "workbench/classic/classic_fonts.h"

#include <cmath>

namespace workbench {
namespace {

// The resolution at which the layout's point sizes were measured.
constexpr double kLayoutDotsPerInch = 96.0;

} // namespace

QFont classicFont(const stamps::FontSpec& stored) {
    const bool serif = stored.family == "MS Serif";
    QFont font(serif ? QStringLiteral("Liberation Serif") : QStringLiteral("Liberation Sans"));
    font.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
    font.setPixelSize(int(std::lround(stored.points * kLayoutDotsPerInch / 72.0)));
    font.setBold(stored.bold);
    return font;
}

QFont defaultFont() {
    return classicFont({"MS Sans Serif", 8.25, false});
}

QFont fontOf(const std::optional<stamps::FontSpec>& stored) {
    return stored ? classicFont(*stored) : defaultFont();
}

} // namespace workbench
