#pragma once
// What the atomic save's tests share: a fresh folder per test, emptied again for each case of
// a table, with the save's seams set back to what the program uses once the test is over; and
// what a target holds before a save.

#include <filesystem>

#include "core/atomic_file.h"
#include "tests/file_test_support.h"

namespace savetest {

// The bytes of a file that a save is to replace.
inline const filetest::Bytes kOld{'o', 'l', 'd'};

class SaveTest : public filetest::TempFolderTest {
  protected:
    void TearDown() override {
        core::testing::saveSeams() = {};
        TempFolderTest::TearDown();
    }
    // Empties the folder, for the next case of a table.
    void emptyFolder() {
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
};

} // namespace savetest
