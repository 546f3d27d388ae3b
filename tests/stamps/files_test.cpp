// The file operations the front ends share: opening records one step named by the file and
// changes nothing when the file cannot be read; each save format writes the file its row says
// and tells it in the status line's words; a staged save committed is the save itself; the
// dithering option reaches the format that reduces colours; failures leave no file.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/codec/bmp.h"
#include "core/library/image_library.h"
#include "stamp_test_support.h"
#include "stamps/edits.h"
#include "stamps/file_origin.h"
#include "stamps/files.h"
#include "tests/core/codec/png_test_fixtures.h"
#include "tests/file_test_support.h"

namespace {

namespace fs = std::filesystem;
using filetest::namesIn;
using filetest::readAll;
using stamps::CanvasId;
using stamps::SaveFormat;
using namespace stamps_test;

constexpr core::Rgb kRed{200, 10, 20}, kGreen{10, 200, 20}, kBlue{10, 20, 200};

// 256 x 256 in three bands of colour, top to bottom.
core::Picture threeColours() {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const core::Rgb c = y < 80 ? kRed : y < 160 ? kGreen : kBlue;
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    return core::Picture(256, 256, std::move(rgb));
}

// The game's medium body as its 8-bit file holds it; empty when built without the library.
filetest::Bytes gameSkinFile() {
    const auto bytes = core::embeddedBmp(core::ImageId::imgMedBody);
    return filetest::Bytes(bytes.begin(), bytes.end());
}

class Files : public filetest::TempFolderTest {
  protected:
    // The picture written as a 24-bit file of the folder; its path.
    std::string fileOf(const std::string& name, const core::Picture& picture) const {
        EXPECT_TRUE(core::savePicture(picture, path(name)));
        return path(name);
    }
    // A workspace whose destination canvas holds what the file at path holds, opened from it.
    static stamps::Workspace opened(const std::string& path) {
        stamps::Workspace w;
        EXPECT_TRUE(stamps::openFile(w, CanvasId::picTarget, path).loaded);
        return w;
    }
    stamps::Workspace withDestination(const core::Picture& picture) const {
        return opened(fileOf("destination.bmp", picture));
    }
};

TEST_F(Files, OpeningAFileIsOneStepNamedByTheFile) {
    const core::Picture source = coordinatePicture(256, 256, kSourceTag);
    const core::Picture target = coordinatePicture(300, 200, kTargetTag); // kept whole, not cut to the canvas
    stamps::Workspace w;
    const stamps::Opened first = stamps::openFile(w, CanvasId::picSource, fileOf("a.bmp", source));
    ASSERT_TRUE(first.loaded);
    EXPECT_TRUE(first.status) << first.status.message();
    const stamps::Opened second = stamps::openFile(w, CanvasId::picTarget, fileOf("skin two.bmp", target));
    ASSERT_TRUE(second.loaded);
    EXPECT_TRUE(second.status) << second.status.message();

    EXPECT_EQ(w.picSource.picture(), source);
    EXPECT_EQ(w.picTarget.picture(), target);
    EXPECT_EQ(w.history.stepCount(), 2u);
    EXPECT_EQ(w.history.undoName(), "Open skin two.bmp");
    ASSERT_TRUE(stamps::undo(w));
    EXPECT_TRUE(w.picTarget.picture().isEmpty());
    EXPECT_EQ(w.picSource.picture(), source);
    EXPECT_EQ(w.history.undoName(), "Open a.bmp");
}

// A PNG file opens as a BMP file does, told by its first bytes whatever its name; one with
// transparency opens flattened onto white, and the opening says so.
TEST_F(Files, APngFileOpensWithItsTransparencyTold) {
    pngtest::PngLayout rgba;
    rgba.width = 2;
    rgba.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    rgba.samples = {0, 0, 0, 0, 1, 2, 3, 255};
    pngtest::PngLayout opaque = rgba;
    opaque.samples = {9, 9, 9, 255, 1, 2, 3, 255};
    const struct {
        const char* name;
        pngtest::PngLayout file;
        core::Picture shown;
        bool told;
    } cases[] = {
        {"clear.png", rgba, core::Picture(2, 1, std::vector<std::uint8_t>{255, 255, 255, 1, 2, 3}), true},
        {"named.bmp", opaque, core::Picture(2, 1, std::vector<std::uint8_t>{9, 9, 9, 1, 2, 3}), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        filetest::writeAll(m_dir / c.name, pngtest::writePng(c.file));
        stamps::Workspace w;
        const stamps::Opened opened = stamps::openFile(w, CanvasId::picTarget, path(c.name));
        ASSERT_TRUE(opened.loaded) << opened.status.message();
        EXPECT_EQ(w.picTarget.picture(), c.shown);
        EXPECT_EQ(opened.note, c.told ? path(c.name) + ": its transparency was flattened onto white." : "");
        // Saved back where it came from as the PNG file it was.
        ASSERT_NE(stamps::fileOf(w, CanvasId::picTarget), nullptr);
        EXPECT_EQ(stamps::fileOf(w, CanvasId::picTarget)->format, SaveFormat::Png);
    }
}

TEST_F(Files, AFileThatCannotBeReadChangesNothing) {
    filetest::writeAll(m_dir / "text.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'B', 'M', 'P'});
    const struct {
        std::string path, message;
    } cases[] = {
        {path("missing.bmp"), "Cannot open " + path("missing.bmp") + ": the file does not exist."},
        {path("text.bmp"), "Cannot open " + path("text.bmp") + ": it is not a BMP or PNG file."},
        {m_dir.string(), "Cannot open " + m_dir.string() + ": it is a folder, not a file."},
    };
    stamps::Workspace w = withDestination(threeColours());
    const std::uint64_t revision = w.picTarget.revision();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const stamps::Opened opened = stamps::openFile(w, CanvasId::picTarget, c.path);
        EXPECT_FALSE(opened.loaded);
        EXPECT_EQ(opened.status.kind(), core::Status::Kind::Input);
        EXPECT_EQ(opened.status.message(), c.message);
        EXPECT_EQ(w.picTarget.revision(), revision);
        EXPECT_EQ(w.history.stepCount(), 1u);
    }
}

// What each format writes of a destination: the file's depth and size, and the status line's
// words. Every row of the table has its case here, so a new format comes with its own.
struct Written {
    int bitsPerPixel;
    std::optional<std::size_t> fileSize; // none for a compressed file
    std::string description;
    bool everyColour = true; // the file holds the image exactly
};

TEST_F(Files, EachFormatWritesWhatItsRowSays) {
    filetest::writeAll(m_dir / "body.bmp", gameSkinFile());
    const struct {
        const char* what;
        std::string file;
        std::map<SaveFormat, Written> written;
    } cases[] = {
        {"three colours",
         fileOf("three.bmp", threeColours()),
         {{SaveFormat::EightBit, {8, 66614, "8-bit, 3 colours, exact"}},
          {SaveFormat::TrueColour, {24, 196662, "24-bit"}},
          {SaveFormat::Png, {2, {}, "PNG, 3 colours, exact"}}}},
        {"one colour",
         fileOf("one.bmp", core::Picture::filled(256, 256, kGreen)),
         {{SaveFormat::EightBit, {8, 66614, "8-bit, 1 colour, exact"}},
          {SaveFormat::TrueColour, {24, 196662, "24-bit"}},
          {SaveFormat::Png, {1, {}, "PNG, 1 colour, exact"}}}},
        {"the game's skin, its palette kept",
         path("body.bmp"),
         {{SaveFormat::EightBit, {8, 66614, "8-bit, 256 colours, unchanged palette"}},
          {SaveFormat::TrueColour, {24, 196662, "24-bit"}},
          {SaveFormat::Png, {8, {}, "PNG, 256 colours, unchanged palette"}}}},
        {"65,536 colours",
         fileOf("many.bmp", coordinatePicture(256, 256, kTargetTag)),
         {{SaveFormat::EightBit, {8, 66614, "8-bit, 256 colours, reduced", false}},
          {SaveFormat::TrueColour, {24, 196662, "24-bit"}},
          {SaveFormat::Png, {24, {}, "PNG, 24-bit"}}}},
    };
    for (const auto& c : cases) {
        if (fs::file_size(c.file) == 0) continue; // built without the library
        const stamps::Workspace w = opened(c.file);
        for (const stamps::SaveFormatSpec& row : stamps::allSaveFormats()) {
            SCOPED_TRACE(std::string(c.what) + ", " + std::string(row.dialogFilter));
            const auto expected = c.written.find(row.format);
            ASSERT_NE(expected, c.written.end()) << "no case for this format";
            const std::string out = path("out" + std::string(stamps::extensionOf(row.format)));
            const core::Result<std::string> saved = stamps::saveDestination(w, row.format, out);
            ASSERT_TRUE(saved) << saved.message();
            EXPECT_EQ(saved.value(), expected->second.description);
            if (expected->second.fileSize) {
                EXPECT_EQ(readAll(out).size(), *expected->second.fileSize);
            }
            const auto info = core::readPictureInfoFile(out);
            ASSERT_TRUE(info) << info.message();
            EXPECT_EQ(info.value().format, row.file);
            EXPECT_EQ(info.value().bitsPerPixel, expected->second.bitsPerPixel);
            const auto read = core::loadPicture(out);
            ASSERT_TRUE(read) << read.message();
            EXPECT_EQ(read.value() == w.picTarget.image(), expected->second.everyColour);
        }
    }
}

TEST_F(Files, AStagedSaveCommittedIsTheSave) {
    // More than 256 colours, dithered: the 8-bit save reduces them.
    const stamps::Workspace w = withDestination(coordinatePicture(256, 256, kTargetTag));
    const stamps::SaveOptions dithered{0.75f};
    for (const stamps::SaveFormatSpec& row : stamps::allSaveFormats()) {
        SCOPED_TRACE(row.dialogFilter);
        fs::remove(path("staged.bmp"));
        const core::Result<std::string> saved =
            stamps::saveDestination(w, row.format, path("saved.bmp"), dithered);
        ASSERT_TRUE(saved) << saved.message();
        core::Result<stamps::StagedSave> staged =
            stamps::stageDestination(w, row.format, path("staged.bmp"), dithered);
        ASSERT_TRUE(staged) << staged.message();
        EXPECT_EQ(staged.value().description, saved.value());
        EXPECT_FALSE(fs::exists(path("staged.bmp"))); // not before its commit
        std::vector<core::AtomicFile> files;
        files.push_back(std::move(staged.value().file));
        ASSERT_TRUE(core::AtomicFile::commitTogether(files).front());
        EXPECT_EQ(readAll(path("staged.bmp")), readAll(path("saved.bmp")));
    }
}

// Dithering is the 8-bit format's option: it changes a reduced file and no other.
TEST_F(Files, DitheringReachesTheFormatThatReducesColours) {
    const stamps::Workspace w = withDestination(coordinatePicture(256, 256, kTargetTag));
    for (const stamps::SaveFormatSpec& row : stamps::allSaveFormats()) {
        SCOPED_TRACE(row.dialogFilter);
        ASSERT_TRUE(stamps::saveDestination(w, row.format, path("plain.bmp"), {0.0f}));
        ASSERT_TRUE(stamps::saveDestination(w, row.format, path("dithered.bmp"), {1.0f}));
        const bool reduces = row.format == SaveFormat::EightBit;
        EXPECT_EQ(readAll(path("plain.bmp")) != readAll(path("dithered.bmp")), reduces);
    }
}

TEST_F(Files, AConvertedFileKeepsItsSizeAndItsPalette) {
    const core::Picture big = coordinatePicture(300, 200, kSourceTag);
    const std::string in = fileOf("big.bmp", big);
    for (const stamps::SaveFormatSpec& row : stamps::allSaveFormats()) {
        SCOPED_TRACE(row.dialogFilter);
        const core::Result<stamps::Converted> converted =
            stamps::convertFile(row.format, in, path("out.bmp"));
        ASSERT_TRUE(converted) << converted.message();
        const auto read = core::loadPicture(path("out.bmp"));
        ASSERT_TRUE(read);
        EXPECT_EQ(read.value().width(), 300);
        EXPECT_EQ(read.value().height(), 200);
    }
    // A game skin converted to 8 bits keeps its file's palette and indices: the same bytes
    // after the headers.
    const filetest::Bytes body = gameSkinFile();
    if (body.empty()) GTEST_SKIP() << "built without the library";
    filetest::writeAll(m_dir / "body.bmp", body);
    const core::Result<stamps::Converted> converted =
        stamps::convertFile(SaveFormat::EightBit, path("body.bmp"), path("body2.bmp"));
    ASSERT_TRUE(converted) << converted.message();
    EXPECT_EQ(converted.value().description, "8-bit, 256 colours, unchanged palette");
    constexpr std::ptrdiff_t kHeaders = 14 + 40;
    const filetest::Bytes written = readAll(path("body2.bmp"));
    ASSERT_EQ(written.size(), body.size());
    EXPECT_TRUE(std::equal(written.begin() + kHeaders, written.end(), body.begin() + kHeaders));
}

TEST_F(Files, AFailedSaveNamesTheFileAndLeavesNone) {
    const stamps::Workspace w = withDestination(threeColours());
    const std::string out = path("missing/skin.bmp");
    const std::string message = "Cannot save " + out + ": No such file or directory.";
    for (const stamps::SaveFormatSpec& row : stamps::allSaveFormats()) {
        SCOPED_TRACE(row.dialogFilter);
        const core::Result<std::string> saved = stamps::saveDestination(w, row.format, out);
        EXPECT_EQ(saved.message(), message);
        EXPECT_EQ(saved.status().kind(), core::Status::Kind::Output);
        EXPECT_EQ(stamps::stageDestination(w, row.format, out).message(), message);
        EXPECT_EQ(stamps::convertFile(row.format, path("none.bmp"), path("out.bmp")).message(),
                  "Cannot open " + path("none.bmp") + ": the file does not exist.");
    }
    EXPECT_EQ(namesIn(m_dir), std::vector<std::string>{"destination.bmp"});
}

} // namespace
