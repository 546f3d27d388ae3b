// The preview's renderer: one 512 x 512 frame of the whole mannequin wearing a bare body, as the
// window draws it while the user drags to turn it (target: a median under 5 ms on one core, so
// turning stays smooth), and the same frame from close up, where the facets fill the picture.

#include <benchmark/benchmark.h>

#include "core/library/image_library.h"
#include "preview/render.h"

namespace {

void BM_RenderMannequin512(benchmark::State& state) {
    const core::Picture& skin = core::ImageLibrary::shared().picture(core::ImageId::imgMedBody);
    const preview::View view{30, 0, float(state.range(0))};
    for (auto _ : state) {
        const core::Picture frame = preview::renderSkin(skin, view, 512, 512);
        benchmark::DoNotOptimize(frame.pixel(0, 0));
    }
    state.SetLabel(state.range(0) == 1 ? "whole body" : "close up");
}
BENCHMARK(BM_RenderMannequin512)
    ->Arg(1)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
