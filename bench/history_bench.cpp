// The history: undo and redo of a stamp that repaints the whole destination, and what a hundred
// such steps keep in memory.

#include <benchmark/benchmark.h>

#include <vector>

#include "stamps/edits.h"

namespace {

// Two stamps that each repaint every destination byte: the source's shown image, straight and
// inverted. Pressed in turn, every press changes all 196,608 bytes.
core::PaintArgs wholeCanvas(core::RasterOp op) {
    core::PaintArgs args;
    args.width1 = 256;
    args.height1 = 256;
    args.op = op;
    return args;
}
const stamps::PaintStep kCopy[] = {{stamps::PictureSource::SourceImage,
                                    {},
                                    stamps::CanvasId::picTarget,
                                    wholeCanvas(core::RasterOp::SRCCOPY)}};
const stamps::PaintStep kInvert[] = {{stamps::PictureSource::SourceImage,
                                      {},
                                      stamps::CanvasId::picTarget,
                                      wholeCanvas(core::RasterOp::NOTSRCCOPY)}};
const stamps::ButtonSpec kCopyButton{"Copy", "Copy", stamps::Group::UserCopy, {},   {},
                                     "",     0,      stamps::Action::Paint,   kCopy};
const stamps::ButtonSpec kInvertButton{"Invert", "Invert", stamps::Group::UserCopy, {},     {},
                                       "",       0,        stamps::Action::Paint,   kInvert};

void loadSkins(stamps::Workspace& workspace) {
    std::vector<std::uint8_t> rgb(256 * 256 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = std::uint8_t(i * 7 + i / 768);
    (void)stamps::openPicture(workspace, stamps::CanvasId::picSource, core::Picture(256, 256, rgb), "a.bmp");
}

// One undo and one redo of a whole-canvas stamp a round: items are single undos or redos.
void BM_HistoryUndoRedoWholeCanvasStamp(benchmark::State& state) {
    stamps::Workspace workspace;
    loadSkins(workspace);
    (void)stamps::pressButton(kInvertButton, workspace);
    for (auto _ : state) {
        stamps::undo(workspace);
        stamps::redo(workspace);
        benchmark::DoNotOptimize(workspace.picTarget.imageBytes());
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_HistoryUndoRedoWholeCanvasStamp);

// A press with its history step (the canvases' state before, the delta after), and what a
// hundred of them keep.
void BM_HistoryHundredWholeCanvasStamps(benchmark::State& state) {
    std::size_t bytes = 0, steps = 0;
    for (auto _ : state) {
        stamps::Workspace workspace;
        loadSkins(workspace);
        for (int i = 0; i < 100; ++i)
            (void)stamps::pressButton(i % 2 ? kCopyButton : kInvertButton, workspace);
        bytes = workspace.history.memoryBytes();
        steps = workspace.history.stepCount();
    }
    state.counters["history_MB"] = double(bytes) / (1 << 20);
    state.counters["steps"] = double(steps);
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_HistoryHundredWholeCanvasStamps)->Unit(benchmark::kMillisecond);

} // namespace
