// The 8-bit save's palette choice, one run per way, on 256 x 256 skins: a skin loaded from an
// 8-bit file and saved unchanged (its palette kept), the same skin with no palette to keep (its
// 250-odd colours taken exactly), and the stitched skin of the most colours (reduced). The
// quality of the reduction beside ImageMagick's is measured by quiltane_quality.

#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench/stitched_skins.h"
#include "core/codec/bmp.h"
#include "core/canvas.h"
#include "core/library/image_library.h"
#include "core/eight_bit/palette_choice.h"

namespace {

using core::PaletteWay;
using core::Picture;

struct Case {
    Picture image, loaded;
};

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
    auto skins = bench::stitchedSkins();
    const auto most = std::max_element(skins.begin(), skins.end(), [](const auto& a, const auto& b) {
        return core::countColours(a.image) < core::countColours(b.image);
    });
    return {most->image, Picture()};
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

} // namespace
