// The user's own outfits: a mask made from the bare body a garment was painted on, and the
// garment saved on every bare body at once. Rows:
//   BM_MakeMask              a 256 x 256 skin (a colourful garment under "Bikini 402" on the
//                            light female body, saved as 8 bits) against that body, tidied;
//   BM_EveryToneInMemory     the six library tones worked out and encoded as 24-bit BMPs, no disk;
//   BM_EveryTone/24, /8      the six tones saved into a temporary folder, staged and committed
//                            together, the 8-bit reductions on every processor;
//   BM_OneEightBitSave       one 8-bit save of one such tone (reduced), the measure of the set.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "bench/stitched_skins.h"
#include "core/codec/bmp.h"
#include "stamps/bare_bodies.h"
#include "stamps/edits.h"
#include "stamps/files.h"
#include "stamps/mask_from_body.h"
#include "stamps/tones.h"

namespace {

namespace fs = std::filesystem;

// A temporary folder for the saves, removed with it.
struct Folder {
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "quiltane-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~Folder() {
        if (!path.empty()) fs::remove_all(path);
    }
    std::string path;
};

// The workspace of a skin maker about to save every tone: the colourful garment under the
// bikini mask on the light female body, saved as 8 bits, opened, and the mask made from it
// pressed.
struct Garment {
    Folder folder;
    stamps::Workspace workspace;
    std::vector<stamps::BareBody> bodies;
    std::string skin;
    std::string problem;

    Garment() {
        skin = folder.path + "/skin.bmp";
        workspace.picTarget.setPicture(bench::colourfulDestination(1));
        for (const char* name : {"Command56", "cmddjfld"}) // "Bikini 402", "Light  Fem"
            if (auto pressed = stamps::runButton(*stamps::findButton(name), workspace); !pressed)
                problem = pressed.message();
        if (auto saved = stamps::saveDestination(workspace, stamps::SaveFormat::EightBit, skin, {}); !saved)
            problem = saved.message();
        workspace = {};
        if (auto opened = stamps::openFile(workspace, stamps::CanvasId::picTarget, skin); !opened.status)
            problem = opened.status.message();
        for (const stamps::LibraryBody& row : stamps::libraryBodies())
            bodies.push_back(stamps::libraryBody(row, *workspace.library).value());
    }

    bool applyMask() {
        auto made = stamps::maskFromBareBody(workspace, bodies.front());
        if (!made) return false;
        return bool(stamps::applyMadeMask(workspace, made.value(), bodies.front()));
    }
};

void BM_MakeMask(benchmark::State& state) {
    Garment garment;
    if (!garment.problem.empty()) return state.SkipWithError(garment.problem.c_str());
    int pixels = 0;
    for (auto _ : state) {
        auto made = stamps::maskFromBareBody(garment.workspace, garment.bodies.front());
        if (!made) return state.SkipWithError(made.message().c_str());
        pixels = made.value().garmentPixels;
        benchmark::DoNotOptimize(made.value().mask);
    }
    state.counters["garment pixels"] = pixels;
}
BENCHMARK(BM_MakeMask)->Unit(benchmark::kMillisecond);

void BM_EveryToneInMemory(benchmark::State& state) {
    Garment garment;
    if (!garment.problem.empty() || !garment.applyMask()) return state.SkipWithError("no garment");
    for (auto _ : state)
        for (const stamps::BareBody& body : garment.bodies) {
            auto image = stamps::toneImage(garment.workspace, body);
            if (!image) return state.SkipWithError(image.message().c_str());
            benchmark::DoNotOptimize(core::encodeBmp24(image.value()));
        }
}
BENCHMARK(BM_EveryToneInMemory)->Unit(benchmark::kMillisecond);

void BM_EveryTone(benchmark::State& state) {
    Garment garment;
    if (!garment.problem.empty() || !garment.applyMask()) return state.SkipWithError("no garment");
    Folder out;
    stamps::TonesRequest request{out.path,
                                 garment.skin,
                                 garment.bodies,
                                 state.range(0) == 8 ? stamps::SaveFormat::EightBit
                                                     : stamps::SaveFormat::TrueColour,
                                 {}};
    for (auto _ : state)
        if (auto saved = stamps::saveTones(garment.workspace, request); !saved)
            return state.SkipWithError(saved.message().c_str());
}
BENCHMARK(BM_EveryTone)->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OneEightBitSave(benchmark::State& state) {
    Garment garment;
    if (!garment.problem.empty() || !garment.applyMask()) return state.SkipWithError("no garment");
    Folder out;
    // The medium female tone, as the destination a user would save: its colours are not all in
    // the opened file's palette (the light female tone's are), so it is reduced as the others.
    auto tone = stamps::toneImage(garment.workspace, garment.bodies[1]);
    if (!tone) return state.SkipWithError(tone.message().c_str());
    garment.workspace.picTarget.setPicture(tone.value());
    for (auto _ : state)
        if (auto saved = stamps::saveDestination(garment.workspace, stamps::SaveFormat::EightBit,
                                                 out.path + "/one.bmp", {});
            !saved)
            return state.SkipWithError(saved.message().c_str());
}
BENCHMARK(BM_OneEightBitSave)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
