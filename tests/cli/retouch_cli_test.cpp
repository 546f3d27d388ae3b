// quiltane-cli's retouching: --fill, --replace (with and without --tolerance), --mirror,
// --recolour within a library mask or a mask file, --blend-seams and --blend-seam, each
// checked on its output pixels and each taken back whole by --undo; and every argument it
// cannot use is a usage error before anything runs.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "core/codec/bmp.h"
#include "core/library/image_library.h"
#include "core/skin_layout.h"
#include "tests/cli/cli_run.h"
#include "tests/file_test_support.h"

namespace {

namespace fs = std::filesystem;
using core::Rgb;

constexpr Rgb kSkin{200, 150, 120}, kCloth{30, 60, 160}, kNearCloth{32, 61, 160}, kRed{255, 0, 0};

core::Picture skinOf(const std::function<Rgb(int x, int y)>& colour) {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < core::kSkinSize; ++y)
        for (int x = 0; x < core::kSkinSize; ++x) {
            const Rgb c = colour(x, y);
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    return core::Picture(core::kSkinSize, core::kSkinSize, rgb);
}

// Skin everywhere, with a cloth square at columns 100-109, rows 20-29 whose right half is the
// nearly alike colour, a cloth square at 150-159 that touches the first nowhere, and one cloth
// pixel at (110, 30), touching the first square only at its corner.
Rgb patches(int x, int y) {
    if (x >= 100 && x < 110 && y >= 20 && y < 30) return x < 105 ? kCloth : kNearCloth;
    if (x >= 150 && x < 160 && y >= 20 && y < 30) return kCloth;
    if (x == 110 && y == 30) return kCloth;
    return kSkin;
}

class RetouchCli : public filetest::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        dest = path("dest.bmp");
        ASSERT_TRUE(core::savePicture(skinOf(patches), dest));
    }
    // Runs --dest dest, the actions, --save out, and the saved picture.
    core::Picture retouched(std::vector<std::string> actions) {
        actions.insert(actions.begin(), {"--dest", dest});
        actions.insert(actions.end(), {"--save", path("out.bmp")});
        const clitest::Run run = clitest::inProcess(actions);
        EXPECT_EQ(run.code, 0) << run.err;
        auto saved = core::loadPicture(path("out.bmp"));
        EXPECT_TRUE(saved) << saved.message();
        return saved ? saved.value() : core::Picture();
    }
    std::string dest;
};

::testing::AssertionResult pictureIs(const core::Picture& picture,
                                     const std::function<Rgb(int, int)>& expected) {
    if (picture.width() != core::kSkinSize) return ::testing::AssertionFailure() << "no skin";
    for (int y = 0; y < core::kSkinSize; ++y)
        for (int x = 0; x < core::kSkinSize; ++x)
            if (picture.pixel(x, y) != expected(x, y))
                return ::testing::AssertionFailure() << "pixel " << x << ", " << y << " differs";
    return ::testing::AssertionSuccess();
}

TEST_F(RetouchCli, FillAndReplaceTakeExactColoursUnlessToleranceWidensThem) {
    // The cloth's left half only: the nearly alike half, the other square and the corner pixel stay.
    EXPECT_TRUE(pictureIs(retouched({"--fill", "101", "25", "#ff0000"}), [](int x, int y) {
        return x >= 100 && x < 105 && y >= 20 && y < 30 ? kRed : patches(x, y);
    }));
    // With a tolerance both halves, still not the square apart nor the corner pixel.
    EXPECT_TRUE(
        pictureIs(retouched({"--tolerance", "2", "--fill", "101", "25", "#ff0000"}), [](int x, int y) {
            return x >= 100 && x < 110 && y >= 20 && y < 30 ? kRed : patches(x, y);
        }));
    // Replace takes the colour wherever it is.
    EXPECT_TRUE(pictureIs(retouched({"--replace", "#1e3ca0", "#FF0000"}),
                          [](int x, int y) { return patches(x, y) == kCloth ? kRed : patches(x, y); }));
    EXPECT_TRUE(pictureIs(retouched({"--tolerance", "2", "--replace", "#1e3ca0", "#ff0000"}),
                          [](int x, int y) { return patches(x, y) == kSkin ? kSkin : kRed; }));
}

