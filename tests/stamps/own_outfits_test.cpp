// The user's own outfits: mask and body files pressed as the library's masks and body fills
// are, every tone against pressing each body fill, the refusals of every tone, and the stamps
// folder with a broken file in it.

#include <gtest/gtest.h>

#include <string>

#include "core/codec/bmp.h"
#include "stamps/bare_bodies.h"
#include "stamps/edits.h"
#include "stamps/files.h"
#include "stamps/mask_from_body.h"
#include "stamps/own_pictures.h"
#include "stamps/own_stamps.h"
#include "stamps/tones.h"
#include "tests/file_test_support.h"
#include "tests/stamps/stamp_test_support.h"

namespace {

using stamps::CanvasId;
using stamps::Workspace;

const std::string kAssets = std::string(QUILTANE_SOURCE_DIR) + "/assets/";

// A garment of many colours on the destination, the source canvas holding another picture.
void loadSkins(Workspace& workspace) {
    workspace.picSource.setPicture(stamps_test::coordinatePicture(256, 256, stamps_test::kSourceTag));
    workspace.picTarget.setPicture(stamps_test::coordinatePicture(256, 256, stamps_test::kTargetTag));
}

const stamps::ButtonSpec& button(const std::string& name) {
    const stamps::ButtonSpec* found = stamps::findButton(name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

// The library's own mask and body files, pressed as files, give the pixels of the library's
// buttons: the oracle of the cookie cutter with the user's pictures.
TEST(OwnPictures, AMaskAndBodyFileGiveWhatTheLibrarysButtonsGive) {
    const struct {
        const char* maskButton;
        const char* maskFile;
        const char* bodyButton;
        const char* bodyFile;
    } cases[] = {
        {"Command56", "imgBikini.bmp", "cmddjfld", "imgLightBody.bmp"},
        {"Command47", "imgThong.bmp", "Command59", "imgMaleDark.bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.maskFile);
        Workspace library, own;
        loadSkins(library);
        loadSkins(own);
        ASSERT_TRUE(stamps::pressButton(button(c.maskButton), library));
        ASSERT_TRUE(stamps::pressButton(button(c.bodyButton), library));

        auto mask = stamps::loadOwnPicture(stamps::OwnKind::Mask, kAssets + c.maskFile);
        auto body = stamps::loadOwnPicture(stamps::OwnKind::Body, kAssets + c.bodyFile);
        ASSERT_TRUE(mask) << mask.message();
        ASSERT_TRUE(body) << body.message();
        EXPECT_EQ(mask.value().rounded, 0);
        ASSERT_TRUE(stamps::pressOwnPicture(mask.value(), "mask", own));
        ASSERT_TRUE(stamps::pressOwnPicture(body.value(), "body", own));
        EXPECT_EQ(own.picTarget.image(), library.picTarget.image());
        EXPECT_EQ(own.picSource.image(), library.picSource.image());

        // Each press is one step: two undos give back the skins as loaded.
        ASSERT_TRUE(stamps::undo(own));
        ASSERT_TRUE(stamps::undo(own));
        EXPECT_EQ(own.picTarget.image(), stamps_test::coordinatePicture(256, 256, stamps_test::kTargetTag));
    }
}

class OwnPictureFiles : public filetest::TempFolderTest {};

TEST_F(OwnPictureFiles, AFileOfAnotherSizeIsRefusedWithItsReason) {
    ASSERT_TRUE(core::savePicture(stamps_test::coordinatePicture(100, 50, 0), path("small.bmp")));
    auto mask = stamps::loadOwnPicture(stamps::OwnKind::Mask, path("small.bmp"));
    ASSERT_FALSE(mask);
    EXPECT_EQ(mask.message(),
              "Cannot use " + path("small.bmp") + " as a mask: it is 100 × 50 pixels, not 256 × 256.");
}

class Tones : public filetest::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        // A garment on the destination, opened from a file, under the bikini mask.
        ASSERT_TRUE(core::savePicture(stamps_test::coordinatePicture(256, 256, stamps_test::kTargetTag),
                                      path("skin.bmp")));
        ASSERT_TRUE(stamps::openFile(m_workspace, CanvasId::picTarget, path("skin.bmp")).status);
        ASSERT_TRUE(stamps::pressButton(button("Command56"), m_workspace));
        for (const stamps::LibraryBody& row : stamps::libraryBodies())
            m_request.bodies.push_back(stamps::libraryBody(row, *m_workspace.library).value());
        m_request.folder = (m_dir / "out").string();
        m_request.destination = path("skin.bmp");
        m_request.format = stamps::SaveFormat::TrueColour;
        std::filesystem::create_directory(m_request.folder);
    }

    Workspace m_workspace;
    stamps::TonesRequest m_request;
};

// Each tone is what pressing that body's fill button gives, and the canvases stay as they were.
TEST_F(Tones, EveryToneIsWhatPressingItsBodyFillGives) {
    const char* fills[] = {"cmddjfld", "Command52", "Command53", "Command57", "Command58", "Command59"};
    const core::Picture before = m_workspace.picTarget.image();
    auto saved = stamps::saveTones(m_workspace, m_request);
    ASSERT_TRUE(saved) << saved.message();
    ASSERT_EQ(saved.value().size(), std::size(fills));
    EXPECT_EQ(m_workspace.picTarget.image(), before);
    for (std::size_t i = 0; i < std::size(fills); ++i) {
        SCOPED_TRACE(fills[i]);
        Workspace pressed;
        pressed.picSource = m_workspace.picSource;
        pressed.picTarget = m_workspace.picTarget;
        ASSERT_TRUE(stamps::pressButton(button(fills[i]), pressed));
        auto written = core::loadPicture(saved.value()[i]);
        ASSERT_TRUE(written) << written.message();
        EXPECT_EQ(written.value(), pressed.picTarget.image());
    }
    EXPECT_EQ(saved.value()[2], (m_dir / "out" / "skin-dark-female.bmp").string());
}

// A refused set writes nothing and leaves every old file as it was.
TEST_F(Tones, ARefusedSetWritesNothing) {
    const filetest::Bytes skin = filetest::readAll(path("skin.bmp"));
    const filetest::Bytes old = {'o', 'l', 'd'};
    filetest::writeAll(m_dir / "out" / "skin-light-female.bmp", old);

    stamps::TonesRequest missing = m_request;
    missing.folder = (m_dir / "nowhere").string();
    stamps::TonesRequest twice = m_request;
    twice.bodies.push_back(twice.bodies.front());

    const struct {
        const char* what;
        const stamps::TonesRequest* request;
        const char* says;
    } cases[] = {
        {"a folder that does not exist", &missing, "does not exist"},
        {"one name twice", &twice, "would both be saved as"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto saved = stamps::saveTones(m_workspace, *c.request);
        ASSERT_FALSE(saved);
        EXPECT_NE(saved.message().find(c.says), std::string::npos) << saved.message();
        EXPECT_EQ(filetest::readAll(m_dir / "out" / "skin-light-female.bmp"), old);
        EXPECT_EQ(filetest::namesIn(m_dir / "out"), std::vector<std::string>{"skin-light-female.bmp"});
    }
    EXPECT_EQ(filetest::readAll(path("skin.bmp")), skin);
}

// A tone that would be written over the destination's own file is refused.
TEST_F(Tones, AToneThatWouldReplaceAnInputIsRefused) {
    // The destination opened from the tones folder as "skin-light-female.bmp", its tones named
    // after "skin.bmp": the light female tone would be written over it.
    std::filesystem::copy_file(path("skin.bmp"), m_dir / "out" / "skin-light-female.bmp");
    Workspace workspace;
    ASSERT_TRUE(
        stamps::openFile(workspace, CanvasId::picTarget, (m_dir / "out" / "skin-light-female.bmp").string())
            .status);
    const filetest::Bytes before = filetest::readAll(m_dir / "out" / "skin-light-female.bmp");
    stamps::TonesRequest request = m_request;
    request.destination = (m_dir / "out" / "skin.bmp").string();
    auto saved = stamps::saveTones(workspace, request);
    ASSERT_FALSE(saved);
    EXPECT_NE(saved.message().find("would replace the input"), std::string::npos) << saved.message();
    EXPECT_EQ(filetest::readAll(m_dir / "out" / "skin-light-female.bmp"), before);
    EXPECT_EQ(filetest::namesIn(m_dir / "out"), std::vector<std::string>{"skin-light-female.bmp"});
}

class OwnStampsFolder : public filetest::TempFolderTest {};

// A broken file and one of the wrong size show as unavailable with their reasons; the others
// are read, and a stamp pressed by name paints as its kind does.
TEST_F(OwnStampsFolder, ShowsBrokenFilesAsUnavailable) {
    std::filesystem::create_directories(m_dir / "masks");
    std::filesystem::create_directories(m_dir / "bodies");
    std::filesystem::copy_file(kAssets + "imgBikini.bmp", m_dir / "masks" / "Sundress.bmp");
    filetest::writeAll(m_dir / "masks" / "Broken.bmp", {'B', 'M', 1, 2});
    ASSERT_TRUE(core::savePicture(stamps_test::coordinatePicture(64, 64, 0), path("bodies/Small.bmp")));
    filetest::writeAll(m_dir / "masks" / "notes.txt", {'x'});

    const std::vector<stamps::OwnStamp> own = stamps::readOwnStamps(m_dir.string());
    ASSERT_EQ(own.size(), 3u);
    const stamps::OwnStamp* broken = stamps::findOwnStamp(own, "broken");
    const stamps::OwnStamp* small = stamps::findOwnStamp(own, "Small");
    const stamps::OwnStamp* sundress = stamps::findOwnStamp(own, "Sundress");
    ASSERT_TRUE(broken && small && sundress);
    EXPECT_FALSE(broken->isAvailable());
    EXPECT_NE(broken->unavailable.find("Broken.bmp"), std::string::npos) << broken->unavailable;
    EXPECT_FALSE(small->isAvailable());
    EXPECT_NE(small->unavailable.find("64 × 64"), std::string::npos) << small->unavailable;
    EXPECT_TRUE(sundress->isAvailable());

    Workspace workspace;
    loadSkins(workspace);
    const core::Picture before = workspace.picTarget.image();
    EXPECT_FALSE(stamps::pressOwnStamp(*broken, workspace));
    EXPECT_EQ(workspace.picTarget.image(), before);
    EXPECT_FALSE(stamps::undo(workspace));

    Workspace library;
    loadSkins(library);
    ASSERT_TRUE(stamps::pressButton(button("Command56"), library));
    ASSERT_TRUE(stamps::pressOwnStamp(*sundress, workspace));
    EXPECT_EQ(workspace.picTarget.image(), library.picTarget.image());
}

TEST_F(OwnStampsFolder, AddsAMadeMaskAndRefusesANameTwice) {
    const std::string folder = (m_dir / "made" / "stamps").string(); // made on the first add
    auto mask = stamps::loadOwnPicture(stamps::OwnKind::Mask, kAssets + "imgThong.bmp");
    ASSERT_TRUE(mask);
    auto added = stamps::addOwnStamp(folder, stamps::OwnKind::Mask, "My Thong", mask.value().picture);
    ASSERT_TRUE(added) << added.message();
    EXPECT_EQ(filetest::readAll(added.value().path), filetest::readAll(kAssets + "imgThong.bmp"));
    auto again = stamps::addOwnStamp(folder, stamps::OwnKind::Mask, "my  thong", mask.value().picture);
    ASSERT_FALSE(again);
    EXPECT_EQ(again.status().kind(), core::Status::Kind::Usage);
    auto button = stamps::addOwnStamp(folder, stamps::OwnKind::Mask, "bikini 402", mask.value().picture);
    ASSERT_FALSE(button);
    EXPECT_EQ(stamps::readOwnStamps(folder).size(), 1u);
}

} // namespace
