// The image library's one-time cost: decoding a whole holder on the first request for one of
// its images. Each iteration starts from a fresh library, so every iteration decodes; frmMasks2
// (with the 24-bit imgBimbo) is the largest.

#include <benchmark/benchmark.h>

#include "core/image_library.h"

namespace {

using core::Holder;
using core::ImageId;

ImageId firstImageOf(Holder holder) {
    for (int i = 0; i < core::kImageCount; ++i)
        if (core::holderOf(ImageId(i)) == holder) return ImageId(i);
    return ImageId::imgBodySuit;
}

void BM_LoadHolder(benchmark::State& state) {
    const Holder holder = Holder(state.range(0));
    const ImageId id = firstImageOf(holder);
    state.SetLabel(std::string(core::holderName(holder)));
    for (auto _ : state) {
        core::ImageLibrary library;
        benchmark::DoNotOptimize(library.picture(id).pixel(0, 0));
    }
}
BENCHMARK(BM_LoadHolder)->DenseRange(0, core::kHolderCount - 1)->Unit(benchmark::kMicrosecond);

} // namespace
