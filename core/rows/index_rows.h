#pragma once
// Expanding rows of 8-bit palette indices to red, green and blue: how an indexed picture gives
// its colours (for painting, showing and saving 24-bit). The loops are in index_rows.cpp.

#include <array>
#include <cstdint>
#include <vector>

#include "core/rows/row_kernel.h"

namespace core::rows {

// A palette as a 256-entry table of red | green << 8 | blue << 16, so that the hot loop can
// assemble several pixels in a register; indices beyond the palette map to black.
using PaletteLut = std::array<std::uint32_t, 256>;

// Expands rows of 8-bit indices into r, g, b triples through one palette.
class IndexRowExpander {
  public:
    // The palette's tables, as the row loops read them.
    struct Tables {
        PaletteLut lut;
        alignas(64) std::uint8_t planes[3][256]; // the palette's red, green and blue, each by index
    };
    using ExpandRow = void (*)(const Tables&, const std::uint8_t* indices, std::uint8_t* rgb, int width);

    // Through the widest version this processor runs.
    explicit IndexRowExpander(const PaletteLut& lut);
    // Through the kernel's version where this processor runs it, else the portable one (tests
    // and benchmarks compare them).
    IndexRowExpander(const PaletteLut& lut, Kernel kernel);

    // Writes width * 3 bytes to rgb, nothing beyond, reading width indices.
    void operator()(const std::uint8_t* indices, std::uint8_t* rgb, int width) const {
        m_expand(m_tables, indices, rgb, width);
    }
    const PaletteLut& lut() const { return m_tables.lut; }
    // The kernel whose version this expander runs.
    Kernel kernel() const { return m_kernel; }
    // The kernels the expansion has that this processor runs, portable first.
    static std::vector<Kernel> kernels();

  private:
    Tables m_tables;
    Kernel m_kernel = Kernel::Portable;
    ExpandRow m_expand = nullptr;
};

} // namespace core::rows
