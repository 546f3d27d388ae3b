// The preview's renderer: one 512 x 512 frame of the whole mannequin wearing a bare body, as the
// window draws it while the user drags to turn it (target: a median under 5 ms on one core, so
// turning stays smooth), and the same frame from close up, where the facets fill the picture.
// Then a body from an OBJ file: the mannequin's skin written out as OBJ text (13,896 triangles,
// a finely tessellated body of a game has about 10,000), loaded from a file (target: under
// 50 ms) and rendered in the same frames (target: under 5 ms).

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/library/image_library.h"
#include "preview/obj_reader.h"
#include "preview/obj_writer.h"
#include "preview/render.h"

namespace {

const core::Picture& bareBody() {
    return core::ImageLibrary::shared().picture(core::ImageId::imgMedBody);
}

void renderFrames(benchmark::State& state, const preview::Body& body) {
    const preview::View view{30, 0, float(state.range(0))};
    for (auto _ : state) {
        const core::Picture frame = preview::renderSkin(bareBody(), view, 512, 512, body);
        benchmark::DoNotOptimize(frame.pixel(0, 0));
    }
    state.SetLabel((state.range(0) == 1 ? "whole body, " : "close up, ") +
                   std::to_string(body.skin.triangles.size() + body.plain.triangles.size()) + " triangles");
}

void BM_RenderMannequin512(benchmark::State& state) {
    renderFrames(state, preview::mannequin());
}
BENCHMARK(BM_RenderMannequin512)
    ->Arg(1)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The mannequin's skin as an OBJ file in a temporary folder, removed when the run ends.
class BodyFile {
  public:
    BodyFile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quiltane-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data())) m_folder = pattern;
        std::ofstream(path(), std::ios::binary) << preview::objText(preview::mannequin().skin);
    }
    ~BodyFile() {
        if (!m_folder.empty()) std::filesystem::remove_all(m_folder);
    }
    std::string path() const { return (m_folder / "body.obj").string(); }

    static const BodyFile& shared() {
        static const BodyFile file;
        return file;
    }

  private:
    std::filesystem::path m_folder;
};

void BM_LoadObjBody(benchmark::State& state) {
    const std::string path = BodyFile::shared().path();
    std::size_t triangles = 0;
    for (auto _ : state) {
        const auto body = preview::loadObjBody(path);
        if (!body) {
            state.SkipWithError(body.message().c_str());
            return;
        }
        triangles = body.value().skin.triangles.size();
    }
    state.SetLabel(std::to_string(triangles) + " triangles, " +
                   std::to_string(std::filesystem::file_size(path) / 1024) + " KB");
}
BENCHMARK(BM_LoadObjBody)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_RenderObjBody512(benchmark::State& state) {
    const auto body = preview::loadObjBody(BodyFile::shared().path());
    if (!body) return state.SkipWithError(body.message().c_str());
    renderFrames(state, body.value());
}
BENCHMARK(BM_RenderObjBody512)
    ->Arg(1)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
