// quiltane-cli on the user's own outfits: a garment painted on a bare body and saved as 8 bits
// gives back its mask, every tone is written, the user's stamps are pressed by name, and bad
// input is refused with one line and changes nothing.

#include <gtest/gtest.h>

#include <string>

#include "core/codec/bmp.h"
#include "tests/cli/cli_run.h"
#include "tests/file_test_support.h"

namespace {

const std::string kAssets = std::string(QUILTANE_SOURCE_DIR) + "/assets/";

class OutfitsCli : public filetest::TempFolderTest {
  protected:
    // The library's bikini cut from a dark body turned green, on the light female body, saved
    // as 8 bits: a garment of the bikini's true shape.
    void SetUp() override {
        TempFolderTest::SetUp();
        const auto made = clitest::inProcess({"--dest", kAssets + "imgDarkBody.bmp", "--recolour", "120", "0",
                                              "0", "--mask", kAssets + "imgBikini.bmp", "--body",
                                              kAssets + "imgLightBody.bmp", "--save-8bit", path("skin.bmp")});
        ASSERT_EQ(made.code, 0) << made.err;
    }
};

TEST_F(OutfitsCli, AMaskMadeFromTheBareBodyIsTheGarmentsShapeAndEveryToneIsSaved) {
    std::filesystem::create_directory(m_dir / "tones");
    const auto run = clitest::inProcess({"--dest", path("skin.bmp"), "--make-mask", "imgLightBody",
                                         path("made.bmp"), "--tones-8bit", path("tones")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(filetest::readAll(path("made.bmp")), filetest::readAll(kAssets + "imgBikini.bmp"));
    EXPECT_EQ(
        filetest::namesIn(m_dir / "tones"),
        (std::vector<std::string>{"skin-dark-female.bmp", "skin-dark-male.bmp", "skin-light-female.bmp",
                                  "skin-light-male.bmp", "skin-medium-female.bmp", "skin-medium-male.bmp"}));
    auto info = core::readBmpInfoFile(path("tones/skin-dark-male.bmp"));
    ASSERT_TRUE(info);
    EXPECT_EQ(info.value().bitsPerPixel, 8);

    // The made mask is one step: undone, the destination is the skin as opened.
    const auto undone = clitest::inProcess({"--dest", path("skin.bmp"), "--make-mask", "imgLightBody",
                                            path("again.bmp"), "--undo", "--save", path("undone.bmp")});
    ASSERT_EQ(undone.code, 0) << undone.err;
    EXPECT_EQ(core::loadPicture(path("undone.bmp")).value(), core::loadPicture(path("skin.bmp")).value());
}

// Without --tolerance, 8-bit rounding counts as bare skin; at 0 it does not.
TEST_F(OutfitsCli, TheToleranceIsTheRetouchsSetting) {
    const auto run = clitest::inProcess(
        {"--dest", path("skin.bmp"), "--tolerance", "0", "--make-mask", "imgLightBody", path("exact.bmp")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(filetest::readAll(path("exact.bmp")), filetest::readAll(kAssets + "imgBikini.bmp"));
}

TEST_F(OutfitsCli, BadInputIsRefusedAndChangesNothing) {
    ASSERT_TRUE(
        core::savePicture(core::Picture(8, 8, std::vector<std::uint8_t>(8 * 8 * 3, 0)), path("tiny.bmp")));
    filetest::writeAll(m_dir / "out.bmp", {'o', 'l', 'd'});
    const filetest::Bytes skin = filetest::readAll(path("skin.bmp"));
    const struct {
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        {{"--mask", path("tiny.bmp")}, "Cannot use " + path("tiny.bmp") + " as a mask: it is 8 × 8 pixels"},
        {{"--body", path("none.bmp")}, path("none.bmp")},
        {{"--make-mask", path("tiny.bmp"), path("m.bmp")}, "Cannot use " + path("tiny.bmp") + " as a body"},
        {{"--make-mask", "imgLightBody", path("skin.bmp")}, "would replace the input"},
        {{"--tones", path("nowhere")}, "does not exist"},
        {{"--press", "No Such Stamp"}, "There is no button"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0]);
        std::vector<std::string> args{"--stamps", path("stamps"), "--dest", path("skin.bmp")};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {"--save", path("out.bmp")});
        const auto run = clitest::inProcess(args);
        EXPECT_NE(run.code, 0);
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(filetest::readAll(path("out.bmp")), (filetest::Bytes{'o', 'l', 'd'}));
        EXPECT_EQ(filetest::readAll(path("skin.bmp")), skin);
        EXPECT_FALSE(std::filesystem::exists(m_dir / "m.bmp"));
        EXPECT_FALSE(std::filesystem::exists(m_dir / "stamps"));
    }
}

// A made mask kept as a stamp is pressed by its name in a later run; a name taken is refused.
TEST_F(OutfitsCli, KeepsAMadeMaskAsAStamp) {
    const auto kept =
        clitest::inProcess({"--stamps", path("stamps"), "--dest", path("skin.bmp"), "--make-mask",
                            "imgLightBody", path("made.bmp"), "--keep-mask", "Sundress"});
    ASSERT_EQ(kept.code, 0) << kept.err;
    EXPECT_EQ(filetest::readAll(path("stamps/masks/Sundress.bmp")),
              filetest::readAll(kAssets + "imgBikini.bmp"));
    const auto again =
        clitest::inProcess({"--stamps", path("stamps"), "--dest", path("skin.bmp"), "--make-mask",
                            "imgLightBody", path("made.bmp"), "--keep-mask", "sundress"});
    EXPECT_EQ(again.code, 2);
    EXPECT_NE(again.err.find("Sundress.bmp has that name"), std::string::npos) << again.err;

    const auto own = clitest::inProcess({"--stamps", path("stamps"), "--dest", path("skin.bmp"), "--press",
                                         "Sundress", "--save", path("own.bmp")});
    ASSERT_EQ(own.code, 0) << own.err;
    const auto library = clitest::inProcess(
        {"--dest", path("skin.bmp"), "--press", "Bikini 402", "--save", path("library.bmp")});
    EXPECT_EQ(filetest::readAll(path("own.bmp")), filetest::readAll(path("library.bmp")));
}

TEST_F(OutfitsCli, PressesTheUsersOwnStampsByName) {
    std::filesystem::create_directories(m_dir / "stamps" / "masks");
    std::filesystem::copy_file(kAssets + "imgThong.bmp", m_dir / "stamps" / "masks" / "My Thong.bmp");
    const auto own = clitest::inProcess({"--stamps", path("stamps"), "--dest", path("skin.bmp"), "--press",
                                         "my thong", "--save", path("own.bmp")});
    ASSERT_EQ(own.code, 0) << own.err;
    const auto library = clitest::inProcess(
        {"--dest", path("skin.bmp"), "--press", "Thong Bikini", "--save", path("library.bmp")});
    ASSERT_EQ(library.code, 0) << library.err;
    EXPECT_EQ(filetest::readAll(path("own.bmp")), filetest::readAll(path("library.bmp")));
}

TEST_F(OutfitsCli, ABatchMakesAMaskPerInputAndRefusesTones) {
    std::filesystem::create_directory(m_dir / "masks");
    std::filesystem::create_directory(m_dir / "out");
    std::filesystem::copy_file(path("skin.bmp"), path("second.bmp"));
    const auto batch = clitest::inProcess({"--each", path("skin.bmp"), path("second.bmp"), "--make-mask",
                                           "imgLightBody", path("masks"), "--out", path("out")});
    ASSERT_EQ(batch.code, 0) << batch.err;
    EXPECT_EQ(filetest::namesIn(m_dir / "masks"),
              (std::vector<std::string>{"second-mask.bmp", "skin-mask.bmp"}));
    EXPECT_EQ(filetest::readAll(path("masks/second-mask.bmp")), filetest::readAll(kAssets + "imgBikini.bmp"));

    const auto tones =
        clitest::inProcess({"--each", path("skin.bmp"), "--tones", path("out"), "--out", path("out")});
    EXPECT_EQ(tones.code, 2);
    EXPECT_NE(tones.err.find("--tones"), std::string::npos) << tones.err;
}

} // namespace
