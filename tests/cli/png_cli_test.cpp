// PNG files on the command line: --dest and --each open them as BMP files, telling on stderr
// what a file's transparency became; --save, --convert and --out write a PNG to a name ending in
// ".png", --out-8bit an 8-bit BMP of the input's name made ".bmp".

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/codec/picture_file.h"
#include "tests/cli/cli_run.h"
#include "tests/core/codec/png_test_fixtures.h"
#include "tests/file_test_support.h"

namespace {

namespace fs = std::filesystem;
using filetest::namesIn;

class PngCli : public filetest::TempFolderTest {
  protected:
    void SetUp() override {
        filetest::TempFolderTest::SetUp();
        // Two pixels: a clear one and an opaque one.
        pngtest::PngLayout clear;
        clear.width = 2;
        clear.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
        clear.samples = {0, 0, 0, 0, 40, 50, 60, 255};
        filetest::writeAll(m_dir / "clear.png", pngtest::writePng(clear));
    }
    // What the file at name is, as --info's first line would say: "PNG 1", "BMP 24".
    std::string kindOf(const std::string& name) const {
        const auto info = core::readPictureInfoFile(path(name));
        if (!info) return info.message();
        return std::string(core::pictureFormatSpec(info.value().format).name) + " " +
               std::to_string(info.value().bitsPerPixel);
    }
    std::string note() const {
        return "quiltane-cli: note: " + path("clear.png") + ": its transparency was flattened onto white.\n";
    }
};

TEST_F(PngCli, APngFileOpensWithANoteAndEachSaveWritesWhatItsNameSays) {
    const clitest::Run run = clitest::inProcess({"--dest", path("clear.png"), "--save", path("a.png"),
                                                 "--save", path("a.bmp"), "--save-8bit", path("b.png")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, note());
    // The canvas's two colours and its background: a palette PNG of two bits a pixel.
    EXPECT_EQ(kindOf("a.png"), "PNG 2");
    EXPECT_EQ(kindOf("a.bmp"), "BMP 24");
    EXPECT_EQ(kindOf("b.png"), "BMP 8"); // --save-8bit writes the game's file whatever the name
    const auto saved = core::loadPicture(path("a.png"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved.value().pixel(0, 0), (core::Rgb{255, 255, 255}));
    EXPECT_EQ(saved.value().pixel(1, 0), (core::Rgb{40, 50, 60}));

    const clitest::Run converted = clitest::inProcess(
        {"--convert", path("clear.png"), path("c.png"), "--convert", path("a.bmp"), path("d.png")});
    ASSERT_EQ(converted.code, 0) << converted.err;
    EXPECT_EQ(converted.err, note());
    EXPECT_EQ(kindOf("c.png"), "PNG 1"); // the file's own two pixels
    EXPECT_EQ(kindOf("d.png"), "PNG 2");
}

TEST_F(PngCli, ABatchSavesAPngInputAsItsOptionSays) {
    ASSERT_EQ(clitest::inProcess({"--convert", path("clear.png"), path("plain.bmp")}).code, 0);
    fs::create_directories(m_dir / "out");
    fs::create_directories(m_dir / "out8");
    const struct {
        const char* option;
        const char* folder;
        std::vector<std::string> written;
    } cases[] = {
        {"--out", "out", {"PNG 2", "BMP 24"}},
        {"--out-8bit", "out8", {"BMP 8", "BMP 8"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        const clitest::Run run =
            clitest::inProcess({"--each", path("clear.png"), path("plain.bmp"), c.option, path(c.folder)});
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.err, note() + "2 skins: 2 saved, 0 failed\n");
        const std::string folder = c.folder;
        const std::vector<std::string> names = namesIn(m_dir / folder);
        ASSERT_EQ(names.size(), 2u);
        const std::string png = folder == "out" ? "clear.png" : "clear.bmp";
        EXPECT_EQ(names, (std::vector<std::string>{png, "plain.bmp"}));
        EXPECT_EQ(kindOf(folder + "/" + png), c.written[0]);
        EXPECT_EQ(kindOf(folder + "/plain.bmp"), c.written[1]);
    }
    // Two inputs whose outputs would be one file.
    fs::copy_file(m_dir / "plain.bmp", m_dir / "clear.bmp");
    const clitest::Run both =
        clitest::inProcess({"--each", path("clear.bmp"), path("clear.png"), "--out-8bit", path("out")});
    EXPECT_EQ(both.code, 2);
    EXPECT_EQ(both.err, "quiltane-cli: --each: " + path("clear.bmp") + " and " + path("clear.png") +
                            " would both be saved as " + path("out/clear.bmp") + ".\n");
}

} // namespace
