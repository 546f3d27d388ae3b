// The home trash: a file goes to Trash/files with an info file that a file manager reads to put
// it back; names the trash holds already get a number; where no trash can be had, or the file
// is a folder or gone, nothing moves and nothing is left anywhere else. Every test points the
// trash into a throw-away folder.

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <sys/stat.h>

#include "platform/trash.h"
#include "platform_test_support.h"

namespace {

namespace fs = std::filesystem;
using platform::Trashed;
using Outcome = Trashed::Outcome;

std::string readFile(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A throw-away home and data folder, and a current directory of their own; XDG_DATA_HOME set
// as each test says, all put back afterwards.
class TrashTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* data = std::getenv("XDG_DATA_HOME");
        m_oldData = data ? std::optional<std::string>(data) : std::nullopt;
        fs::create_directories(home());
        fs::create_directories(work());
        support::SavedEnvironment::put("HOME", home().string());
        support::SavedEnvironment::put("XDG_DATA_HOME", dataHome().string());
        fs::current_path(work());
    }
    void TearDown() override { support::SavedEnvironment::put("XDG_DATA_HOME", m_oldData); }

    fs::path home() const { return m_root.path() / "home"; }
    fs::path dataHome() const { return m_root.path() / "data"; }
    fs::path work() const { return m_root.path() / "work"; }
    // A file in the working folder holding text.
    fs::path file(const std::string& name, const std::string& text = "skin") const {
        const fs::path path = work() / name;
        std::ofstream(path) << text;
        return path;
    }

    support::TempFolder m_root;
    support::SavedEnvironment m_saved;
    std::optional<std::string> m_oldData;
};

TEST_F(TrashTest, aFileGoesToTheTrashWithWhereItCameFrom) {
    const fs::path skin = file("my skin.bmp");
    const Trashed trashed = platform::moveToTrash(skin);
    ASSERT_EQ(trashed.outcome, Outcome::Moved) << trashed.reason;
    EXPECT_FALSE(fs::exists(skin));
    EXPECT_EQ(trashed.inTrash, dataHome() / "Trash/files/my skin.bmp");
    EXPECT_EQ(readFile(trashed.inTrash), "skin");

    const std::string info = readFile(dataHome() / "Trash/info/my skin.bmp.trashinfo");
    const std::regex shape(
        "\\[Trash Info\\]\nPath=(.*)\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n");
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(info, parts, shape)) << info;
    // The path as a URI writes it: the blank escaped.
    std::string expected = skin.string();
    expected.replace(expected.find(' '), 1, "%20");
    EXPECT_EQ(parts[1].str(), expected);
    // The trash is its owner's alone.
    struct stat trash {};
    ASSERT_EQ(::stat((dataHome() / "Trash").c_str(), &trash), 0);
    EXPECT_EQ(trash.st_mode & 0777, 0700u);
}

TEST_F(TrashTest, aNameTheTrashHoldsGetsANumber) {
    ASSERT_EQ(platform::moveToTrash(file("skin.bmp", "first")).outcome, Outcome::Moved);
    ASSERT_EQ(platform::moveToTrash(file("skin.bmp", "second")).outcome, Outcome::Moved);
    const Trashed third = platform::moveToTrash(file("skin.bmp", "third"));
    ASSERT_EQ(third.outcome, Outcome::Moved);
    EXPECT_EQ(third.inTrash.filename(), "skin.3.bmp");
    EXPECT_EQ(readFile(dataHome() / "Trash/files/skin.bmp"), "first");
    EXPECT_EQ(readFile(dataHome() / "Trash/files/skin.2.bmp"), "second");
    EXPECT_EQ(readFile(dataHome() / "Trash/files/skin.3.bmp"), "third");
    EXPECT_TRUE(fs::exists(dataHome() / "Trash/info/skin.3.bmp.trashinfo"));
}

TEST_F(TrashTest, withoutXdgDataHomeTheTrashIsUnderTheHomeFolder) {
    support::SavedEnvironment::put("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(platform::homeTrash(), home() / ".local/share/Trash");
    support::SavedEnvironment::put("XDG_DATA_HOME", "relative/data"); // ignored: only an absolute path names a data folder
    EXPECT_EQ(platform::homeTrash(), home() / ".local/share/Trash");
    ASSERT_EQ(platform::moveToTrash(file("skin.bmp")).outcome, Outcome::Moved);
    EXPECT_TRUE(fs::exists(home() / ".local/share/Trash/files/skin.bmp"));
}

// Where the trash cannot be made, the file stays and nothing is put anywhere else (not into a
// "files" folder beside the current directory).
TEST_F(TrashTest, noTrashLeavesTheFileWhereItIs) {
    std::ofstream(m_root.path() / "plain") << "a file where the data folder should be";
    support::SavedEnvironment::put("XDG_DATA_HOME", (m_root.path() / "plain/data").string());
    const fs::path skin = file("skin.bmp");
    const Trashed trashed = platform::moveToTrash(skin);
    EXPECT_EQ(trashed.outcome, Outcome::NoTrash);
    EXPECT_NE(trashed.reason.find("cannot be made"), std::string::npos) << trashed.reason;
    EXPECT_EQ(readFile(skin), "skin");
    EXPECT_FALSE(fs::exists(work() / "files"));
    EXPECT_FALSE(fs::exists(work() / "info"));
}

TEST_F(TrashTest, aFileOnAnotherFileSystemIsNotTaken) {
    // The shared-memory folder is a file system of its own where one is mounted.
    const fs::path elsewhere = "/dev/shm";
    struct stat shm {
    }, here{};
    if (::stat(elsewhere.c_str(), &shm) != 0 || ::stat(work().c_str(), &here) != 0 ||
        shm.st_dev == here.st_dev || ::access(elsewhere.c_str(), W_OK) != 0)
        GTEST_SKIP() << "no second file system to try";
    const fs::path skin = elsewhere / ("quiltane-trash-test-" + std::to_string(::getpid()) + ".bmp");
    std::ofstream(skin) << "skin";
    const Trashed trashed = platform::moveToTrash(skin);
    EXPECT_EQ(trashed.outcome, Outcome::NoTrash);
    EXPECT_NE(trashed.reason.find("another file system"), std::string::npos) << trashed.reason;
    EXPECT_TRUE(fs::exists(skin));
    EXPECT_TRUE(fs::is_empty(dataHome() / "Trash/info"));
    fs::remove(skin);
}

TEST_F(TrashTest, foldersAndMissingFilesAreNotMoved) {
    fs::create_directory(work() / "folder.bmp");
    const Trashed folder = platform::moveToTrash(work() / "folder.bmp");
    EXPECT_EQ(folder.outcome, Outcome::Failed);
    EXPECT_EQ(folder.reason, "it is a folder, not a file");
    EXPECT_TRUE(fs::is_directory(work() / "folder.bmp"));

    const Trashed missing = platform::moveToTrash(work() / "gone.bmp");
    EXPECT_EQ(missing.outcome, Outcome::Failed);
    EXPECT_EQ(missing.reason, "No such file or directory");
    EXPECT_FALSE(fs::exists(dataHome() / "Trash/info/gone.bmp.trashinfo"));
}

} // namespace
