#pragma once
// Colours and palettes. A palette is the colour table of a palette picture as its file gives
// it: up to 256 entries, their count and order kept, duplicates included, so that a picture
// saved with it again keeps every index. An index beyond the entries reads as black.

#include <array>
#include <cstdint>
#include <span>

#include "core/rows/index_rows.h"

namespace core {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A colour as one number: red | green << 8 | blue << 16, as a palette table holds it.
constexpr std::uint32_t packed(Rgb c) {
    return std::uint32_t(c.r) | std::uint32_t(c.g) << 8 | std::uint32_t(c.b) << 16;
}

class Palette {
  public:
    static constexpr int kMaxEntries = 256;

    Palette() : Palette(std::span<const Rgb>{}) {}
    // At most kMaxEntries entries.
    explicit Palette(std::span<const Rgb> entries);

    std::span<const Rgb> entries() const { return {m_entries.data(), m_count}; }
    int size() const { return int(m_count); }
    // The colour an index shows: its entry, black beyond the entries.
    Rgb colour(std::uint8_t index) const {
        const std::uint32_t c = m_expand.lut()[index];
        return {std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16)};
    }
    // Writes the colours of count indices to rgb, three bytes (red, green, blue) each.
    void expand(const std::uint8_t* indices, std::uint8_t* rgb, int count) const {
        m_expand(indices, rgb, count);
    }
    // The 256-entry table the expansion reads (black beyond the entries).
    const rows::PaletteLut& lut() const { return m_expand.lut(); }

  private:
    std::array<Rgb, kMaxEntries> m_entries{};
    std::size_t m_count = 0;
    rows::IndexRowExpander m_expand;
};

} // namespace core
