#pragma once
// Test names for tests run once per row-loop kernel: "portable", "SSSE3", "AVX2", "AVX512".

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "core/row_kernel.h"

namespace kerneltest {

inline std::string kernelTestName(const ::testing::TestParamInfo<core::bmp::Kernel>& info) {
    std::string name(core::bmp::kernelName(info.param));
    name.erase(std::remove(name.begin(), name.end(), '-'), name.end()); // letters and digits only
    return name;
}

} // namespace kerneltest
