// Start-up as a user meets it: a fresh process from creating the application to the window
// shown, and its resident memory then, for the main window beside a bare window in the same
// run. Each iteration starts bench/startup_probe once (offscreen platform).

#if QUILTANE_WITH_QT

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct ProbeRun {
    double seconds = 0;
    long residentKiB = 0;
    bool ok = false;
};

ProbeRun runProbe(const char* kind) {
    const std::string command =
        std::string("QT_QPA_PLATFORM=offscreen '") + QUILTANE_STARTUP_PROBE + "' " + kind + " 2>/dev/null";
    ProbeRun run;
    FILE* out = popen(command.c_str(), "r");
    if (out == nullptr) return run;
    long long micros = 0;
    run.ok = std::fscanf(out, "%lld %ld", &micros, &run.residentKiB) == 2;
    run.ok = pclose(out) == 0 && run.ok;
    run.seconds = micros / 1e6;
    return run;
}

void startProcess(benchmark::State& state, const char* kind) {
    long residentSum = 0;
    for (auto _ : state) {
        const ProbeRun run = runProbe(kind);
        if (!run.ok) {
            state.SkipWithError("the start-up probe failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        residentSum += run.residentKiB;
    }
    state.counters["resident_KiB"] = double(residentSum) / double(state.iterations());
}

void BM_ProcessStartBareWindow(benchmark::State& state) {
    startProcess(state, "bare");
}
void BM_ProcessStartCaptionWindow(benchmark::State& state) {
    startProcess(state, "caption");
}
void BM_ProcessStartMainWindow(benchmark::State& state) {
    startProcess(state, "main");
}
BENCHMARK(BM_ProcessStartBareWindow)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProcessStartCaptionWindow)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProcessStartMainWindow)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

} // namespace

#endif
