// The 8-bit save's palette choice, one run per way, on 256 x 256 skins: a skin loaded from an
// 8-bit file and saved unchanged (its palette kept), the same skin with no palette to keep (its
// 250-odd colours taken exactly), and the stitched skin of the most colours (reduced). Then the
// reduction alone, without and with dithering, on one thread and on up to one a core, each
// reducing a skin of its own: a reduction runs on the thread that calls it, so more cores serve
// more reductions at once. The quality of the reduction beside ImageMagick's is measured by
// quiltane_quality.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <thread>

#include "bench/stitched_skins.h"
#include "core/codec/bmp.h"
#include "core/canvas.h"
#include "core/library/image_library.h"
#include "core/eight_bit/colour_reduction.h"
#include "core/eight_bit/palette_choice.h"

namespace {

using core::PaletteWay;
using core::Picture;

struct Case {
    Picture image, loaded;
};

// The stitched skin of the most colours.
Picture mostColourful() {
    auto skins = bench::stitchedSkins();
    const auto most = std::max_element(skins.begin(), skins.end(), [](const auto& a, const auto& b) {
        return core::countColours(a.image) < core::countColours(b.image);
    });
    return most->image;
}

Case caseFor(PaletteWay way) {
    const Picture body = core::decodeBmp(core::embeddedBmp(core::ImageId::imgMedBody)).value();
    core::Canvas canvas;
    canvas.setPicture(body);
    switch (way) {
    case PaletteWay::Unchanged:
        return {canvas.image(), body};
    case PaletteWay::Exact:
        return {canvas.image(), Picture()};
    case PaletteWay::Reduced:
        break;
    }
    return {mostColourful(), Picture()};
}

void BM_ChoosePalette(benchmark::State& state) {
    const PaletteWay way = PaletteWay(state.range(0));
    const Case c = caseFor(way);
    state.SetLabel(std::string(core::paletteWayName(way)));
    for (auto _ : state) {
        auto choice = core::choosePalette(c.image, c.loaded, 0);
        if (!choice || choice.value().way != way) {
            state.SkipWithError("the skin did not take the way it was made for");
            return;
        }
        benchmark::DoNotOptimize(choice.value().indices.data());
    }
}
BENCHMARK(BM_ChoosePalette)
    ->Arg(int(PaletteWay::Unchanged))
    ->Arg(int(PaletteWay::Exact))
    ->Arg(int(PaletteWay::Reduced))
    ->Unit(benchmark::kMillisecond);

// state.range(0): the dithering in percent. Each benchmark thread reduces a skin of its own.
void BM_ReduceColours(benchmark::State& state) {
    static const Picture skin = mostColourful();
    const float dithering = float(state.range(0)) / 100;
    for (auto _ : state) {
        auto reduced = core::reduceColours(skin, dithering);
        if (!reduced) {
            state.SkipWithError(reduced.message().c_str());
            return;
        }
        benchmark::DoNotOptimize(reduced.value().indices.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReduceColours)
    ->ArgName("dither%")
    ->Arg(0)
    ->Arg(100)
    ->ThreadRange(1, int(std::max(1u, std::thread::hardware_concurrency())))
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
