// The start-up folder: the texture folder inside the Wine prefix, else its C: drive, else the
// home folder.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/startup_folder.h"
#include "tests/platform/platform_test_support.h"

namespace fs = std::filesystem;

namespace {

enum class Layout { TextureFolder, DriveCOnly, NoPrefix };

// HOME and WINEPREFIX point into a fresh folder for the fixture's life; the current directory
// and the environment are put back afterwards.
class TempEnvironment {
  public:
    explicit TempEnvironment(Layout layout) {
        fs::create_directories(home());
        if (layout != Layout::NoPrefix) fs::create_directories(driveC());
        if (layout == Layout::TextureFolder) fs::create_directories(textures());
        setenv("HOME", home().c_str(), 1);
        setenv("WINEPREFIX", prefix().c_str(), 1);
    }

    fs::path home() const { return m_root.path() / "home"; }
    fs::path prefix() const { return m_root.path() / "prefix"; }
    fs::path driveC() const { return prefix() / "drive_c"; }
    fs::path textures() const { return prefix() / support::kTextureFolder; }

  private:
    support::SavedEnvironment m_saved;
    support::TempFolder m_root;
};

} // namespace

TEST(StartupFolder, IsTheFirstFolderThatCanBeEntered) {
    struct Case {
        const char* name;
        Layout layout;
        fs::path (TempEnvironment::*expected)() const;
    };
    const Case cases[] = {
        {"texture folder", Layout::TextureFolder, &TempEnvironment::textures},
        {"no texture folder: drive_c", Layout::DriveCOnly, &TempEnvironment::driveC},
        {"no prefix: home", Layout::NoPrefix, &TempEnvironment::home},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempEnvironment env(c.layout);
        const fs::path folder = fs::canonical((env.*c.expected)());
        const fs::path entered = platform::enterStartupFolder();
        EXPECT_EQ(fs::canonical(entered), folder);
        EXPECT_EQ(fs::current_path(), folder);
    }
}

TEST(StartupFolder, TheTextureFolderMustBeAFolder) {
    // A file where the texture folder should be cannot be entered: drive_c is used.
    TempEnvironment env(Layout::DriveCOnly);
    support::touch(env.textures());
    platform::enterStartupFolder();
    EXPECT_EQ(fs::current_path(), fs::canonical(env.driveC()));
}
