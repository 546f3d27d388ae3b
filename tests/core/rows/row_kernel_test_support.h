#pragma once
// What the tests of the row loops share: a test run once per kernel, named "portable",
// "SSSE3", "AVX2", "AVX512" and skipped where the processor does not run it; the row widths
// that meet every tail after whole vector steps; and rows to read and write that show a read
// or a write outside them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/rows/row_kernel.h"

namespace kerneltest {

inline std::string kernelTestName(const ::testing::TestParamInfo<core::rows::Kernel>& info) {
    std::string name(core::rows::kernelName(info.param));
    name.erase(std::remove(name.begin(), name.end(), '-'), name.end()); // letters and digits only
    return name;
}

// A test run once per kernel; on a processor that does not run the kernel's code it is skipped.
class EachKernel : public ::testing::TestWithParam<core::rows::Kernel> {
  protected:
    void SetUp() override {
        if (!core::rows::processorRuns(GetParam()))
            GTEST_SKIP() << "this processor does not run " << core::rows::kernelName(GetParam()) << " code";
    }
};

// Every width from 1 to two widest vector steps (step pixels each) and ten more, so that every
// tail length after whole steps is met, then the longer rows.
inline std::vector<int> rowWidths(int step, std::initializer_list<int> longer) {
    std::vector<int> all;
    for (int width = 1; width <= 2 * step + 10; ++width)
        all.push_back(width);
    all.insert(all.end(), longer);
    return all;
}

// Source and destination rows start this many different byte offsets into their memory.
constexpr std::size_t kShifts = 4;

// A row to read, shift bytes into its allocation (new gives 16-byte alignment at least) and
// ending where the allocation ends: a read past it shows under AddressSanitizer.
class SourceRow {
  public:
    SourceRow(std::size_t bytes, std::size_t shift)
        : m_memory(new std::uint8_t[shift + bytes]), m_shift(shift) {}
    std::uint8_t* data() { return m_memory.get() + m_shift; }

  private:
    std::unique_ptr<std::uint8_t[]> m_memory;
    std::size_t m_shift;
};

// A row to write, shift bytes after a guard and followed by another: a byte written outside
// the row changes a guard.
class GuardedRow {
  public:
    static constexpr std::uint8_t kGuard = 0xA5;
    static constexpr std::size_t kGuardBytes = 64;

    GuardedRow(std::size_t bytes, std::size_t shift)
        : m_memory(kGuardBytes + shift + bytes + kGuardBytes, kGuard), m_shift(shift) {}
    std::uint8_t* data() { return m_memory.data() + kGuardBytes + m_shift; }
    // Whether nothing before the row, or nothing after it, was written.
    bool untouchedBefore() const {
        return std::all_of(m_memory.begin(), m_memory.begin() + std::ptrdiff_t(kGuardBytes + m_shift),
                           isGuard);
    }
    bool untouchedAfter() const {
        return std::all_of(m_memory.end() - std::ptrdiff_t(kGuardBytes), m_memory.end(), isGuard);
    }

  private:
    static bool isGuard(std::uint8_t b) { return b == kGuard; }
    std::vector<std::uint8_t> m_memory;
    std::size_t m_shift;
};

} // namespace kerneltest
