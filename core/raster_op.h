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

} // namespace core
