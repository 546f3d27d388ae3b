// Picking row loops by instruction set: what the processor is said to run agrees with what the
// operating system reports of it, so that the vector tests really run where they can.

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "core/rows/row_kernel.h"

namespace {

using core::rows::Kernel;
using core::rows::KernelSet;

// The flags of the first processor in /proc/cpuinfo; empty where there is none.
std::set<std::string> cpuFlags() {
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("flags", 0) == 0) {
            std::istringstream words(line.substr(line.find(':') + 1));
            std::set<std::string> flags;
            for (std::string flag; words >> flag;)
                flags.insert(flag);
            return flags;
        }
    return {};
}

TEST(RowKernel, TheProcessorRunsWhatItsFlagsSay) {
    const std::set<std::string> flags = cpuFlags();
    if (flags.empty()) GTEST_SKIP() << "no /proc/cpuinfo flags to compare with";
    const bool x86 = flags.count("sse2") != 0;
    auto has = [&](std::initializer_list<const char*> names) {
        for (const char* name : names)
            if (!flags.count(name)) return false;
        return x86;
    };
    EXPECT_TRUE(core::rows::processorRuns(Kernel::Portable));
    EXPECT_EQ(core::rows::processorRuns(Kernel::Ssse3), has({"ssse3"}));
    EXPECT_EQ(core::rows::processorRuns(Kernel::Avx2), has({"avx2"}));
    EXPECT_EQ(core::rows::processorRuns(Kernel::Avx512), has({"avx512f", "avx512bw", "avx512vbmi"}));
}

int portable() {
    return 0;
}
int ssse3() {
    return 1;
}

TEST(RowKernel, ALoopWithoutAKernelsVersionRunsThePortableOne) {
    const KernelSet<int (*)()> set({portable, ssse3, nullptr, nullptr});
    EXPECT_EQ(set.pick(Kernel::Avx2)(), 0);
    EXPECT_EQ(set.pick(Kernel::Avx512)(), 0);
    EXPECT_EQ(set.pick(Kernel::Ssse3)(), core::rows::processorRuns(Kernel::Ssse3) ? 1 : 0);
    EXPECT_EQ(set.widest(), core::rows::processorRuns(Kernel::Ssse3) ? Kernel::Ssse3 : Kernel::Portable);
    EXPECT_FALSE(set.runs(Kernel::Avx2));
}

} // namespace
