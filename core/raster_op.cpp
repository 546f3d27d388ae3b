#include "core/raster_op.h"

#include <cstdio>

namespace core {

Result<RasterOp> rasterOpFromCode(std::uint32_t code) {
    switch (static_cast<RasterOp>(code)) {
    case RasterOp::SRCCOPY:
    case RasterOp::SRCPAINT:
    case RasterOp::SRCAND:
    case RasterOp::NOTSRCCOPY:
        return static_cast<RasterOp>(code);
    }
    char text[64];
    std::snprintf(text, sizeof text, "Unknown raster operation 0x%06X", unsigned(code));
    return Status::error(text);
}

std::string_view rasterOpName(RasterOp op) {
    switch (op) {
    case RasterOp::SRCCOPY:
        return "SRCCOPY";
    case RasterOp::SRCPAINT:
        return "SRCPAINT";
    case RasterOp::SRCAND:
        return "SRCAND";
    case RasterOp::NOTSRCCOPY:
        return "NOTSRCCOPY";
    }
    return "?";
}

} // namespace core
