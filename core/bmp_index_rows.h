#pragma once
// Expanding rows of 8-bit palette indices to red, green and blue: how an indexed picture gives
// its colours (for painting, showing and saving 24-bit). The loops are in bmp_index_rows.cpp.

#include <array>
#include <cstdint>

namespace core::bmp {

// A palette as a 256-entry table of red | green << 8 | blue << 16, so that the hot loop can
// assemble several pixels in a register; indices beyond the palette map to black.
using PaletteLut = std::array<std::uint32_t, 256>;

// Expands rows of 8-bit indices into r, g, b triples through one palette.
class IndexRowExpander {
  public:
    // wide: use the 64-pixel path where the processor has it (tests and benchmarks turn it off
    // to measure and check the other).
    explicit IndexRowExpander(const PaletteLut& lut, bool wide = true);
    // Writes width * 3 bytes to rgb, nothing beyond.
    void operator()(const std::uint8_t* indices, std::uint8_t* rgb, int width) const;
    const PaletteLut& lut() const { return m_lut; }
    // Whether rows go 64 pixels at a time: asked for, and the processor has it.
    bool isWide() const { return m_wide; }
    // Whether this processor has the 64-pixel path (AVX-512 with byte permutes).
    static bool wideAvailable();

  private:
    PaletteLut m_lut;
    alignas(64) std::uint8_t m_planes[3][256]; // the palette's red, green and blue, each by index
    bool m_wide = false;                       // 64 pixels at a time with AVX-512 byte permutes
};

} // namespace core::bmp
