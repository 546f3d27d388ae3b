// One cookie-cutter skin end to end, all in memory, as a batch of skins will make it: a 24-bit
// destination skin's BMP bytes decoded, "Bikini 402" (its outfit mask) and "Med Fem" (its
// body fill) pressed, the result encoded as a 24-bit BMP or as an 8-bit one (its palette chosen
// as the 8-bit save chooses it: a colourful skin is reduced). Rows:
//   BM_CookieCutterSkin/24, /8       a later skin: the library has its two pictures already;
//   BM_CookieCutterFirstSkin/24, /8  the first skin of a run: a fresh library decodes them.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/stitched_skins.h"
#include "core/codec/bmp.h"
#include "core/codec/bmp_encoder.h"
#include "core/eight_bit/palette_choice.h"
#include "stamps/runner.h"

namespace {

// The skin as the chosen file's bytes, or why there are none.
core::Result<std::vector<std::uint8_t>> encodeSkin(const core::Picture& skin, const core::Picture& loaded,
                                                   int bitsPerPixel, std::string& way) {
    if (bitsPerPixel == 24) {
        way = "24-bit";
        return core::encodeBmp24(skin);
    }
    auto choice = core::choosePalette(skin, loaded, 0);
    if (!choice) return choice.status();
    const core::PaletteChoice& c = choice.value();
    auto encoder = core::BmpEncoder::palette({skin.width(), skin.height(), c.palette, c.indices}, 8,
                                             core::BmpEncoder::ColoursUsed::Stated);
    if (!encoder) return encoder.status();
    way = "8-bit, " + std::string(core::paletteWayName(c.way));
    return encoder.value().bytes();
}

void cookieCutterSkin(benchmark::State& state, bool firstSkin) {
    const int bitsPerPixel = int(state.range(0));
    const std::vector<std::uint8_t> destination = core::encodeBmp24(bench::colourfulDestination(1));
    const stamps::ButtonSpec* mask = stamps::findButton("Command56"); // "Bikini 402"
    const stamps::ButtonSpec* body = stamps::findButton("Command52"); // "Med Fem"
    std::string way;
    for (auto _ : state) {
        std::unique_ptr<core::ImageLibrary> fresh;
        stamps::Workspace workspace;
        if (firstSkin) workspace.library = (fresh = std::make_unique<core::ImageLibrary>()).get();
        auto loaded = core::decodeBmp(destination);
        if (!loaded) {
            state.SkipWithError(loaded.message().c_str());
            return;
        }
        workspace.picTarget.setPicture(loaded.value());
        for (const stamps::ButtonSpec* press : {mask, body})
            if (auto pressed = stamps::runButton(*press, workspace); !pressed) {
                state.SkipWithError(pressed.message().c_str());
                return;
            }
        auto bytes = encodeSkin(workspace.picTarget.image(), loaded.value(), bitsPerPixel, way);
        if (!bytes) {
            state.SkipWithError(bytes.message().c_str());
            return;
        }
        benchmark::DoNotOptimize(bytes.value().data());
    }
    state.SetLabel(way);
    state.SetItemsProcessed(state.iterations()); // skins a second
}

void BM_CookieCutterSkin(benchmark::State& state) {
    cookieCutterSkin(state, false);
}
BENCHMARK(BM_CookieCutterSkin)->Arg(24)->Arg(8)->Unit(benchmark::kMicrosecond);

void BM_CookieCutterFirstSkin(benchmark::State& state) {
    cookieCutterSkin(state, true);
}
BENCHMARK(BM_CookieCutterFirstSkin)->Arg(24)->Arg(8)->Unit(benchmark::kMicrosecond);

} // namespace
