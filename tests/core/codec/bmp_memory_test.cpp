// Memory: loading a file needs its size plus 3 bytes a pixel (1 for a palette file), saving streams the rows,
// a header is checked before the file is read, and running out of memory ends the load or the save with a
// message instead of the program. Each case runs in a child process under an address-space limit.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "core/codec/bmp.h"
#include "tests/child_process.h"
#include "tests/core/codec/bmp_test_fixtures.h"
#include "tests/file_test_support.h"

namespace {

namespace fs = std::filesystem;
using bmptest::BmpSpec;
using bmptest::Bytes;
using core::Picture;
using core::Rgb;
using filetest::writeAll;

constexpr std::size_t kMiB = 1024 * 1024;
// What a load or a save may use beyond the picture and the file: buffers, names, messages.
constexpr std::size_t kSlack = 8 * kMiB;
const Rgb kFirstColour{10, 20, 30};

BmpSpec headerOf(int width, int height, int bitsPerPixel, int headerSize = 40) {
    BmpSpec header;
    header.width = width;
    header.height = height;
    header.bitsPerPixel = bitsPerPixel;
    header.headerSize = headerSize;
    return header;
}

std::vector<Rgb> greyPalette() {
    std::vector<Rgb> palette{kFirstColour};
    for (int i = 1; i < 256; ++i)
        palette.push_back({std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)});
    return palette;
}

// An RLE8 file made only of end-of-line codes, as long as the reader's cap on pixels per byte
// of compressed data asks: every pixel takes the palette's first colour.
Bytes endOfLineRle(int width, int height) {
    BmpSpec header = headerOf(width, height, 8);
    header.compression = 1;
    header.palette = greyPalette();
    header.pixels.assign(std::size_t(width) * std::size_t(height) / 256, 0); // pairs of 0, 0
    return bmptest::makeBmp(header);
}

// A plain file whose stored bytes run 0, 1, 2, ...: 8 bits through the grey palette, or 24.
Bytes plainFile(int width, int height, int bitsPerPixel) {
    BmpSpec header = headerOf(width, height, bitsPerPixel);
    if (bitsPerPixel == 8) header.palette = greyPalette();
    header.pixels.resize((std::size_t(width) * std::size_t(bitsPerPixel) + 31) / 32 * 4 *
                         std::size_t(height));
    for (std::size_t i = 0; i < header.pixels.size(); ++i)
        header.pixels[i] = std::uint8_t(i);
    return bmptest::makeBmp(header);
}

class BmpMemory : public filetest::TempFolderTest {
  protected:
    void SetUp() override {
        if (childtest::kAddressSanitizer) GTEST_SKIP() << childtest::kNoLimitUnderAsan;
        TempFolderTest::SetUp();
    }
};

struct BigFile {
    const char* name;
    int width, height;
    int bytesPerPixel; // of the picture as loaded: 1 for palette indices
    std::function<Bytes(int, int)> make;
    Rgb bottomLeft[2]; // the first two pixels of the bottom row, the first stored
};

TEST_F(BmpMemory, ConvertingNeedsThePicturePlusTheFile) {
    const BigFile cases[] = {
        // Decoded through an index buffer into red, green and blue, this needed 4 bytes a pixel.
        {"RLE8 of end-of-line codes", 8192, 2048, 1, endOfLineRle, {kFirstColour, kFirstColour}},
        // Encoded whole in memory before writing, a save needed 6 bytes a pixel.
        {"plain 8 bits",
         4096,
         2048,
         1,
         [](int w, int h) { return plainFile(w, h, 8); },
         {kFirstColour, {1, 1, 1}}},
        {"plain 24 bits",
         2048,
         2048,
         3,
         [](int w, int h) { return plainFile(w, h, 24); },
         {{2, 1, 0}, {5, 4, 3}}},
    };
    for (const BigFile& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path in = m_dir / "in.bmp", out = m_dir / "out.bmp";
        std::size_t fileSize = 0;
        {
            const Bytes bytes = c.make(c.width, c.height);
            fileSize = bytes.size();
            writeAll(in, bytes);
        }
        const std::size_t budget =
            std::size_t(c.width) * std::size_t(c.height) * std::size_t(c.bytesPerPixel) + fileSize + kSlack;
        const childtest::Outcome outcome = childtest::runInChild([&](std::string& report) {
            report.reserve(1024);
            if (!childtest::limitAddressSpaceTo(budget)) return 3;
            auto picture = core::loadPicture(in.string());
            if (!picture) {
                report = picture.message();
                return 1;
            }
            const core::Status saved = core::savePicture(picture.value(), out.string());
            report = saved.message();
            return saved ? 0 : 2;
        });
        EXPECT_TRUE(outcome.exited(0))
            << "exit " << outcome.exitCode << ", signal " << outcome.signal << ": " << outcome.report;
        if (!outcome.exited(0)) continue;
        const auto original = core::loadPicture(in.string()), converted = core::loadPicture(out.string());
        ASSERT_TRUE(original && converted);
        EXPECT_EQ(converted.value(), original.value());
        EXPECT_EQ(converted.value().pixel(0, c.height - 1), c.bottomLeft[0]);
        EXPECT_EQ(converted.value().pixel(1, c.height - 1), c.bottomLeft[1]);
        EXPECT_EQ(fs::file_size(out), 54 + std::size_t(c.width) * 3 * std::size_t(c.height));
    }
}

