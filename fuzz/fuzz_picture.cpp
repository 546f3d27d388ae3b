// libFuzzer entry point: any bytes go through the picture loader's decoder, which tells BMP
// from PNG by the first bytes, and through each format's header reader. Each must either
// succeed or return a reason; a decoded picture must have the size its format's header states;
// and a picture of up to a million pixels, indexed or not, must come back the same through the
// 24-bit BMP writer and the PNG writer. Anything else (a crash, a sanitizer report, a huge
// allocation) is a finding.

#include <cstdlib>

#include "core/codec/bmp.h"
#include "core/codec/picture_file.h"
#include "core/codec/png.h"

namespace {

// The picture comes back the same from the bytes a writer made of it.
void mustComeBack(const core::Picture& picture, std::span<const std::uint8_t> written) {
    const auto again = core::decodePicture(written);
    if (!again || !(again.value().picture == picture) || !again.value().note.empty()) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto bmpInfo = core::readBmpInfo(bytes);
    const auto pngInfo = core::readPngInfo(bytes);
    const auto loaded = core::decodePicture(bytes);
    if (loaded) {
        const core::Picture& p = loaded.value().picture;
        const bool isPng = loaded.value().format == core::PictureFormat::Png;
        const int width =
            isPng ? (pngInfo ? pngInfo.value().width : -1) : (bmpInfo ? bmpInfo.value().width : -1);
        const int height =
            isPng ? (pngInfo ? pngInfo.value().height : -1) : (bmpInfo ? bmpInfo.value().height : -1);
        if (p.width() != width || p.height() != height) std::abort();
        if (std::int64_t(p.width()) * p.height() <= 1000000) {
            mustComeBack(p, core::encodeBmp24(p));
            const auto png = core::encodePng(p);
            if (!png) std::abort();
            mustComeBack(p, png.value());
        }
    } else if (loaded.message().empty()) {
        std::abort();
    }
    return 0;
}
