// The writer's exact layout, and the file wrappers: a saved file loads back as the same
// picture, and errors name the file and the reason. What a save may replace, and what a failed
// one leaves, is the atomic save's (atomic_save_test.cpp).

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/codec/bmp.h"
#include "tests/core/codec/bmp_test_fixtures.h"
#include "tests/core/picture_test_support.h"
#include "tests/file_test_support.h"

namespace {

namespace fs = std::filesystem;
using bmptest::Bytes;
using core::Picture;
using filetest::namesIn;
using filetest::readAll;
using filetest::writeAll;
using picturetest::coordinatePicture;

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

// The blue of every pixel of the pictures written here (red is x, green is y).
constexpr std::uint8_t kTag = 76;

using BmpFiles = filetest::TempFolderTest;

TEST(BmpEncode, WritesA24BitBottomUpFileWithPaddedRows) {
    const Picture picture = coordinatePicture(3, 2, kTag); // 9 bytes a row, padded to 12
    const Bytes b = core::encodeBmp24(picture);
    ASSERT_EQ(b.size(), 14u + 40u + 2 * 12);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le32(b, 2), b.size());
    EXPECT_EQ(le32(b, 10), 54u); // pixel data right after the headers: no palette
    EXPECT_EQ(le32(b, 14), 40u);
    EXPECT_EQ(le32(b, 18), 3u);
    EXPECT_EQ(le32(b, 22), 2u);             // positive height: bottom-up
    EXPECT_EQ(le32(b, 26), 1u | 24u << 16); // one plane, 24 bits per pixel
    EXPECT_EQ(le32(b, 30), 0u);             // no compression
    EXPECT_EQ(le32(b, 34), 24u);
    // The first stored row is the bottom one (y = 1), each pixel blue, green, red, then padding.
    const Bytes firstRow(b.begin() + 54, b.begin() + 66);
    EXPECT_EQ(firstRow, (Bytes{kTag, 1, 0, kTag, 1, 1, kTag, 1, 2, 0, 0, 0}));
    EXPECT_EQ(b[66 + 2], 0); // top row's first pixel: red = x = 0

    EXPECT_TRUE(core::encodeBmp24(Picture()).empty());
}

TEST(BmpEncode, RoundTripsEveryRowPadding) {
    for (int width : {1, 2, 3, 4, 5, 256}) {
        SCOPED_TRACE(width);
        const Picture picture = coordinatePicture(width, 3, kTag);
        const auto decoded = core::decodeBmp(core::encodeBmp24(picture));
        ASSERT_TRUE(decoded) << decoded.message();
        EXPECT_EQ(decoded.value(), picture);
    }
}

TEST_F(BmpFiles, SavedFileReplacesTheOldOneAndLoadsBack) {
    const fs::path path = m_dir / "skin2.bmp";
    writeAll(path, Bytes(10, 'x'));
    const Picture picture = coordinatePicture(256, 256, kTag);
    ASSERT_TRUE(core::savePicture(picture, path.string()));
    const auto loaded = core::loadPicture(path.string());
    ASSERT_TRUE(loaded) << loaded.message();
    EXPECT_EQ(loaded.value(), picture);
    EXPECT_EQ(namesIn(m_dir), std::vector<std::string>{"skin2.bmp"});
}

TEST_F(BmpFiles, EmptyPictureIsNotSaved) {
    const fs::path path = m_dir / "skin.bmp";
    writeAll(path, Bytes{'o', 'l', 'd'});
    const core::Status saved = core::savePicture(Picture(), path.string());
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.message(), "Cannot save " + path.string() + ": there is no picture to save.");
    EXPECT_EQ(readAll(path), (Bytes{'o', 'l', 'd'}));
}

TEST_F(BmpFiles, LoadErrorsNameTheFileAndTheReason) {
    writeAll(m_dir / "skin.bmp", Bytes{'h', 'e', 'l', 'l', 'o'});
    writeAll(m_dir / "short.bmp", Bytes{'B', 'M', 0, 0});
    fs::create_directory(m_dir / "folder.bmp");
    ASSERT_EQ(::mkfifo((m_dir / "pipe.bmp").c_str(), 0600), 0); // must not block the reader
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"skin.bmp", "it is not a BMP or PNG file."},
        {"missing.bmp", "the file does not exist."},
        {"folder.bmp", "it is a folder, not a file."},
        {"pipe.bmp", "it is not an ordinary file."},
        {"short.bmp", "the file is truncated: it ends inside its header."},
    };
    for (const auto& [name, reason] : cases) {
        const std::string path = (m_dir / name).string();
        const auto loaded = core::loadPicture(path);
        ASSERT_FALSE(loaded) << name;
        EXPECT_EQ(loaded.message(), "Cannot open " + path + ": " + reason);
    }
}

} // namespace
