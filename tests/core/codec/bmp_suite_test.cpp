// The public BMP conformance suite, swept file by file: good files decode, questionable and
// bad ones decode to a picture of their stated size or are refused with a reason, and none
// of them crashes or reads outside its bytes (this runs under the sanitizers too). Pixel
// comparison with the suite's reference images is in bmp_suite_pixels_test.cpp.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "core/codec/bmp.h"
#include "tests/core/codec/bmp_suite.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSuite = bmpsuite::folder();

// Files the reader refuses, with a part of the reason; every other file must decode.
const std::map<std::string, std::string> kRefused = {
    {"q/pal1huffmsb.bmp", "Huffman 1D compression"},
    {"q/rgb24jpeg.bmp", "embedded JPEG image"},
    {"q/rgb24png.bmp", "embedded PNG image"},
    {"q/rgb24rle24.bmp", "RLE24 compression"},
    {"q/rgba64.bmp", "64 bits per pixel"},
    {"b/badbitcount.bmp", "30000 bits per pixel"},
    {"b/badheadersize.bmp", "header size of 66 bytes"},
    {"b/badplanes.bmp", "colour planes instead of 1"},
    {"b/badwidth.bmp", "width of -127 pixels"},
    {"b/reallybig.bmp", "3000000 x 2000000 pixels is too large"},
    {"b/shortfile.bmp", "the file is truncated"},
};

std::vector<std::uint8_t> readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class BmpSuite : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override { BMPSUITE_REQUIRE(); }
};

TEST_P(BmpSuite, EveryFileDecodesOrIsRefusedWithAReason) {
    std::set<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kSuite / GetParam()))
        if (entry.path().extension() == ".bmp") files.insert(entry.path());
    ASSERT_FALSE(files.empty());

    for (const fs::path& file : files) {
        const std::string name = std::string(GetParam()) + "/" + file.filename().string();
        SCOPED_TRACE(name);
        const auto picture = core::loadPicture(file.string());
        const auto refused = kRefused.find(name);
        if (refused == kRefused.end()) {
            ASSERT_TRUE(picture) << picture.message();
            const auto info = core::readBmpInfo(readAll(file));
            ASSERT_TRUE(info) << info.message();
            EXPECT_EQ(picture.value().width(), info.value().width);
            EXPECT_EQ(picture.value().height(), info.value().height);
        } else {
            ASSERT_FALSE(picture);
            EXPECT_EQ(picture.message().rfind("Cannot open " + file.string() + ": ", 0), 0u)
                << picture.message();
            EXPECT_NE(picture.message().find(refused->second), std::string::npos) << picture.message();
        }
    }
}

// Each file of the suite cut at many lengths and with damaged bytes: no crash, no read past
// the end, and a decoded picture always has the size its header states.
TEST_P(BmpSuite, DamagedCopiesNeverBreakTheReader) {
    for (const auto& entry : fs::directory_iterator(kSuite / GetParam())) {
        SCOPED_TRACE(entry.path().string());
        const std::vector<std::uint8_t> bytes = readAll(entry.path());
        for (std::size_t length = 0; length < bytes.size(); length += length < 160 ? 1 : 97) {
            std::vector<std::uint8_t> copy(bytes.begin(), bytes.begin() + std::ptrdiff_t(length));
            const auto picture = core::decodeBmp(copy);
            if (picture) {
                const auto info = core::readBmpInfo(copy);
                ASSERT_TRUE(info);
                EXPECT_EQ(picture.value().width(), info.value().width);
            }
        }
        for (std::size_t at = 0; at < std::min<std::size_t>(bytes.size(), 160); ++at) {
            std::vector<std::uint8_t> copy = bytes;
            copy[at] ^= 0xA5;
            (void)core::decodeBmp(copy);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, BmpSuite, ::testing::Values("g", "q", "b"));

} // namespace