TEST_F(RetouchCli, MirrorCopiesTheBodysSideOntoTheOther) {
    // Seen from behind, the cloth square lies on the body's left; mirrored, it lies on the right
    // too: column 100 faces as far from the left side (column 90) as column 163 from the right.
    const core::Picture mirrored = retouched({"--mirror", "left"});
    EXPECT_EQ(mirrored.pixel(163, 25), kCloth);
    EXPECT_EQ(mirrored.pixel(163, 19), kSkin);
    EXPECT_EQ(mirrored.pixel(100, 25), kCloth); // the copied side stays
    // The right side copied onto the left brings skin over the square.
    EXPECT_EQ(retouched({"--mirror", "right"}).pixel(100, 25), kSkin);
}

TEST_F(RetouchCli, RecolourStaysWithinTheMask) {
    // A mask file: the garment black over the first cloth square's left half.
    const std::string mask = path("mask.bmp");
    ASSERT_TRUE(core::savePicture(
        skinOf([](int x, int y) {
            return x >= 100 && x < 105 && y >= 20 && y < 30 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
        }),
        mask));
    // Blue turned by 120 degrees is red: (30, 60, 160) has hue 226, lightness 37%, saturation 68%.
    const Rgb turned{160, 30, 60};
    EXPECT_TRUE(pictureIs(retouched({"--within", mask, "--recolour", "120", "0", "0"}), [&](int x, int y) {
        return x >= 100 && x < 105 && y >= 20 && y < 30 ? turned : patches(x, y);
    }));
    // A library mask: what it keeps changes, what it does not stays.
    const core::Picture& bikini = core::ImageLibrary::shared().picture(core::ImageId::imgBikini);
    const core::Picture lighter = retouched({"--within", "imgBikini", "--recolour", "0", "0", "-100"});
    int inside = 0;
    for (int y = 0; y < core::kSkinSize; ++y)
        for (int x = 0; x < core::kSkinSize; ++x) {
            const bool garment = bikini.pixel(x, y) == Rgb{0, 0, 0};
            inside += garment;
            ASSERT_EQ(lighter.pixel(x, y), (garment ? Rgb{0, 0, 0} : patches(x, y))) << x << ", " << y;
        }
    EXPECT_GT(inside, 0);
    // Without --within, everywhere.
    EXPECT_TRUE(pictureIs(retouched({"--recolour", "0", "0", "-100"}), [](int, int) {
        return Rgb{0, 0, 0};
    }));
}

// A skin whose back and front differ breaks at every seam of the torso and the legs: one seam
// blended shows 0.0 and the others stay; every seam blended all show 0.0.
TEST_F(RetouchCli, BlendSeamsBringsTheSeamsFiguresDown) {
    const std::string halves = path("halves.bmp");
    ASSERT_TRUE(
        core::savePicture(skinOf([](int x, int) { return x < core::kBackRight ? kSkin : kCloth; }), halves));
    const clitest::Run blended =
        clitest::inProcess({"--dest", halves, "--blend-seam", "torso, right side", "2", "--seams"});
    ASSERT_EQ(blended.code, 0) << blended.err;
    EXPECT_EQ(blended.out.substr(0, blended.out.find('\n')), "torso, right side\t0.0\t-");
    EXPECT_NE(blended.out.find("right leg, outside\t"), std::string::npos);
    EXPECT_EQ(blended.out.find("right leg, outside\t0.0"), std::string::npos); // another seam, left as it was
}

