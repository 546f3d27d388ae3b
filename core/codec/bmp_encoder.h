#pragma once
// The BMP writer: uncompressed files with a 14-byte file header, a 40-byte information header,
// the palette (none at 24 bits) and the pixel rows bottom-up, each padded to 4 bytes. It writes
// true colour (24 bits) and palette indices (1 or 8 bits). The headers are made at once and
// the rows one at a time, so a file can be streamed to disk without a second copy in memory.
// An encoder owns what it writes: the picture (shared, so cheap) or the palette and indices
// moved into it, so it can be kept and handed on apart from where they came from.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/codec/palette_image.h"
#include "core/picture.h"
#include "core/rows/index_rows.h"
#include "core/rows/row_kernel.h"
#include "core/status.h"

namespace core {

class BmpEncoder {
  public:
    // What the information header's colours-used field says of a palette file: 0, which
    // readers take as "the whole palette", or the number of entries written.
    enum class ColoursUsed { Zero, Stated };

    // A 24-bit file. Fails for an empty picture. Its rows go through the widest row loops
    // this processor runs, or through the kernel's where one is given (tests and benchmarks
    // compare them).
    static Result<BmpEncoder> trueColour(const Picture& picture, std::optional<rows::Kernel> kernel = {});
    // A 1-bit file (a palette of at most 2 entries) or an 8-bit one (at most 256). The palette
    // is written whole, 2 or 256 entries, entries the image lacks black. Fails for an empty
    // image, an index count that does not match the size, or a palette too large for the depth.
    // Indices beyond the palette are written as they are. The encoder keeps the image: move it
    // in where the caller has no more use for it.
    static Result<BmpEncoder> palette(PaletteImage image, int bitsPerPixel, ColoursUsed coloursUsed);

    // File header, information header and palette.
    std::span<const std::uint8_t> headers() const { return m_headers; }
    int width() const { return m_width; }
    int rowCount() const { return m_height; }
    std::size_t rowStride() const { return m_stride; }
    std::size_t fileSize() const { return m_headers.size() + m_stride * std::size_t(m_height); }
    // Writes the row stored at place i of the file (0 is the picture's bottom row) into out,
    // rowStride() bytes, padding included.
    void storedRow(int i, std::uint8_t* out) const;
    // The whole file in memory.
    std::vector<std::uint8_t> bytes() const;

  private:
    BmpEncoder() = default;
    void makeHeaders(std::size_t paletteEntries, std::uint32_t coloursUsedField);

    int m_width = 0;
    int m_height = 0;
    int m_bitsPerPixel = 24;
    std::size_t m_stride = 0;
    Picture m_picture;                   // 24 bits
    std::optional<rows::Kernel> m_kernel; // the row loops asked for; none: the widest
    // An indexed picture's palette with blue and red swapped, so that its rows expand
    // straight into the stored order.
    std::optional<rows::IndexRowExpander> m_storedColours;
    PaletteImage m_image; // 1 and 8 bits
    std::vector<std::uint8_t> m_headers;
};

} // namespace core
