// The file each canvas's picture came from: a load names it with the format a save back keeps
// (8-bit only for an 8-bit palette file), undo and redo of a load bring the earlier file back,
// a save elsewhere renames it, and a picture the history has let go is forgotten.

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "core/codec/bmp.h"
#include "stamps/edits.h"
#include "stamps/file_origin.h"
#include "stamps/files.h"
#include "tests/core/codec/bmp_test_fixtures.h"
#include "tests/file_test_support.h"

namespace {

using stamps::CanvasId;
using stamps::FileOrigin;
using stamps::SaveFormat;

// A 2 x 2 palette BMP of the given depth, four colours.
bmptest::Bytes paletteFile(int bits) {
    bmptest::BmpSpec bmp;
    bmp.width = 2;
    bmp.height = 2;
    bmp.bitsPerPixel = bits;
    bmp.palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    bmp.pixels = bmptest::packRows(bits, {{0, 1}, {2, 3}});
    return bmptest::makeBmp(bmp);
}

class FileOrigins : public filetest::TempFolderTest {
  protected:
    std::string write(const std::string& name, const bmptest::Bytes& bytes) const {
        filetest::writeAll(m_dir / name, bytes);
        return path(name);
    }
    std::string write(const std::string& name, const core::Picture& picture) const {
        EXPECT_TRUE(core::savePicture(picture, path(name)));
        return path(name);
    }
    // The canvas's file, or "none".
    static std::string shown(const stamps::Workspace& w, CanvasId canvas) {
        const FileOrigin* file = stamps::fileOf(w, canvas);
        return file ? file->path + (file->format == SaveFormat::EightBit ? " 8" : " 24") : "none";
    }
};

TEST_F(FileOrigins, aLoadKeepsTheFileAndItsOwnFormat) {
    const struct {
        const char* what;
        std::string file;
        SaveFormat format;
    } cases[] = {
        {"8-bit palette", write("eight.bmp", paletteFile(8)), SaveFormat::EightBit},
        {"4-bit palette", write("four.bmp", paletteFile(4)), SaveFormat::TrueColour},
        {"1-bit palette", write("one.bmp", paletteFile(1)), SaveFormat::TrueColour},
        {"24-bit", write("true.bmp", core::Picture::filled(4, 4, {1, 2, 3})), SaveFormat::TrueColour},
        {"PNG",
         [&] {
             const core::Picture picture = core::Picture::filled(4, 4, {1, 2, 3});
             EXPECT_TRUE(stamps::saveAs(SaveFormat::Png, picture, picture, path("skin.png")));
             return path("skin.png");
         }(),
         SaveFormat::Png},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(stamps::ownFormat(c.file), c.format);
        stamps::Workspace w;
        ASSERT_TRUE(stamps::openFile(w, CanvasId::picTarget, c.file).loaded);
        ASSERT_NE(stamps::fileOf(w, CanvasId::picTarget), nullptr);
        EXPECT_EQ(*stamps::fileOf(w, CanvasId::picTarget), (FileOrigin{c.file, c.format}));
        EXPECT_EQ(stamps::fileOf(w, CanvasId::picSource), nullptr);
    }
    // A file that cannot be opened names nothing.
    stamps::Workspace w;
    EXPECT_FALSE(stamps::openFile(w, CanvasId::picTarget, path("missing.bmp")).loaded);
    EXPECT_EQ(stamps::fileOf(w, CanvasId::picTarget), nullptr);
}

TEST_F(FileOrigins, undoAndRedoOfALoadBringTheFileBack) {
    const std::string a = write("a.bmp", paletteFile(8));
    const std::string b = write("b.bmp", core::Picture::filled(4, 4, {1, 2, 3}));
    const std::string s = write("s.bmp", core::Picture::filled(4, 4, {9, 9, 9}));
    stamps::Workspace w;
    ASSERT_TRUE(stamps::openFile(w, CanvasId::picTarget, a).loaded);
    ASSERT_TRUE(stamps::openFile(w, CanvasId::picSource, s).loaded);
    ASSERT_TRUE(stamps::openFile(w, CanvasId::picTarget, b).loaded);
    EXPECT_EQ(shown(w, CanvasId::picTarget), b + " 24");

    ASSERT_TRUE(stamps::undo(w)); // the load of b
    EXPECT_EQ(shown(w, CanvasId::picTarget), a + " 8");
    EXPECT_EQ(shown(w, CanvasId::picSource), s + " 24");
    ASSERT_TRUE(stamps::undo(w)); // the source's load
    EXPECT_EQ(shown(w, CanvasId::picSource), "none");
    EXPECT_EQ(shown(w, CanvasId::picTarget), a + " 8");
    ASSERT_TRUE(stamps::undo(w));
    EXPECT_EQ(shown(w, CanvasId::picTarget), "none");
    ASSERT_TRUE(stamps::redo(w));
    ASSERT_TRUE(stamps::redo(w));
    ASSERT_TRUE(stamps::redo(w));
    EXPECT_EQ(shown(w, CanvasId::picTarget), b + " 24");
    EXPECT_EQ(shown(w, CanvasId::picSource), s + " 24");
}

// A save under another name makes that file the picture's: undoing a later load comes back to it.
TEST_F(FileOrigins, aSaveElsewhereRenamesThePicturesFile) {
    const std::string a = write("a.bmp", paletteFile(8));
    const std::string b = write("b.bmp", paletteFile(8));
    stamps::Workspace w;
    ASSERT_TRUE(stamps::openFile(w, CanvasId::picTarget, a).loaded);
    stamps::setFileOf(w, CanvasId::picTarget, {path("saved.bmp"), SaveFormat::TrueColour});
    EXPECT_EQ(shown(w, CanvasId::picTarget), path("saved.bmp") + " 24");
    ASSERT_TRUE(stamps::openFile(w, CanvasId::picTarget, b).loaded);
    ASSERT_TRUE(stamps::undo(w));
    EXPECT_EQ(shown(w, CanvasId::picTarget), path("saved.bmp") + " 24");
}

// A save back to the file in its own format keeps an 8-bit skin 8-bit: its palette as it was,
// and the index of every pixel not painted over.
TEST_F(FileOrigins, aSaveBackKeepsAnEightBitSkinsPaletteAndIndices) {
    const std::vector<core::Rgb> palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {7, 8, 9}};
    bmptest::BmpSpec bmp;
    bmp.width = core::kSkinSize;
    bmp.height = -core::kSkinSize; // rows stored top-down, as listed
    bmp.palette = palette;
    std::vector<std::vector<std::uint32_t>> rows(core::kSkinSize,
                                                 std::vector<std::uint32_t>(core::kSkinSize));
    for (int y = 0; y < core::kSkinSize; ++y)
        for (int x = 0; x < core::kSkinSize; ++x)
            rows[std::size_t(y)][std::size_t(x)] = std::uint32_t(x + y) % 4;
    bmp.pixels = bmptest::packRows(8, rows);
    const std::string file = write("skin.bmp", bmptest::makeBmp(bmp));

