#include "core/palette.h"

#include <algorithm>
#include <stdexcept>

namespace core {
namespace {

rows::PaletteLut lutOf(std::span<const Rgb> entries) {
    if (entries.size() > std::size_t(Palette::kMaxEntries))
        throw std::invalid_argument("Palette: more than 256 entries");
    rows::PaletteLut lut{}; // black beyond the entries
    for (std::size_t i = 0; i < entries.size(); ++i)
        lut[i] = packed(entries[i]);
    return lut;
}

} // namespace

Palette::Palette(std::span<const Rgb> entries) : m_count(entries.size()), m_expand(lutOf(entries)) {
    std::copy(entries.begin(), entries.end(), m_entries.begin());
}

} // namespace core
