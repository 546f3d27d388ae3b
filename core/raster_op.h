#pragma once
// The four raster operations of the paint operation. Each combines a source channel s with a
// destination channel d bitwise, on each of red, green and blue separately. Tables and paints
// carry the type itself, so only these four can be named; the values are the platform's own
// 32-bit codes, kept for readers who meet them elsewhere.

#include <cstdint>
#include <string_view>

namespace core {

enum class RasterOp : std::uint32_t {
    SRCCOPY = 0xCC0020,    // s
    SRCPAINT = 0xEE0086,   // d OR s
    SRCAND = 0x8800C6,     // d AND s
    NOTSRCCOPY = 0x330008, // NOT s
};

// The operation's name as the tables write it: "SRCAND".
std::string_view rasterOpName(RasterOp op);

inline std::uint8_t combine(RasterOp op, std::uint8_t d, std::uint8_t s) {
    switch (op) {
    case RasterOp::SRCCOPY:
        return s;
    case RasterOp::SRCPAINT:
        return std::uint8_t(d | s);
    case RasterOp::SRCAND:
        return std::uint8_t(d & s);
    case RasterOp::NOTSRCCOPY:
        return std::uint8_t(~s);
    }
    return d;
}

// The user accessories' own combine, which is none of the four raster operations: d times s,
// each a fraction of 255, rounded to the nearest. Under white (255) d stays as it is and under
// black it turns black, as with SRCAND, but a colour in between darkens d by its own shade, so
// an accessory keeps its hue on any skin tone where the bits of SRCAND would mix.
inline std::uint8_t multiply(std::uint8_t d, std::uint8_t s) {
    return std::uint8_t((unsigned(d) * unsigned(s) + 127) / 255);
}

} // namespace core
