// Reading and checking BMP headers. Every field that decides how much is read or allocated
// is checked here, each with a short reason, before any pixel is touched.

#include <algorithm>
#include <bit>
#include <climits>
#include <string>

#include "core/codec/bmp_format.h"
#include "core/codec/picture_limits.h"

namespace core::bmp {

namespace {

std::int32_t le32s(const std::uint8_t* p) {
    return static_cast<std::int32_t>(le32(p));
}

bool knownHeaderSize(std::uint32_t size) {
    // 12: OS/2 1.x core header; 16 and 64: OS/2 2.x; 40, 52, 56, 108, 124: Windows versions.
    for (std::uint32_t known : {12u, 16u, 40u, 52u, 56u, 64u, 108u, 124u})
        if (size == known) return true;
    return false;
}

Compression compressionOf(std::uint32_t code, std::uint32_t headerSize) {
    const bool os2 = headerSize == 64; // OS/2 2.x gives codes 3 and 4 their own meaning
    switch (code) {
    case 0:
        return Compression::None;
    case 1:
        return Compression::Rle8;
    case 2:
        return Compression::Rle4;
    case 3:
        return os2 ? Compression::Huffman1D : Compression::BitFields;
    case 4:
        return os2 ? Compression::Rle24 : Compression::Jpeg;
    case 5:
        return Compression::Png;
    case 6:
        return Compression::AlphaBitFields;
    default:
        return Compression::Unknown;
    }
}

// The default masks when a 16- or 32-bit file has no bit fields: 5-5-5 and 8-8-8.
std::array<std::uint32_t, 3> defaultMasks(int bitsPerPixel) {
    if (bitsPerPixel == 16) return {0x7C00, 0x03E0, 0x001F};
    return {0xFF0000, 0x00FF00, 0x0000FF};
}

bool contiguous(std::uint32_t mask) {
    if (mask == 0) return true;
    const std::uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

bool validDepth(Compression compression, int bits) {
    switch (compression) {
    case Compression::None:
        return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case Compression::Rle8:
        return bits == 8;
    case Compression::Rle4:
        return bits == 4;
    case Compression::BitFields:
    case Compression::AlphaBitFields:
        return bits == 16 || bits == 32;
    default:
        return true; // refused for their compression instead
    }
}

// The file header's checks: the signature, and an information header of a known size that
// the bytes hold whole. Gives that size.
Result<std::uint32_t> readHeaderSize(std::span<const std::uint8_t> bytes) {
    const std::uint8_t* d = bytes.data();
    const std::size_t size = bytes.size();
    if (size < 2 || d[0] != 'B' || d[1] != 'M') return fail("it is not a BMP file.");
    if (size < kFileHeaderSize + 4) return fail("the file is truncated: it ends inside its header.");
    const std::uint32_t headerSize = le32(d + 14);
    if (!knownHeaderSize(headerSize))
        return fail("its header size of " + std::to_string(headerSize) +
                    " bytes is not one the BMP format uses; the file may be damaged.");
    if (size < kFileHeaderSize + headerSize) return fail("the file is truncated: it ends inside its header.");
    return headerSize;
}

// The information header's fields as stored, unchecked: the 12-byte OS/2 core header has 16-bit
// sizes and ends with the depth; the others have signed 32-bit sizes and, when long enough,
// the compression and the number of palette colours.
struct InfoFields {
    std::int64_t width = 0, height = 0; // height negative: rows stored top-down
    int planes = 0;
    int bitsPerPixel = 0;
    std::uint32_t compressionCode = 0;
    std::uint32_t coloursUsed = 0; // 0: as many as the depth allows
};

InfoFields readInfoFields(const std::uint8_t* info, std::uint32_t headerSize) {
    InfoFields f;
    if (headerSize == 12) {
        f.width = le16(info + 4);
        f.height = le16(info + 6);
        f.planes = le16(info + 8);
        f.bitsPerPixel = le16(info + 10);
        return f;
    }
    f.width = le32s(info + 4);
    f.height = le32s(info + 8);
    f.planes = le16(info + 12);
    f.bitsPerPixel = le16(info + 14);
    if (headerSize >= 20) f.compressionCode = le32(info + 16);
    if (headerSize >= 36) f.coloursUsed = le32(info + 32);
    return f;
}

// The picture's size within the caps, one colour plane, and a depth the compression allows.
Status takeShape(const InfoFields& f, Header& h) {
    h.bitsPerPixel = f.bitsPerPixel;
    h.compressionCode = f.compressionCode;
    h.compression = compressionOf(f.compressionCode, std::uint32_t(h.headerSize));
    if (f.width <= 0) return fail("its width of " + std::to_string(f.width) + " pixels is not valid.");
    if (f.height == 0) return fail("its height of 0 pixels is not valid.");
    h.topDown = f.height < 0;
    const std::int64_t width = f.width;
    const std::int64_t height = f.height < 0 ? -f.height : f.height; // int64: INT_MIN cannot overflow
    if (Status fits = codec::checkPictureSize(width, height); !fits) return fits;
    h.width = int(width);
    h.height = int(height);
    if (f.planes != 1)
        return fail("its header is damaged: it gives " + std::to_string(f.planes) +
                    " colour planes instead of 1.");
    if (!validDepth(h.compression, h.bitsPerPixel))
        return fail("its header gives " + std::to_string(h.bitsPerPixel) +
                    " bits per pixel, which this kind of BMP file does not allow.");
    return Status::ok();
}

// The channel masks of 16- and 32-bit pixels: the defaults, or the bit fields, which sit inside
// headers of 52 bytes and more and right after a 40-byte one. Gives where the headers and masks
// end, which is where the palette begins.
Result<std::size_t> readMasks(std::span<const std::uint8_t> bytes, Header& h) {
    std::size_t afterHeader = kFileHeaderSize + std::size_t(h.headerSize);
    h.masks = defaultMasks(h.bitsPerPixel);
    if (h.compression != Compression::BitFields && h.compression != Compression::AlphaBitFields)
        return afterHeader;
    if (h.headerSize == 40) {
        afterHeader += h.compression == Compression::AlphaBitFields ? 16 : 12;
        if (bytes.size() < afterHeader)
            return fail("the file is truncated: it ends inside its colour masks.");
    } else if (h.headerSize < 52) {
        return fail("its header is too short to hold the colour masks it says it uses.");
    }
    const std::uint8_t* masks = bytes.data() + kFileHeaderSize + 40;
    h.masks = {le32(masks), le32(masks + 4), le32(masks + 8)};
    for (std::uint32_t mask : h.masks)
        if (!contiguous(mask)) return fail("its colour masks are not valid (a mask has gaps in it).");
    if (h.bitsPerPixel == 16)
        for (std::uint32_t mask : h.masks)
            if (mask > 0xFFFF) return fail("its colour masks do not fit its 16-bit pixels.");
    return afterHeader;
}

// The palette lies between the headers and the pixel data. A palette longer than the depth
// allows is cut to that length; one that would overlap the pixels is cut short.
void locatePalette(std::size_t afterHeader, std::uint32_t coloursUsed, Header& h) {
    if (h.bitsPerPixel > 8) return;
    const std::int64_t full = std::int64_t(1) << h.bitsPerPixel;
    std::int64_t count = coloursUsed == 0 ? full : std::min<std::int64_t>(coloursUsed, full);
    count = std::min<std::int64_t>(count, std::int64_t(h.pixelOffset - afterHeader) / h.paletteEntryBytes);
    h.paletteOffset = afterHeader;
    h.paletteSize = int(count);
}

} // namespace

Result<Header> readHeader(std::span<const std::uint8_t> bytes, std::size_t fileSize) {
    // bytes: the headers' bytes; fileSize for where the pixels may lie.
    const Result<std::uint32_t> headerSize = readHeaderSize(bytes);
    if (!headerSize) return headerSize.status();
    Header h;
    h.headerSize = int(headerSize.value());
    if (h.headerSize == 12) h.paletteEntryBytes = 3;
    const InfoFields info = readInfoFields(bytes.data() + kFileHeaderSize, headerSize.value());
    if (Status shaped = takeShape(info, h); !shaped) return shaped;
    const Result<std::size_t> afterHeader = readMasks(bytes, h);
    if (!afterHeader) return afterHeader.status();

    const std::uint32_t offset = le32(bytes.data() + 10);
    if (offset < afterHeader.value() || offset >= fileSize)
        return fail("its pixel data offset of " + std::to_string(offset) + " bytes points outside the file.");
    h.pixelOffset = offset;
    locatePalette(afterHeader.value(), info.coloursUsed, h);
    return h;
}

} // namespace core::bmp
