// The BMP reader against the conformance suite's reference images, pixel by pixel. The
// suite's INDEX.md lists every file with the reference image(s) that show it correctly; libpng
// reads the references, so the comparison runs under the sanitizers too.
//
// Good files must match a reference exactly. Questionable files that the reader decodes must
// match one where the reference is opaque: the reader keeps colour and drops alpha, so a
// transparent reference pixel says nothing about the colour. Pixels that RLE data leaves
// unset take the palette's first colour, which is what the suite's "-0" references show.
// Embedded colour profiles are ignored, so the one file whose profile changes its colours is
// the one expected mismatch.

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "core/codec/bmp.h"
#include "tests/core/codec/bmp_suite.h"

namespace {

namespace fs = std::filesystem;

struct SuiteFile {
    std::string folder;
    std::string name;
    std::vector<std::string> references; // PNG files in html/; any one of them is a correct display
};

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' '), last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// Rows of the index's file table: | folder | file | bpp | ... | reference | description |
std::vector<SuiteFile> suiteFiles() {
    std::ifstream index(bmpsuite::folder() / "INDEX.md");
    std::vector<SuiteFile> files;
    static const std::regex png(R"([\w-]+\.png)");
    for (std::string line; std::getline(index, line);) {
        std::vector<std::string> cells;
        std::stringstream row(line);
        for (std::string cell; std::getline(row, cell, '|');)
            cells.push_back(trimmed(cell));
        if (cells.size() < 10 || !cells[2].ends_with(".bmp")) continue;
        SuiteFile file{cells[1], cells[2], {}};
        if (cells[8].starts_with("yes:"))
            for (std::sregex_iterator m(cells[8].begin(), cells[8].end(), png), end; m != end; ++m)
                file.references.push_back(m->str());
        files.push_back(file);
    }
    return files;
}

struct Rgba {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels; // r, g, b, a
};

// A reference image as 8-bit RGBA; empty when it cannot be read. libpng's simple reader takes
// 16-bit files as linear light and would convert them to sRGB on the way to 8 bits, so those
// are read at 16 bits and scaled. (It premultiplies 16-bit colour by alpha; only opaque pixels
// of those files are compared.)
Rgba readPng(const fs::path& file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) return {};
    const bool sixteenBits = image.format & PNG_FORMAT_FLAG_LINEAR;
    image.format = sixteenBits ? PNG_FORMAT_LINEAR_RGB_ALPHA : PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> raw(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, raw.data(), 0, nullptr)) return {};
    Rgba out{int(image.width), int(image.height), {}};
    if (!sixteenBits) {
        out.pixels = std::move(raw);
        return out;
    }
    out.pixels.resize(raw.size() / 2);
    for (std::size_t i = 0; i < out.pixels.size(); ++i) {
        std::uint16_t v;
        std::memcpy(&v, &raw[i * 2], 2);
        out.pixels[i] = std::uint8_t((v + 128) / 257);
    }
    return out;
}

// Pixels that differ by more than tolerance in a channel, counting only those the reference
// shows opaque unless all; -1 when the sizes differ.
int differences(const core::Picture& picture, const Rgba& reference, bool all, int tolerance) {
    if (picture.width() != reference.width || picture.height() != reference.height) return -1;
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint8_t* want = &reference.pixels[(std::size_t(y) * reference.width + x) * 4];
            const core::Rgb got = picture.pixel(x, y);
            if (!all && want[3] != 255) continue;
            if (want[3] != 255 || std::abs(got.r - want[0]) > tolerance ||
                std::abs(got.g - want[1]) > tolerance || std::abs(got.b - want[2]) > tolerance)
                ++count;
        }
    return count;
}

// Empty when the picture matches one of the references, else how far each is off.
std::string mismatch(const core::Picture& picture, const std::vector<std::string>& references, bool all,
                     int tolerance) {
    std::string report;
    for (const std::string& name : references) {
        const Rgba reference = readPng(bmpsuite::folder() / "html" / name);
        if (reference.pixels.empty()) return "cannot read reference " + name;
        const int differing = differences(picture, reference, all, tolerance);
        if (differing == 0) return {};
        report += name + ": " +
                  (differing < 0 ? "another size" : std::to_string(differing) + " pixels differ") + "; ";
    }
    return report;
}

class BmpSuitePixels : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override { BMPSUITE_REQUIRE(); }
};

TEST_P(BmpSuitePixels, DecodedFilesMatchTheirReference) {
    const std::string folder = GetParam();
    const bool good = folder == "g";
    int compared = 0;
    for (const SuiteFile& file : suiteFiles()) {
        if (file.folder != folder || file.references.empty()) continue;
        SCOPED_TRACE(folder + "/" + file.name);
        const auto picture = core::loadPicture((bmpsuite::folder() / folder / file.name).string());
        if (!good && !picture) continue; // refusals are checked by the suite sweep
        ASSERT_TRUE(picture) << picture.message();
        ++compared;
        // Questionable files' references come from more precise colours than some files hold
        // (11-bit channels, for one), so a channel may be off by one there.
        const std::string report = mismatch(picture.value(), file.references, good, good ? 0 : 1);
        if (file.name == "rgb24prof2.bmp") {
            EXPECT_FALSE(report.empty()) << "colour profiles are ignored; this one swaps red and green";
            continue;
        }
        EXPECT_EQ(report, "");
    }
    EXPECT_GT(compared, 10) << "the index lists too few files with references";
}

INSTANTIATE_TEST_SUITE_P(Folders, BmpSuitePixels, ::testing::Values("g", "q"));

} // namespace
