// libimagequant works on red, green, blue and alpha rows. It is told the pixels are stored
// with the gamma at which it compares colours, so that it compares the stored values
// themselves, which is what the error of the saved file is measured in.

#include "core/eight_bit/colour_reduction.h"

#include <libimagequant.h>

#include <memory>
#include <string>

#include "core/file_messages.h"

namespace core {
namespace {

// The gamma libimagequant works in: images declared with it are compared in their own values.
constexpr double kStoredValuesGamma = 0.5499;

template <typename T, void (*Destroy)(T*)> struct Deleter {
    void operator()(T* p) const {
        if (p) Destroy(p);
    }
};
using Attr = std::unique_ptr<liq_attr, Deleter<liq_attr, liq_attr_destroy>>;
using Image = std::unique_ptr<liq_image, Deleter<liq_image, liq_image_destroy>>;
using Quantized = std::unique_ptr<liq_result, Deleter<liq_result, liq_result_destroy>>;

Status failure(liq_error error) {
    if (error == LIQ_OUT_OF_MEMORY) return Status::outOfMemory("not enough memory to reduce its colours.");
    return Status::output("its colours could not be reduced to 256 (libimagequant error " +
                         std::to_string(int(error)) + ").");
}

} // namespace

Result<ReducedColours> reduceColours(const Picture& image, float dithering) {
    if (image.isEmpty()) return noPictureToSave();
    const int width = image.width(), height = image.height();
    const std::size_t pixels = std::size_t(width) * std::size_t(height);

    std::vector<liq_color> rgba(pixels);
    std::vector<std::uint8_t> scratch(std::size_t(width) * Picture::kChannels);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* p = image.rgbRow(y, scratch.data());
        liq_color* out = &rgba[std::size_t(y) * std::size_t(width)];
        for (int x = 0; x < width; ++x, p += 3)
            out[x] = {p[0], p[1], p[2], 255};
    }

    Attr attr(liq_attr_create());
    if (!attr) return failure(LIQ_OUT_OF_MEMORY);
    if (liq_error e = liq_set_max_colors(attr.get(), 256); e != LIQ_OK) return failure(e);
    if (liq_error e = liq_set_quality(attr.get(), 0, 100); e != LIQ_OK) return failure(e);
    if (liq_error e = liq_set_speed(attr.get(), kReductionSpeed); e != LIQ_OK) return failure(e);
    Image liqImage(liq_image_create_rgba(attr.get(), rgba.data(), width, height, kStoredValuesGamma));
    if (!liqImage) return failure(LIQ_OUT_OF_MEMORY);

    liq_result* raw = nullptr;
    if (liq_error e = liq_image_quantize(liqImage.get(), attr.get(), &raw); e != LIQ_OK) return failure(e);
    Quantized quantized(raw);
    if (liq_error e = liq_set_dithering_level(quantized.get(), dithering); e != LIQ_OK) return failure(e);
    if (liq_error e = liq_set_output_gamma(quantized.get(), kStoredValuesGamma); e != LIQ_OK)
        return failure(e);

    ReducedColours reduced;
    reduced.indices.resize(pixels);
    if (liq_error e =
            liq_write_remapped_image(quantized.get(), liqImage.get(), reduced.indices.data(), pixels);
        e != LIQ_OK)
        return failure(e);
    // Read after remapping, which moves each entry to the mean of the pixels it was given.
    const liq_palette* palette = liq_get_palette(quantized.get());
    for (unsigned i = 0; i < palette->count; ++i)
        reduced.palette.push_back({palette->entries[i].r, palette->entries[i].g, palette->entries[i].b});
    return reduced;
}

} // namespace core
