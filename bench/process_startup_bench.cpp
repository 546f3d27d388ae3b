// Start-up as a user meets it: a fresh process from its start to the window shown and painted,
// and its resident memory then, for the main window beside a bare window and a bare window
// with one caption. Each repetition starts bench/startup_probe once (probe_launch.h), on the
// platform QUILTANE_PROBE_PLATFORM names, offscreen unless set. startup_compare.cpp runs the
// same probes interleaved for steadier ratios under load, and startup_xvfb.sh runs it on xcb.

#if QUILTANE_WITH_QT

#include <benchmark/benchmark.h>

#include "bench/probe_launch.h"

namespace {

probe::Environment& environment() {
    static probe::Environment environment(probe::platform());
    return environment;
}

void startProcess(benchmark::State& state, const char* kind) {
    long residentSum = 0;
    for (auto _ : state) {
        const probe::Run run = probe::launch(QUILTANE_STARTUP_PROBE, kind, environment());
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
// One start per repetition, so that the median of 15 starts is reported beside the mean.
BENCHMARK(BM_ProcessStartBareWindow)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProcessStartCaptionWindow)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProcessStartMainWindow)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace

#endif
