#pragma once
// The four raster operations of the paint operation. Each combines a source channel s with a
// destination channel d bitwise, on each of red, green and blue separately.

#include <cstdint>
#include <string_view>

#include "core/status.h"

namespace core {

enum class RasterOp : std::uint32_t {
    SRCCOPY = 0xCC0020,    // s
    SRCPAINT = 0xEE0086,   // d OR s
    SRCAND = 0x8800C6,     // d AND s
    NOTSRCCOPY = 0x330008, // NOT s
};

// Unknown codes are refused rather than ignored: a typo in a table must not paint silently.
Result<RasterOp> rasterOpFromCode(std::uint32_t code);
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
