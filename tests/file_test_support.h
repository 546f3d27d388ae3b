#pragma once
// What the file tests share: a fresh temporary folder per test, reading and writing whole files,
// and the names a folder holds (to see that no temporary file was left behind).

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace filetest {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

inline Bytes readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void writeAll(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The names in a folder, sorted.
inline std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A fixture with a fresh folder, m_dir, removed after the test.
class TempFolderTest : public ::testing::Test {
  protected:
    // A file of the folder, by name.
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "quiltane-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        if (!m_dir.empty()) fs::remove_all(m_dir);
    }

    fs::path m_dir;
};

} // namespace filetest
