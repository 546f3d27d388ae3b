// quiltane-cli's preview actions: --preview writes the destination from the side asked for, on
// the mannequin or on the body --mesh read; --seams prints one line per seam; a bad YAW is a
// usage error that runs nothing, a broken mesh a failure that names its line.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "core/codec/bmp.h"
#include "preview/seams.h"
#include "preview/skin_layout.h"
#include "tests/cli/cli_run.h"
#include "tests/file_test_support.h"

namespace {

namespace fs = std::filesystem;
using core::Rgb;

constexpr Rgb kBack{200, 40, 40}, kFront{40, 180, 40}, kArms{40, 60, 200};

filetest::Bytes text(std::string_view written) {
    return {written.begin(), written.end()};
}

core::Picture skinOf(Rgb (*colour)(int x, int y)) {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const Rgb c = colour(x, y);
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    return core::Picture(256, 256, rgb);
}

class PreviewCli : public filetest::TempFolderTest {
  protected:
    using Run = clitest::Run;
    static Run run(const std::vector<std::string>& args) { return clitest::inProcess(args); }

    std::string saved(const core::Picture& picture, const std::string& name) const {
        EXPECT_TRUE(core::savePicture(picture, path(name)));
        return path(name);
    }
};

// How many pixels of the picture are nearest in hue to each of the body's areas.
struct Shares {
    int back = 0, front = 0, arms = 0;
};
Shares sharesOf(const core::Picture& frame) {
    Shares shares;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const Rgb p = frame.pixel(x, y);
            shares.back += p.r > p.g + 30 && p.r > p.b + 30;
            shares.front += p.g > p.r + 30 && p.g > p.b + 30;
            shares.arms += p.b > p.r + 30 && p.b > p.g + 30;
        }
    return shares;
}

TEST_F(PreviewCli, WritesTheDestinationOnTheMannequinFromTheSideAsked) {
    const std::string dest =
        saved(skinOf([](int x, int) {
                  return x < core::kArmRight ? kArms : x < core::kBackRight ? kBack : kFront;
              }),
              "three.bmp");
    const Run result = run({"--dest", dest, "--preview", path("front.bmp"), "0", "--preview",
                            path("back.bmp"), "180", "--preview", path("turned.bmp"), "-180.0"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, "");

    auto info = core::readBmpInfoFile(path("front.bmp"));
    ASSERT_TRUE(info) << info.message();
    EXPECT_EQ(info.value().width, 512);
    EXPECT_EQ(info.value().height, 512);
    EXPECT_EQ(info.value().bitsPerPixel, 24);

    auto front = core::loadPicture(path("front.bmp")), back = core::loadPicture(path("back.bmp"));
    auto turned = core::loadPicture(path("turned.bmp"));
    ASSERT_TRUE(front && back && turned);
    EXPECT_EQ(front.value().pixel(0, 0), (Rgb{128, 128, 128}));
    EXPECT_EQ(front.value().pixel(511, 511), (Rgb{128, 128, 128}));
    EXPECT_NE(front.value().pixel(256, 256), (Rgb{128, 128, 128})); // the body, centred
    EXPECT_GT(sharesOf(front.value()).front, 5000);
    EXPECT_EQ(sharesOf(front.value()).back, 0);
    EXPECT_GT(sharesOf(back.value()).back, 5000);
    EXPECT_EQ(sharesOf(back.value()).front, 0);
    EXPECT_EQ(turned.value(), back.value()); // -180 degrees is 180
}

TEST_F(PreviewCli, PrintsOneLinePerSeamWithItsFigureAndWorstRows) {
    // Flat grey, but the front's first column is red on the torso: the torso's right side breaks
    // on every row, the upper rows named first among equals.
    const std::string dest =
        saved(skinOf([](int x, int y) {
                  return x == core::kBackRight && y < core::kLegsTop ? Rgb{200, 30, 30} : Rgb{120, 120, 120};
              }),
              "seam.bmp");
    const Run result = run({"--dest", dest, "--seams"});
    ASSERT_EQ(result.code, 0) << result.err;
    std::istringstream lines(result.out);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);)
        all.push_back(line);
    const std::vector<std::string> expectedTail = {
        "torso, left side\t0.0\t-",  "right leg, outside\t0.0\t-", "right leg, inside\t0.0\t-",
        "left leg, outside\t0.0\t-", "left leg, inside\t0.0\t-",   "arms\t0.0\t-",
    };
    ASSERT_EQ(all.size(), preview::allSeams().size()) << result.out;
    EXPECT_EQ(std::vector<std::string>(all.begin() + 1, all.end()), expectedTail);
    // Grey against that red is far more than 10 apart: two or more digits, one decimal.
    EXPECT_TRUE(all[0].starts_with("torso, right side\t")) << all[0];
    EXPECT_TRUE(all[0].ends_with("\t0 1 2")) << all[0];
    const std::string figure = all[0].substr(18, all[0].size() - 18 - 6);
    EXPECT_GE(figure.size(), 4u) << figure;
    EXPECT_EQ(figure[figure.size() - 2], '.') << figure;
}

