// The writer's exact layout, and the file wrappers: errors that name the file, and saves
// that replace a file atomically or leave it untouched.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "core/codec/bmp.h"
#include "tests/child_process.h"
#include "tests/core/bmp_test_fixtures.h"
#include "tests/file_test_support.h"

namespace {

namespace fs = std::filesystem;
using bmptest::Bytes;
using core::Picture;
using core::Rgb;
using filetest::namesIn;
using filetest::readAll;
using filetest::writeAll;

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

// Every pixel distinct: red = x, green = y, blue = a tag.
Picture coordinatePicture(int width, int height) {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rgb.insert(rgb.end(), {std::uint8_t(x), std::uint8_t(y), 77});
    return Picture(width, height, std::move(rgb));
}

using BmpFiles = filetest::TempFolderTest;

TEST(BmpEncode, WritesA24BitBottomUpFileWithPaddedRows) {
    const Picture picture = coordinatePicture(3, 2); // 9 bytes a row, padded to 12
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
    EXPECT_EQ(firstRow, (Bytes{77, 1, 0, 77, 1, 1, 77, 1, 2, 0, 0, 0}));
    EXPECT_EQ(b[66 + 2], 0); // top row's first pixel: red = x = 0

    EXPECT_TRUE(core::encodeBmp24(Picture()).empty());
}

TEST(BmpEncode, RoundTripsEveryRowPadding) {
    for (int width : {1, 2, 3, 4, 5, 256}) {
        SCOPED_TRACE(width);
        const Picture picture = coordinatePicture(width, 3);
        const auto decoded = core::decodeBmp(core::encodeBmp24(picture));
        ASSERT_TRUE(decoded) << decoded.message();
        EXPECT_EQ(decoded.value(), picture);
    }
}

TEST_F(BmpFiles, SavedFileLoadsBackAndReplacesTheOldOneKeepingItsPermissions) {
    const fs::path path = m_dir / "skin2.bmp";
    writeAll(path, Bytes(10, 'x'));
    ::chmod(path.c_str(), 0640);
    const Picture picture = coordinatePicture(256, 256);
    ASSERT_TRUE(core::savePicture(picture, path.string()));
    const auto loaded = core::loadPicture(path.string());
    ASSERT_TRUE(loaded) << loaded.message();
    EXPECT_EQ(loaded.value(), picture);
    EXPECT_EQ(namesIn(m_dir), std::vector<std::string>{"skin2.bmp"});
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // A new file in the current folder, given without any folder part.
    const fs::path before = fs::current_path();
    fs::current_path(m_dir);
    EXPECT_TRUE(core::savePicture(picture, "plain.bmp"));
    fs::current_path(before);
    EXPECT_TRUE(fs::exists(m_dir / "plain.bmp"));
}

TEST_F(BmpFiles, SavingThroughALinkReplacesTheLinkedFile) {
    fs::create_directory(m_dir / "skins");
    writeAll(m_dir / "skins" / "real.bmp", Bytes{'o', 'l', 'd'});
    fs::create_symlink(m_dir / "skins" / "real.bmp", m_dir / "link.bmp");
    const Picture picture = coordinatePicture(5, 5);
    ASSERT_TRUE(core::savePicture(picture, (m_dir / "link.bmp").string()));
    EXPECT_TRUE(fs::is_symlink(m_dir / "link.bmp"));
    EXPECT_EQ(readAll(m_dir / "skins" / "real.bmp"), core::encodeBmp24(picture));
    EXPECT_EQ(namesIn(m_dir / "skins"), std::vector<std::string>{"real.bmp"});
}

struct FailedSave {
    const char* name;
    std::function<fs::path(const fs::path& dir)> target; // prepares the folder, gives the path
    const char* reason;                                  // the system's reason, in the message
    // When not 0, the save runs in a child process that may write files of at most this many
    // bytes: the disk "fills up" in the middle of writing the picture.
    rlim_t fileSizeLimit = 0;
};

// Saves in this process, or in a child under a file size limit; the child's failure message
// comes back as its report.
core::Status saveAs(const Picture& picture, const fs::path& target, rlim_t fileSizeLimit) {
    if (fileSizeLimit == 0) return core::savePicture(picture, target.string());
    const childtest::Outcome outcome = childtest::runInChild([&](std::string& report) {
        ::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG instead
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
        const core::Status saved = core::savePicture(picture, target.string());
        report = saved.message();
        return saved ? 0 : 1;
    });
    if (outcome.exited(0)) return core::Status::ok();
    return core::Status::error(outcome.exited(1) ? outcome.report
                                                 : "the child process failed: " + outcome.report);
}

TEST_F(BmpFiles, FailedSaveLeavesEverythingAsItWas) {
    const std::vector<FailedSave> cases = {
        {"missing folder", [](const fs::path& dir) { return dir / "no such folder" / "skin.bmp"; },
         "No such file or directory"},
        {"parent is a file",
         [](const fs::path& dir) {
             writeAll(dir / "notes.txt", Bytes{'k', 'e', 'e', 'p'});
             return dir / "notes.txt" / "skin.bmp";
         },
         "Not a directory"},
        {"target is a folder with files",
         [](const fs::path& dir) {
             fs::create_directory(dir / "skin.bmp");
             writeAll(dir / "skin.bmp" / "inside.bmp", Bytes{'k', 'e', 'e', 'p'});
             return dir / "skin.bmp";
         },
         "it is a folder, not a file."},
        {"target is an empty folder",
         [](const fs::path& dir) {
             fs::create_directory(dir / "empty.bmp");
             return dir / "empty.bmp";
         },
         "it is a folder, not a file."},
        // Over an existing small file, the disk full after 4 KB of the 196 KB picture: a save
        // that wrote over the file in place would leave it cut short.
        {"no room for the whole picture", [](const fs::path& dir) { return dir / "old.bmp"; },
         "File too large", 4096},
    };
    for (const FailedSave& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        writeAll(m_dir / "old.bmp", Bytes{'o', 'l', 'd'});
        const fs::path target = c.target(m_dir);
        const std::vector<std::string> before = namesIn(m_dir);

        const core::Status saved = saveAs(coordinatePicture(256, 256), target, c.fileSizeLimit);
        ASSERT_FALSE(saved);
        EXPECT_NE(saved.message().find("Cannot save " + target.string() + ": "), std::string::npos)
            << saved.message();
        EXPECT_NE(saved.message().find(c.reason), std::string::npos) << saved.message();
        EXPECT_EQ(namesIn(m_dir), before); // no temporary file left behind
        EXPECT_EQ(readAll(m_dir / "old.bmp"), (Bytes{'o', 'l', 'd'}));
        if (fs::is_directory(target)) {
            EXPECT_EQ(namesIn(target).size(), fs::exists(target / "inside.bmp") ? 1u : 0u);
        }
    }
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
        {"skin.bmp", "it is not a BMP file."},
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
