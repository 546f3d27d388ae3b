// What looking for dead saves' temporary files costs a save: the first save into a folder
// reads the folder's names once (here a folder of 1,000 or 10,000 skins, ten of them
// leftovers to remove); every later save into it only recognises the folder as seen.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/temporary_names.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder of `skins` empty skins and `leftovers` unlocked temporary files; a new folder
// each time, as the look happens once per folder.
fs::path fillFolder(int skins, int leftovers) {
    std::string pattern = (fs::temp_directory_path() / "quiltane-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return {};
    for (int i = 0; i < skins; ++i)
        std::ofstream(fs::path(pattern) / ("skin" + std::to_string(i) + ".bmp"));
    for (int i = 0; i < leftovers; ++i)
        std::ofstream(fs::path(pattern) / core::temporary::makeName());
    return pattern;
}

void BM_FirstSaveLooksThroughTheFolder(benchmark::State& state) {
    const int skins = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path folder = fillFolder(skins, 10);
        const int handle = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        state.ResumeTiming();
        core::temporary::removeLeftovers(handle);
        state.PauseTiming();
        ::close(handle);
        fs::remove_all(folder);
        state.ResumeTiming();
    }
}
// A few iterations: making each folder takes far longer than looking through it.
BENCHMARK(BM_FirstSaveLooksThroughTheFolder)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(10)
    ->Unit(benchmark::kMicrosecond);

void BM_LaterSaveKnowsTheFolder(benchmark::State& state) {
    const fs::path folder = fillFolder(1000, 0);
    const int handle = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    core::temporary::removeLeftovers(handle);
    for (auto _ : state)
        core::temporary::removeLeftovers(handle);
    ::close(handle);
    fs::remove_all(folder);
}
BENCHMARK(BM_LaterSaveKnowsTheFolder);

} // namespace
