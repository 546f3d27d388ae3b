#include "core/raster_op.h"

namespace core {

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