TEST_F(RetouchCli, UndoTakesBackEachRetouchWhole) {
    // The patches on the back, the front in another colour, so that every seam of the torso and
    // the legs breaks.
    const core::Picture original =
        skinOf([](int x, int y) { return x < core::kBackRight ? patches(x, y) : kNearCloth; });
    ASSERT_TRUE(core::savePicture(original, dest));
    const char* each[][5] = {
        {"--fill", "101", "25", "#ff0000", nullptr},
        {"--replace", "#c89678", "#000000", nullptr},
        {"--mirror", "right", nullptr},
        {"--recolour", "40", "-50", "20", nullptr},
        {"--blend-seams", "16", nullptr},
        {"--blend-seam", "torsoLeft", "4", nullptr},
    };
    for (const auto& action : each) {
        std::vector<std::string> args;
        for (const char* const* word = action; *word; ++word)
            args.push_back(*word);
        SCOPED_TRACE(args.front());
        EXPECT_NE(retouched(args), original);
        args.push_back("--undo");
        EXPECT_EQ(retouched(args), original);
    }
}

// Every argument is checked before anything runs: the --save before the mistake writes nothing.
TEST_F(RetouchCli, ABadArgumentIsAUsageErrorBeforeAnythingRuns) {
    const std::string small = path("small.bmp");
    ASSERT_TRUE(core::savePicture(core::Picture::filled(128, 256, Rgb{0, 0, 0}), small));
    struct Case {
        std::vector<std::string> args;
        std::string line;
    };
    const std::vector<Case> cases = {
        {{"--fill", "256", "0", "#ffffff"},
         "--fill needs X, a column of the destination canvas, a whole number from 0 to 255, not \"256\"."},
        {{"--fill", "0", "-1", "#ffffff"},
         "--fill needs Y, a row of the destination canvas, a whole number from 0 to 255, not \"-1\"."},
        {{"--fill", "0", "0", "white"}, "--fill needs COLOUR, a colour as #rrggbb, not \"white\"."},
        {{"--replace", "#ffffff", "#12345"}, "--replace needs TO, a colour as #rrggbb, not \"#12345\"."},
        {{"--tolerance", "101"},
         "--tolerance needs DE, a colour difference (CIEDE2000) from 0 to 100, not \"101\"."},
        {{"--mirror", "Left"},
         "--mirror needs SIDE, left or right (the body's own side that is copied), not \"Left\"."},
        {{"--recolour", "181", "0", "0"}, "--recolour needs HUE, degrees from -180 to 180, not \"181\"."},
        {{"--recolour", "0", "-101", "0"},
         "--recolour needs SATURATION, a percentage from -100 to 100, not \"-101\"."},
        {{"--recolour", "0", "0", "x"},
         "--recolour needs LIGHTNESS, a percentage from -100 to 100, not \"x\"."},
        {{"--within", small},
         "--within " + small + ": the mask is 128 x 256 pixels; it must be 256 x 256, as the skin is."},
        {{"--within", "imgMedBod"}, "--within: Cannot open imgMedBod: the file does not exist."},
        {{"--blend-seams", "0"},
         "--blend-seams needs WIDTH, pixels each side of a seam, a whole number from 1 to 16, not \"0\"."},
        {{"--blend-seams", "17"},
         "--blend-seams needs WIDTH, pixels each side of a seam, a whole number from 1 to 16, not \"17\"."},
        {{"--blend-seam", "neck", "2"},
         "--blend-seam needs SEAM, one of torsoRight, torsoLeft, rightLegOuter, rightLegInner, leftLegOuter, "
         "leftLegInner, arms (or its name as --seams prints it), not \"neck\"."},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"--dest", dest, "--save", path("early.bmp")};
        args.insert(args.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(c.args.front() + " " + c.args.back());
        const clitest::Run run = clitest::inProcess(args);
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.err, "quiltane-cli: " + c.line + "\n");
        EXPECT_FALSE(fs::exists(path("early.bmp")));
    }
}

} // namespace
