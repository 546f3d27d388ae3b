// The "System Info" lookup: the two registry keys tried in turn against a fake registry and a
// fake program starter, then the whole lookup on a prefix made on disk.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/system_info.h"
#include "platform/wine_prefix.h"
#include "platform/wine_registry.h"
#include "tests/platform/fake_platform.h"
#include "tests/platform/platform_test_support.h"

using namespace platform;
using fake::text;

namespace {

const std::string kPathValue = "C:\\Tools\\msinfo32.exe";
const std::string kFolder = "C:\\Shared\\MSInfo";
const std::string kFolderProgram = kFolder + "\\MSINFO32.EXE";

// Programs are the files of a prefix on disk; a start is only recorded.
class PrefixLauncher final : public ProgramLauncher {
  public:
    explicit PrefixLauncher(std::filesystem::path prefix) : m_prefix(std::move(prefix)) {}
    std::vector<std::string> starts;

    bool fileExists(const std::string& path) override { return isFileInPrefix(m_prefix, path); }
    bool start(const std::string& path) override {
        starts.push_back(path);
        return fileExists(path);
    }

  private:
    std::filesystem::path m_prefix;
};

} // namespace

TEST(StartSysInfo, TriesThePathThenTheFolder) {
    // One run: what the registry and the disk hold, and what should follow.
    struct Case {
        const char* name;
        std::optional<fake::Value> path;   // "PATH" under the first key
        std::optional<fake::Value> folder; // "MSINFO" under the second key
        std::set<std::string> files;
        bool refuseWriteAccess = false;
        std::vector<std::string> starts;
        std::vector<std::string> fileTests;
        bool message = false;
        bool secondKeyTried = false;
    };
    const std::string longest(1023, 'p');
    const Case cases[] = {
        {"PATH present: started unchanged, untested",
         text(kPathValue),
         text(kFolder),
         {kPathValue, kFolderProgram},
         false,
         {kPathValue},
         {},
         false,
         false},
        {"PATH names no program: the start fails",
         text(kPathValue),
         text(kFolder),
         {kFolderProgram},
         false,
         {kPathValue},
         {},
         true,
         false},
        {"PATH missing, program in the folder",
         std::nullopt,
         text(kFolder),
         {kFolderProgram},
         false,
         {kFolderProgram},
         {kFolderProgram},
         false,
         true},
        {"PATH missing, no program in the folder",
         std::nullopt,
         text(kFolder),
         {},
         false,
         {},
         {kFolderProgram},
         true,
         true},
        {"both missing", std::nullopt, std::nullopt, {}, false, {}, {}, true, true},
        {"PATH of 1024 bytes with its zero, read whole",
         text(longest),
         std::nullopt,
         {longest},
         false,
         {longest},
         {},
         false,
         false},
        {"PATH of 1025 bytes: the folder is used",
         text(longest + "q"),
         text(kFolder),
         {kFolderProgram},
         false,
         {kFolderProgram},
         {kFolderProgram},
         false,
         true},
        {"PATH without a terminating zero keeps every byte",
         fake::Value{kRegSz, kPathValue},
         std::nullopt,
         {kPathValue},
         false,
         {kPathValue},
         {},
         false,
         false},
        {"PATH not text: empty result, the start fails",
         fake::Value{kRegExpandSz, kPathValue + '\0'},
         text(kFolder),
         {kPathValue, kFolderProgram},
         false,
         {""},
         {},
         true,
         false},
        {"PATH of no bytes: an error ends the lookup",
         fake::Value{kRegSz, ""},
         text(kFolder),
         {kFolderProgram},
         false,
         {},
         {},
         true,
         false},
        {"write access refused: both count as missing",
         text(kPathValue),
         text(kFolder),
         {kPathValue, kFolderProgram},
         true,
         {},
         {},
         true,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake::Registry registry;
        if (c.path) registry.keys[kSysInfoPathKey][kSysInfoPathValue] = *c.path;
        if (c.folder) registry.keys[kSysInfoFolderKey][kSysInfoFolderValue] = *c.folder;
        registry.refuseWriteAccess = c.refuseWriteAccess;
        fake::Launcher launcher;
        launcher.files = c.files;
        std::vector<std::string> messages;

        const bool started = startSysInfo(registry, launcher,
                                          [&](const std::string& message) { messages.push_back(message); });

        EXPECT_EQ(launcher.starts, c.starts);
        EXPECT_EQ(launcher.fileTests, c.fileTests);
        EXPECT_EQ(started, !c.message);
        EXPECT_EQ(messages,
                  c.message ? std::vector<std::string>{kSysInfoUnavailable} : std::vector<std::string>{});
        std::vector<std::string> keysTried{kSysInfoPathKey};
        if (c.secondKeyTried) keysTried.push_back(kSysInfoFolderKey);
        EXPECT_EQ(registry.openedKeys, keysTried);
        EXPECT_EQ(registry.accessAsked, std::set<RegAccess>{0x2003F});
        EXPECT_TRUE(registry.openHandles.empty());
    }
}

// The second key names the folder; the file there is found whatever its case, and the start is
// given the path the lookup made.
TEST(StartSysInfo, FindsTheToolInAPrefixOnDisk) {
    support::TempFolder prefix;
    support::layOutPrefix(prefix.path());
    std::ofstream(prefix.path() / "system.reg")
        << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
        << "[Software\\\\Microsoft\\\\Shared Tools Location] 1700000000\n"
        << "\"MSINFO\"=\"C:\\\\Program Files\\\\Common Files\\\\Microsoft Shared\\\\MSInfo\"\n";
    WineRegistry registry(prefix.path());
    PrefixLauncher launcher(prefix.path());
    std::vector<std::string> messages;
    EXPECT_TRUE(startSysInfo(registry, launcher, [&](const std::string& text) { messages.push_back(text); }));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(
        launcher.starts,
        std::vector<std::string>{"C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\MSINFO32.EXE"});

    // Without the prefix's registry file: the message, and nothing started.
    std::filesystem::remove(prefix.path() / "system.reg");
    launcher.starts.clear();
    WineRegistry empty(prefix.path());
    EXPECT_FALSE(startSysInfo(empty, launcher, [&](const std::string& text) { messages.push_back(text); }));
    EXPECT_EQ(messages, std::vector<std::string>{kSysInfoUnavailable});
    EXPECT_TRUE(launcher.starts.empty());
}
