// libimagequant works on red, green, blue and alpha rows. It is told the pixels are stored
// with the gamma at which it compares colours, so that it compares the stored values
// themselves, which is what the error of the saved file is measured in.
//
// libimagequant runs its loops on OpenMP threads, and OpenMP ends the whole program when a
// thread cannot start (a process limit, or no memory for the thread's stack). So it runs on
// the calling thread alone: OpenMP's thread count is a setting of each calling thread, set to
// one for the reduction and put back after. A 256 x 256 skin takes tens of milliseconds either
// way; work that wants every core runs several reductions on threads of its own. Nor does it
// survive every allocation that fails, so it works in an arena taken whole beforehand
// (reduction_arena.h).

#include "core/eight_bit/colour_reduction.h"

#include "core/eight_bit/reduction_arena.h"

#include <libimagequant.h>
#include <omp.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

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

// OpenMP's thread count for the parallel loops this thread starts, for one scope.
class OpenMpThreads {
  public:
    explicit OpenMpThreads(int count) : m_before(omp_get_max_threads()) { omp_set_num_threads(count); }
    ~OpenMpThreads() { omp_set_num_threads(m_before); }
    OpenMpThreads(const OpenMpThreads&) = delete;
    OpenMpThreads& operator=(const OpenMpThreads&) = delete;

  private:
    int m_before;
};

Status failure(liq_error error) {
    if (error == LIQ_OUT_OF_MEMORY) return Status::outOfMemory("not enough memory to reduce its colours.");
    return Status::output("its colours could not be reduced to 256 (libimagequant error " +
                         std::to_string(int(error)) + ").");
}

Result<ReducedColours> reduce(const Picture& image, float dithering) {
    const OpenMpThreads serial(1);
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

    // Declared before libimagequant's objects, so that it outlives them.
    ReductionArena arena(pixels);
    if (!arena.isReserved()) return failure(LIQ_OUT_OF_MEMORY);
    const ReductionArena::Active inArena(arena);
    Attr attr(liq_attr_create_with_allocator(ReductionArena::allocate, ReductionArena::release));
    if (!attr) return failure(LIQ_OUT_OF_MEMORY);
    if (liq_error e = liq_set_max_colors(attr.get(), 256); e != LIQ_OK) return failure(e);
    if (liq_error e = liq_set_quality(attr.get(), 0, 100); e != LIQ_OK) return failure(e);
    {
        // At this speed libimagequant makes its dither map (which keeps dithering off edges and
        // noise) only when it may run on several threads; the speed is set as if it could, so
        // a dithered save is the same file on any machine, as its parallel runs made it before.
        const OpenMpThreads asIfParallel(2);
        if (liq_error e = liq_set_speed(attr.get(), kReductionSpeed); e != LIQ_OK) return failure(e);
    }
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

} // namespace

Result<ReducedColours> reduceColours(const Picture& image, float dithering) {
    if (image.isEmpty()) return noPictureToSave();
    // Our own buffers (the pixels handed over, the indices) may find no memory as well as
    // libimagequant's arena.
    try {
        return reduce(image, dithering);
    } catch (const std::bad_alloc&) {
        return failure(LIQ_OUT_OF_MEMORY);
    }
}

} // namespace core