    stamps::Workspace w;
    ASSERT_TRUE(stamps::openFile(w, CanvasId::picTarget, file).loaded);
    // The top left 10 x 10 pixels painted in the palette's last colour.
    ASSERT_TRUE(w.picTarget.paintPicture(core::Picture::filled(10, 10, palette.back()), {0, 0, 10, 10}));
    const FileOrigin* back = stamps::fileOf(w, CanvasId::picTarget);
    ASSERT_NE(back, nullptr);
    ASSERT_TRUE(stamps::saveDestination(w, back->format, back->path));

    const core::Result<core::BmpInfo> info = core::readBmpInfoFile(file);
    ASSERT_TRUE(info);
    EXPECT_EQ(info.value().bitsPerPixel, 8);
    const core::Result<core::Picture> saved = core::loadPicture(file);
    ASSERT_TRUE(saved);
    ASSERT_TRUE(saved.value().isIndexed());
    const std::span<const core::Rgb> entries = saved.value().palette()->entries();
    ASSERT_GE(entries.size(), palette.size());
    EXPECT_TRUE(std::equal(palette.begin(), palette.end(), entries.begin()));
    for (int y = 0; y < core::kSkinSize; ++y)
        for (int x = 0; x < core::kSkinSize; ++x) {
            const int expected = x < 10 && y < 10 ? 4 : (x + y) % 4;
            ASSERT_EQ(saved.value().indexRow(y)[x], expected) << x << ", " << y;
        }
}

// The pictures the history has let go are no longer held for their files' sake.
TEST_F(FileOrigins, aPictureTheHistoryLetGoIsForgotten) {
    const std::string a = write("a.bmp", paletteFile(8));
    const std::string b = write("b.bmp", paletteFile(8));
    stamps::Workspace w;
    ASSERT_TRUE(stamps::openFile(w, CanvasId::picTarget, a).loaded);
    const core::Picture first = w.picTarget.picture();
    ASSERT_TRUE(stamps::openFile(w, CanvasId::picTarget, b).loaded);
    EXPECT_NE(w.files.of(first), nullptr); // undo can still bring it back
    w.history.clear(stamps::History::Loss::Nothing);
    ASSERT_TRUE(stamps::openFile(w, CanvasId::picTarget, a).loaded);
    EXPECT_EQ(w.files.of(first), nullptr);
}

} // namespace
