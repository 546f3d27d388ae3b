// The process start-up of the main window against a bare window and a bare window with one
// caption, as medians and ratios. The three probes take turns, round after round, so that a
// machine whose load changes during the run slows all three alike and the ratios hold.
//   startup_compare [rounds]     (15 unless given; platform: QUILTANE_PROBE_PLATFORM or offscreen)

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/probe_launch.h"

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const char* platform = probe::platform();
    probe::Environment environment(platform);
    const std::array<const char*, 3> kinds = {"bare", "caption", "main"};
    std::array<std::vector<double>, 3> milliseconds;
    for (int round = 0; round < rounds; ++round)
        for (std::size_t k = 0; k < kinds.size(); ++k) {
            const probe::Run run = probe::launch(QUILTANE_STARTUP_PROBE, kinds[k], environment);
            if (!run.ok) {
                std::fprintf(stderr, "the %s probe failed on %s\n", kinds[k], platform);
                return 1;
            }
            milliseconds[k].push_back(run.seconds * 1e3);
        }
    std::printf("%s, median of %d starts each:\n", platform, rounds);
    std::array<double, 3> medians{};
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        medians[k] = median(milliseconds[k]);
        std::printf("  %-8s %7.2f ms\n", kinds[k], medians[k]);
    }
    std::printf("  main/caption %.2f   main/bare %.2f\n", medians[2] / medians[1], medians[2] / medians[0]);
    return 0;
}
