#pragma once
// Where the BMP conformance suite lies, and what a test does when it is not there: fail, since
// every clone that CI and developers use has it beside it, unless the build was configured to go
// without it (QUILTANE_WITHOUT_BMPSUITE), and then skip with a visible message.

#include <gtest/gtest.h>

#include <filesystem>

namespace bmpsuite {

inline std::filesystem::path folder() {
    return QUILTANE_BMPSUITE_DIR;
}

} // namespace bmpsuite

#define BMPSUITE_REQUIRE()                                                                                   \
    do {                                                                                                     \
        if (std::filesystem::is_directory(bmpsuite::folder() / "g")) break;                                  \
        if (QUILTANE_WITHOUT_BMPSUITE)                                                                       \
            GTEST_SKIP() << "The BMP suite is not at " << bmpsuite::folder().string()                        \
                         << "; the build was configured without it.";                                        \
        FAIL() << "The BMP suite is not at " << bmpsuite::folder().string()                                  \
               << ": put the shared/ folder beside the clone, or configure with "                            \
                  "-DQUILTANE_WITHOUT_BMPSUITE=ON to skip its tests.";                                       \
    } while (false)