TEST_F(BmpMemory, ARefusedHeaderIsRefusedBeforeTheFileIsRead) {
    // Large files, sparse on disk, read under a limit far below their size.
    const struct {
        const char* name;
        BmpSpec header;
        std::uintmax_t fileSize;
        const char* reason;
    } cases[] = {
        {"size over the cap", headerOf(40000, 40000, 24), 200 * kMiB,
         "its size of 40000 x 40000 pixels is too large (at most 32768 pixels a side and 64 million "
         "pixels)."},
        {"pixels beyond the end of the file", headerOf(8192, 8192, 24), 100 * kMiB,
         "the file is truncated: it holds 104857546 of the 201326592 bytes of pixel data its size needs."},
        {"not a BMP file", headerOf(1, 1, 24, 41), 200 * kMiB,
         "its header size of 41 bytes is not one the BMP format uses; the file may be damaged."},
        {"larger than any picture", headerOf(8192, 8192, 32), 301 * kMiB,
         "the file is too large to be a skin picture."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = m_dir / "big.bmp";
        writeAll(path, bmptest::makeBmp(c.header));
        fs::resize_file(path, c.fileSize);
        const childtest::Outcome outcome = childtest::runInChild([&](std::string& report) {
            report.reserve(1024);
            if (!childtest::limitAddressSpaceTo(4 * kMiB)) return 3;
            report = core::loadPicture(path.string()).message();
            return 0;
        });
        EXPECT_TRUE(outcome.exited(0)) << "exit " << outcome.exitCode << ", signal " << outcome.signal;
        EXPECT_EQ(outcome.report, "Cannot open " + path.string() + ": " + c.reason);
    }
}

TEST_F(BmpMemory, RunningOutOfMemoryEndsTheLoadOrTheSaveWithAMessage) {
    const fs::path big = m_dir / "big.bmp", saved = m_dir / "saved.bmp";
    writeAll(big, endOfLineRle(8192, 2048)); // 48 MiB of pixels from 64 KiB
    writeAll(saved, {'o', 'l', 'd'});
    const Picture wide = Picture::filled(32768, 64, {1, 2, 3});
    const struct {
        const char* name;
        std::function<core::Status()> action;
        std::string message;
    } cases[] = {
        {"load", [&] { return core::loadPicture(big.string()).status(); },
         "Cannot open " + big.string() + ": not enough memory to open it (8192 × 2048)."},
        {"save", [&] { return core::savePicture(wide, saved.string()); },
         "Cannot save " + saved.string() + ": not enough memory to save it (32768 × 64)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const childtest::Outcome outcome = childtest::runInChild([&](std::string& report) {
            report.reserve(1024); // the report itself must not need memory
            // All memory taken but for 64 KiB in small pieces: enough for names and messages,
            // too little for the 48 MiB picture or a 256 KiB chunk of rows.
            if (!childtest::leaveOnlyMemory(64 * 1024)) return 3;
            const core::Status status = c.action();
            report = status.message();
            return status.isOutOfMemory() ? 0 : 1;
        });
        EXPECT_TRUE(outcome.exited(0)) << "exit " << outcome.exitCode << ", signal " << outcome.signal;
        EXPECT_EQ(outcome.report, c.message);
    }
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"big.bmp", "saved.bmp"}));
    EXPECT_EQ(fs::file_size(saved), 3u);
}

} // namespace
