// Writing BMP files: the headers once, then each row as the file stores it.

#include "core/codec/bmp_encoder.h"

#include <cstring>
#include <utility>

#include "core/codec/bmp_bgr_rows.h"
#include "core/codec/bmp_format.h"
#include "core/file_messages.h"

namespace core {

namespace {

// A palette table of red | green << 8 | blue << 16 as blue | green << 8 | red << 16.
rows::PaletteLut storedOrder(const rows::PaletteLut& lut) {
    rows::PaletteLut swapped;
    for (std::size_t i = 0; i < lut.size(); ++i)
        swapped[i] = (lut[i] & 0x00FF00) | (lut[i] & 0xFF) << 16 | (lut[i] >> 16 & 0xFF);
    return swapped;
}

} // namespace

Result<BmpEncoder> BmpEncoder::trueColour(const Picture& picture, std::optional<rows::Kernel> kernel) {
    if (picture.isEmpty()) return noPictureToSave();
    BmpEncoder encoder;
    encoder.m_width = picture.width();
    encoder.m_height = picture.height();
    encoder.m_bitsPerPixel = 24;
    encoder.m_picture = picture;
    encoder.m_kernel = kernel;
    if (const Palette* palette = picture.palette()) {
        const rows::PaletteLut lut = storedOrder(palette->lut());
        if (kernel)
            encoder.m_storedColours.emplace(lut, *kernel);
        else
            encoder.m_storedColours.emplace(lut);
    }
    encoder.makeHeaders(0, 0);
    return encoder;
}

Result<BmpEncoder> BmpEncoder::palette(PaletteImage image, int bitsPerPixel, ColoursUsed coloursUsed) {
    if (image.width < 1 || image.height < 1) return noPictureToSave();
    if (image.indices.size() != std::size_t(image.width) * std::size_t(image.height))
        return Status::output("its pixel indices do not match its size.");
    if (bitsPerPixel != 1 && bitsPerPixel != 8)
        return Status::output("a palette file has 1 or 8 bits per pixel here, not " +
                             std::to_string(bitsPerPixel) + ".");
    const std::size_t entries = std::size_t(1) << bitsPerPixel;
    if (image.palette.size() > entries)
        return Status::output("its palette of " + std::to_string(image.palette.size()) +
                             " colours does not fit " + std::to_string(bitsPerPixel) + " bits per pixel.");
    BmpEncoder encoder;
    encoder.m_width = image.width;
    encoder.m_height = image.height;
    encoder.m_bitsPerPixel = bitsPerPixel;
    encoder.m_image = std::move(image);
    encoder.makeHeaders(entries, coloursUsed == ColoursUsed::Stated ? std::uint32_t(entries) : 0);
    return encoder;
}

void BmpEncoder::makeHeaders(std::size_t paletteEntries, std::uint32_t coloursUsedField) {
    using namespace bmp;
    m_stride = bmp::rowStride(std::size_t(m_width), m_bitsPerPixel);
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize + paletteEntries * 4;
    const std::size_t imageSize = m_stride * std::size_t(m_height);
    m_headers.assign(offset, 0);

    std::uint8_t* d = m_headers.data();
    d[0] = 'B';
    d[1] = 'M';
    putLe32(d + 2, std::uint32_t(offset + imageSize));
    putLe32(d + 10, std::uint32_t(offset)); // the two reserved words between stay 0
    std::uint8_t* info = d + kFileHeaderSize;
    putLe32(info, kInfoHeaderSize);
    putLe32(info + 4, std::uint32_t(m_width));
    putLe32(info + 8, std::uint32_t(m_height)); // positive: bottom-up rows
    putLe16(info + 12, 1);                      // planes
    putLe16(info + 14, std::uint32_t(m_bitsPerPixel));
    putLe32(info + 16, 0); // no compression
    putLe32(info + 20, std::uint32_t(imageSize));
    putLe32(info + 24, kPixelsPerMetre);
    putLe32(info + 28, kPixelsPerMetre);
    putLe32(info + 32, coloursUsedField);
    putLe32(info + 36, 0); // important colours: all

    std::uint8_t* entry = info + kInfoHeaderSize;
    for (const Rgb& colour : m_image.palette) { // entries past the image's palette stay black
        entry[kBlue] = colour.b;
        entry[kGreen] = colour.g;
        entry[kRed] = colour.r;
        entry += 4;
    }
}

void BmpEncoder::storedRow(int i, std::uint8_t* out) const {
    const int y = int(bmp::storedRow(i, m_height, false)); // the mapping is its own inverse
    const std::size_t used = bmp::rowBytes(std::size_t(m_width), m_bitsPerPixel);
    if (m_bitsPerPixel == 24) {
        static_assert(bmp::kBlue == 0 && bmp::kGreen == 1 && bmp::kRed == 2,
                      "stored colours are r, g, b swapped");
        if (m_storedColours) {
            (*m_storedColours)(m_picture.indexRow(y), out, m_width);
        } else {
            const std::uint8_t* rgb = m_picture.rgbRow(y, nullptr); // an RGB picture's own row
            if (m_kernel)
                bmp::swapRedBlue(*m_kernel, rgb, out, m_width);
            else
                bmp::swapRedBlue(rgb, out, m_width);
        }
    } else {
        const std::uint8_t* indices = m_image.indices.data() + std::size_t(y) * std::size_t(m_width);
        if (m_bitsPerPixel == 8) {
            std::memcpy(out, indices, used);
        } else {
            // 1 bit: the leftmost pixel is the most significant bit of each byte.
            std::memset(out, 0, used);
            for (int x = 0; x < m_width; ++x)
                if (indices[x] & 1) out[x / 8] |= std::uint8_t(0x80 >> (x % 8));
        }
    }
    std::memset(out + used, 0, m_stride - used);
}

std::vector<std::uint8_t> BmpEncoder::bytes() const {
    std::vector<std::uint8_t> file(fileSize());
    std::memcpy(file.data(), m_headers.data(), m_headers.size());
    for (int i = 0; i < m_height; ++i)
        storedRow(i, file.data() + m_headers.size() + std::size_t(i) * m_stride);
    return file;
}

} // namespace core
