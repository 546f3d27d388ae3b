// The image library's one-time cost: decoding one picture on the first request for it. Each
// iteration starts from a fresh library, so every iteration decodes: a 1-bit mask, an 8-bit
// body, and the 24-bit imgBimbo, the largest picture.

#include <benchmark/benchmark.h>

#include <string>

#include "core/library/image_library.h"

namespace {

using core::ImageId;

void BM_FirstRequest(benchmark::State& state) {
    const ImageId id = ImageId(state.range(0));
    state.SetLabel(std::string(core::imageName(id)));
    for (auto _ : state) {
        core::ImageLibrary library;
        benchmark::DoNotOptimize(library.picture(id).pixel(0, 0));
    }
}
BENCHMARK(BM_FirstRequest)
    ->Arg(int(ImageId::imgBikini))
    ->Arg(int(ImageId::imgMedBody))
    ->Arg(int(ImageId::imgBimbo))
    ->Unit(benchmark::kMicrosecond);

} // namespace
