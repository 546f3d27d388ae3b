// libFuzzer entry point: any bytes go through the header reader and the decoder. Both must
// either succeed or return a reason, a decoded picture must have the size its header states,
// and a picture of up to a million pixels, indexed or not, must come back the same through the
// 24-bit writer; anything else (a crash, a sanitizer report, a huge allocation) is a finding.

#include <cstdlib>

#include "core/codec/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto info = core::readBmpInfo(bytes);
    const auto picture = core::decodeBmp(bytes);
    if (picture) {
        if (!info || picture.value().width() != info.value().width ||
            picture.value().height() != info.value().height)
            std::abort();
        const core::Picture& p = picture.value();
        if (std::int64_t(p.width()) * p.height() <= 1000000) {
            const auto again = core::decodeBmp(core::encodeBmp24(p));
            if (!again || !(again.value() == p)) std::abort();
        }
    } else if (picture.message().empty()) {
        std::abort();
    }
    return 0;
}
