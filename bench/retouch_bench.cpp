// Retouching a skin, each edit as the window and quiltane-cli run it: one step of the history
// on a workspace whose destination is a bare body (targets: a pencil dab reaches the screen
// within a frame, 16 ms, the 3D view included, and recording a stroke's step costs under 1 ms;
// fill, replace, mirror, recolour and blending every seam under 2 ms each).

#include <benchmark/benchmark.h>

#include "bench/stitched_skins.h"
#include "core/library/image_library.h"
#include "core/retouch/fill.h"
#include "core/retouch/mirror.h"
#include "core/retouch/pencil.h"
#include "core/retouch/recolour.h"
#include "preview/colour_match.h"
#include "preview/render.h"
#include "preview/seam_blend.h"
#include "preview/seams.h"
#include "stamps/edits.h"
#include "stamps/retouch.h"

namespace {

using core::retouch::Raster;

const core::Picture& bareBody() {
    return core::ImageLibrary::shared().picture(core::ImageId::imgMedBody);
}

struct Loaded {
    explicit Loaded(const core::Picture& skin = bareBody()) {
        (void)stamps::openPicture(workspace, stamps::CanvasId::picTarget, skin, "skin.bmp");
    }
    stamps::Workspace workspace;
};

// A place on the back's torso and its colour, where a fill starts.
constexpr core::retouch::Point kOnTheBack{110, 40};
constexpr core::Rgb kInk{30, 60, 160};

// Runs the edit as one step per iteration, undoing it (untimed) so every run starts alike.
void runAsSteps(benchmark::State& state, const stamps::PixelEdit& edit,
                const core::Picture& skin = bareBody()) {
    Loaded loaded(skin);
    for (auto _ : state) {
        benchmark::DoNotOptimize(stamps::retouch(loaded.workspace, "edit", edit));
        state.PauseTiming();
        stamps::undo(loaded.workspace);
        state.ResumeTiming();
    }
}

void BM_RetouchFill(benchmark::State& state) {
    const double tolerance = double(state.range(0));
    runAsSteps(state, [tolerance](Raster& skin) {
        core::retouch::fill(skin, kOnTheBack, kInk, preview::likeColour(skin.pixel(kOnTheBack), tolerance));
    });
    state.SetLabel(tolerance == 0 ? "exact colour" : "within 10 (CIEDE2000)");
}
BENCHMARK(BM_RetouchFill)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_RetouchReplace(benchmark::State& state) {
    const double tolerance = double(state.range(0));
    const core::Rgb picked = bareBody().pixel(kOnTheBack.x, kOnTheBack.y);
    runAsSteps(state, [&](Raster& skin) {
        core::retouch::replace(skin, kInk, preview::likeColour(picked, tolerance));
    });
    state.SetLabel(tolerance == 0 ? "exact colour" : "within 10 (CIEDE2000)");
}
BENCHMARK(BM_RetouchReplace)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_RetouchMirror(benchmark::State& state) {
    runAsSteps(state, [](Raster& skin) { core::retouch::mirror(skin, core::retouch::Side::Left); });
}
BENCHMARK(BM_RetouchMirror)->Unit(benchmark::kMillisecond);

// 0: the whole bare body (an 8-bit picture: few colours); 1: within a one-piece mask; 2: the
// whole of a colourful 24-bit skin, tens of thousands of colours.
void BM_RetouchRecolour(benchmark::State& state) {
    const bool masked = state.range(0) == 1, colourful = state.range(0) == 2;
    const core::retouch::PixelArea area =
        masked ? core::retouch::PixelArea::ofMask(
                     core::ImageLibrary::shared().picture(core::ImageId::imgOnePiece), core::kSkinSize,
                     core::kSkinSize)
                     .value()
               : core::retouch::PixelArea::whole(core::kSkinSize, core::kSkinSize);
    const core::Picture skin = colourful ? bench::colourfulDestination(7) : bareBody();
    runAsSteps(
        state,
        [&](Raster& raster) {
            core::retouch::recolour(raster, {40, 20, -10}, area);
        },
        skin);
    state.SetLabel(masked      ? "within a one-piece mask"
                   : colourful ? "a colourful 24-bit skin"
                               : "the whole skin");
}
BENCHMARK(BM_RetouchRecolour)->Arg(1)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_RetouchBlendAllSeams(benchmark::State& state) {
    runAsSteps(state, [](Raster& skin) { preview::blendSeams(skin, preview::kDefaultBlendWidth); });
}
BENCHMARK(BM_RetouchBlendAllSeams)->Unit(benchmark::kMillisecond);

// One dab of a stroke on the canvas, without what the window then draws.
void BM_PencilDab(benchmark::State& state) {
    Loaded loaded;
    (void)stamps::beginStroke(loaded.workspace);
    int x = 0;
    for (auto _ : state) {
        x = (x + 1) % core::kSkinSize;
        benchmark::DoNotOptimize(stamps::paintStroke(loaded.workspace, [x](Raster& skin) {
            core::retouch::dab(skin, {x, 100}, 3, kInk);
        }));
    }
}
BENCHMARK(BM_PencilDab)->Unit(benchmark::kMicrosecond);

// A dab and what the preview computes to show it without Qt: the destination's image, the seam
// check and the 3D view rendered at the preview window's size (the window's own drawing is
// measured with it in BM_PencilDabToScreen, where Qt is built).
void BM_PencilDabAndPreview(benchmark::State& state) {
    Loaded loaded;
    (void)stamps::beginStroke(loaded.workspace);
    int x = 0;
    for (auto _ : state) {
        x = (x + 1) % core::kSkinSize;
        (void)stamps::paintStroke(loaded.workspace, [x](Raster& skin) {
            core::retouch::dab(skin, {x, 100}, 3, kInk);
        });
        const core::Picture skin = loaded.workspace.picTarget.image();
        benchmark::DoNotOptimize(preview::checkSeams(skin));
        benchmark::DoNotOptimize(preview::renderSkin(skin, {0, 0, 1}, 420, 520));
    }
}
BENCHMARK(BM_PencilDabAndPreview)->Unit(benchmark::kMillisecond);

// Keeping a stroke of 200 dabs spread over the skin as one step: the copy of both canvases as
// the stroke starts and the step recorded as it ends. The dabs themselves are not timed.
void BM_StrokeStep(benchmark::State& state) {
    Loaded loaded;
    for (auto _ : state) {
        (void)stamps::beginStroke(loaded.workspace);
        state.PauseTiming();
        for (int i = 0; i < 200; ++i)
            (void)stamps::paintStroke(loaded.workspace, [i](Raster& skin) {
                core::retouch::dab(skin, {(i * 37) % core::kSkinSize, (i * 11) % core::kSkinSize}, 4, kInk);
            });
        state.ResumeTiming();
        benchmark::DoNotOptimize(stamps::endStroke(loaded.workspace, std::string(stamps::kPencilStep)));
        state.PauseTiming();
        stamps::undo(loaded.workspace);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StrokeStep)->Unit(benchmark::kMicrosecond);

} // namespace