TEST_F(PreviewCli, ABadYawIsAUsageErrorAndNothingRuns) {
    const std::string dest = saved(skinOf([](int, int) { return Rgb{1, 2, 3}; }), "dest.bmp");
    const std::string out = path("out.bmp");
    struct Case {
        std::vector<std::string> args;
        std::string line;
    };
    const std::vector<Case> cases = {
        {{"--dest", dest, "--preview", out, "left"},
         "--preview needs YAW, an angle in degrees (0 front, 90 the body's left side, 180 back), not "
         "\"left\"."},
        {{"--dest", dest, "--preview", out, "90deg"}, ""},
        {{"--dest", dest, "--preview", out, "nan"}, ""},
        {{"--dest", dest, "--preview", out, "inf"}, ""},
        {{"--dest", dest, "--preview", out}, "--preview needs PATH YAW."},
        {{"--preview", out, "0", "--seams", "--mark", "x"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const Run result = run(c.args);
        EXPECT_EQ(result.code, 2);
        EXPECT_EQ(result.out, "");
        if (!c.line.empty()) {
            EXPECT_EQ(result.err, "quiltane-cli: " + c.line + "\n");
        }
        EXPECT_FALSE(fs::exists(out));
    }
}

TEST_F(PreviewCli, AFailedWriteExitsWithOneAndNamesThePath) {
    const std::string target = path("missing folder/out.bmp");
    const Run result = run({"--preview", target, "30"});
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.err.find("Cannot save " + target), std::string::npos) << result.err;
}

TEST_F(PreviewCli, RendersThePreviewsAfterMeshOnItsBody) {
    const std::string dest =
        saved(skinOf([](int x, int) {
                  return x < core::kArmRight ? kArms : x < core::kBackRight ? kBack : kFront;
              }),
              "three.bmp");
    // A quad facing the eye whose texture coordinates cover the front half (v runs upwards).
    const std::string mesh = path("quad.obj");
    filetest::writeAll(mesh, text("v -1 0 0\nv 1 0 0\nv 1 2 0\nv -1 2 0\nvt 0.68 0\nvt 1 0\nvt 1 1\n"
                                  "vt 0.68 1\nf 1/1 2/2 3/3 4/4\n"));
    const Run result = run({"--dest", dest, "--preview", path("mannequin.bmp"), "0", "--mesh", mesh,
                            "--preview", path("quad.bmp"), "0"});
    ASSERT_EQ(result.code, 0) << result.err;
    auto mannequin = core::loadPicture(path("mannequin.bmp")), quad = core::loadPicture(path("quad.bmp"));
    ASSERT_TRUE(mannequin && quad);
    // Before --mesh, the mannequin with its arms; after it, the quad in the front's colour alone.
    EXPECT_GT(sharesOf(mannequin.value()).arms, 1000);
    EXPECT_GT(sharesOf(quad.value()).front, 512 * 512 / 4);
    EXPECT_EQ(sharesOf(quad.value()).back, 0);
    EXPECT_EQ(sharesOf(quad.value()).arms, 0);
}

TEST_F(PreviewCli, ABrokenMeshFailsNamingItsLineAndNothingAfterItRuns) {
    const std::string mesh = path("broken.obj");
    filetest::writeAll(mesh, text("v 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\nf 1 2 3\r\n"));
    const Run result = run({"--mesh", mesh, "--preview", path("out.bmp"), "0"});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, "quiltane-cli: Cannot open " + mesh +
                              ": line 4: the corner \"1\" has no texture coordinate (v/vt or v/vt/vn); the "
                              "skin maps through them.\n");
    EXPECT_FALSE(fs::exists(path("out.bmp")));
}

TEST_F(PreviewCli, HelpDocumentsThePreviewActions) {
    const Run result = run({"--help"});
    EXPECT_EQ(result.code, 0);
    for (const char* part : {"--preview PATH YAW", "--seams", "CIEDE2000", "--mesh FILE", "Wavefront OBJ"})
        EXPECT_NE(result.out.find(part), std::string::npos) << part;
}

} // namespace
