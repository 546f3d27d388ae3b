// Temporary files left behind by saves whose process was killed outright: the next save into
// their folder removes them, and nothing else. A live save's temporary file (another process's,
// or one being created at that moment) stays; names and files that merely look similar stay;
// on a file system other machines may write, only a day-old leftover goes; and a folder is
// looked through once per process.
//
// The save that should remove a leftover runs in a fresh child process each time, as the next
// run of the program would: the test process itself has looked through many folders already.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/atomic_file.h"
#include "core/codec/bmp.h"
#include "tests/child_process.h"
#include "tests/core/save_test_support.h"
#include "tests/file_test_support.h"

namespace {

namespace fs = std::filesystem;
using core::Picture;
using filetest::Bytes;
using filetest::namesIn;
using filetest::readAll;
using filetest::writeAll;

using savetest::kOld;
const Picture kPicture = Picture::filled(64, 64, {9, 8, 7});

// Whether a name is a temporary file's: ".quiltane-" and six letters or digits.
bool isTemporary(const std::string& name) {
    if (name.size() != 16 || name.rfind(".quiltane-", 0) != 0) return false;
    for (std::size_t i = 10; i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
    return true;
}

std::vector<std::string> temporariesIn(const fs::path& folder) {
    std::vector<std::string> found = namesIn(folder);
    std::erase_if(found, [](const std::string& name) { return !isTemporary(name); });
    return found;
}

// Saves kPicture to target in a fresh process, with the seams set as `seams` says; the
// failure's message, or "" once saved.
std::string saveInAFreshProcess(const fs::path& target,
                                const std::function<void(core::testing::SaveSeams&)>& seams = {}) {
    const childtest::Outcome outcome = childtest::runInChild([&](std::string& report) {
        if (seams) seams(core::testing::saveSeams());
        const core::Status saved = core::savePicture(kPicture, target.string());
        report = saved ? "" : saved.message();
        return 0;
    });
    return outcome.exited(0) ? outcome.report : "the child process failed: " + outcome.report;
}

// Where a save is killed outright (SIGKILL), and which temporary file it has then.
struct Killing {
    const char* name;
    bool anonymous;
    bool onceNamed; // else while writing
};
constexpr Killing kKillings[] = {
    {"anonymous file, killed between its name and its rename", true, true},
    {"named file, killed between its last write and its rename", false, true},
    {"named file, killed while writing", false, false},
};

// Saves to target in a child that is killed at the given moment, leaving its temporary file.
void killASaveOf(const fs::path& target, const Killing& killing) {
    const childtest::Outcome outcome = childtest::runInChild([&](std::string&) {
        core::testing::SaveSeams& seams = core::testing::saveSeams();
        seams.anonymousTemporaryFiles = killing.anonymous;
        (killing.onceNamed ? seams.onceNamed : seams.whileWriting) = [] { ::raise(SIGKILL); };
        core::savePicture(kPicture, target.string());
        return 0;
    });
    EXPECT_EQ(outcome.signal, SIGKILL) << outcome.report;
}

class Leftovers : public savetest::SaveTest {
  protected:
    // A fresh folder holding skin.bmp with kOld.
    void freshFolder() {
        emptyFolder();
        writeAll(m_dir / "skin.bmp", kOld);
    }
};

TEST_F(Leftovers, AKilledSavesTemporaryFileIsRemovedByTheNextSaveIntoItsFolder) {
    for (const Killing& killing : kKillings) {
        SCOPED_TRACE(killing.name);
        freshFolder();
        killASaveOf(m_dir / "skin.bmp", killing);
        ASSERT_EQ(temporariesIn(m_dir).size(), 1u) << "the killed save left no temporary file";
        EXPECT_EQ(readAll(m_dir / "skin.bmp"), kOld);

        EXPECT_EQ(saveInAFreshProcess(m_dir / "other.bmp"), "");
        EXPECT_EQ(namesIn(m_dir), (std::vector<std::string>{"other.bmp", "skin.bmp"}));
        EXPECT_EQ(readAll(m_dir / "skin.bmp"), kOld);
    }
}

// Saves in progress in another process, held at a moment where their temporary file has its
// name: it stays through a save into the same folder, and goes once that process is killed.
TEST_F(Leftovers, ALiveSavesTemporaryFileStaysUntilItsProcessIsKilled) {
    for (const Killing& moment : kKillings) {
        SCOPED_TRACE(moment.name);
        freshFolder();
        childtest::HeldChild live([&](const childtest::HeldChild::Hold& hold) {
            core::testing::SaveSeams& seams = core::testing::saveSeams();
            seams.anonymousTemporaryFiles = moment.anonymous;
            (moment.onceNamed ? seams.onceNamed : seams.whileWriting) = hold;
            core::savePicture(kPicture, (m_dir / "skin.bmp").string());
        });
        ASSERT_TRUE(live.ready());
        const std::vector<std::string> held = temporariesIn(m_dir);
        ASSERT_EQ(held.size(), 1u);

        EXPECT_EQ(saveInAFreshProcess(m_dir / "other.bmp"), "");
        EXPECT_EQ(temporariesIn(m_dir), held);

        live.kill();
        EXPECT_EQ(temporariesIn(m_dir), held);
        EXPECT_EQ(saveInAFreshProcess(m_dir / "third.bmp"), "");
        EXPECT_EQ(namesIn(m_dir), (std::vector<std::string>{"other.bmp", "skin.bmp", "third.bmp"}));
        EXPECT_EQ(readAll(m_dir / "skin.bmp"), kOld);
    }
}

// Files and folders whose names only resemble a temporary file's, and a folder, a named pipe
// and a link with a temporary file's name, are left as they are; a real leftover beside them shows that the
// folder was looked through.
TEST_F(Leftovers, WhatOnlyLooksLikeATemporaryFileIsLeftAlone) {
    freshFolder();
    const std::vector<std::string> files = {
        ".quiltane-notes.txt", ".quiltane-abc12", ".quiltane-abc1234", ".quiltane-abc-12",
        ".Quiltane-abc123",    "quiltane-abc123", "x.quiltane-abc123",
    };
    for (const std::string& name : files)
        writeAll(m_dir / name, Bytes{'k', 'e', 'e', 'p'});
    fs::create_directory(m_dir / ".quiltane-folder");
    writeAll(m_dir / ".quiltane-folder" / "inside.bmp", kOld);
    fs::create_directory(m_dir / ".quiltane-dir123"); // a folder of the pattern itself
    ASSERT_EQ(::mkfifo((m_dir / ".quiltane-pipe12").c_str(), 0600), 0);
    writeAll(m_dir / "unlocked.bmp", kOld);
    fs::create_symlink("unlocked.bmp", m_dir / ".quiltane-link12");
    writeAll(m_dir / ".quiltane-dead12", kOld); // a leftover: unlocked, of the pattern
    std::vector<std::string> expected = namesIn(m_dir);
    std::erase(expected, ".quiltane-dead12");
    expected.push_back("other.bmp");
    std::sort(expected.begin(), expected.end());

    EXPECT_EQ(saveInAFreshProcess(m_dir / "other.bmp"), "");
    EXPECT_EQ(namesIn(m_dir), expected);
    for (const std::string& name : files)
        EXPECT_EQ(readAll(m_dir / name), (Bytes{'k', 'e', 'e', 'p'})) << name;
    EXPECT_EQ(readAll(m_dir / ".quiltane-folder" / "inside.bmp"), kOld);
    EXPECT_TRUE(fs::is_directory(m_dir / ".quiltane-dir123"));
    EXPECT_TRUE(fs::is_fifo(m_dir / ".quiltane-pipe12"));
    EXPECT_TRUE(fs::is_symlink(m_dir / ".quiltane-link12"));
    EXPECT_EQ(readAll(m_dir / "unlocked.bmp"), kOld);
}

// Where other machines may write the folder, their locks may not be seen here: a leftover goes
// only once it has lain unchanged for a day.
TEST_F(Leftovers, OnAFileSystemOthersMayWriteOnlyADayOldLeftoverIsRemoved) {
    freshFolder();
    killASaveOf(m_dir / "skin.bmp", kKillings[0]);
    const std::vector<std::string> fresh = temporariesIn(m_dir);
    ASSERT_EQ(fresh.size(), 1u);
    writeAll(m_dir / ".quiltane-old123", kOld);
    writeAll(m_dir / ".quiltane-hour12", kOld);
    const auto ago = [](int hours) { return fs::file_time_type::clock::now() - std::chrono::hours(hours); };
    fs::last_write_time(m_dir / ".quiltane-old123", ago(25));
    fs::last_write_time(m_dir / ".quiltane-hour12", ago(23));

    const auto shared = [](core::testing::SaveSeams& seams) { seams.sharedFileSystem = true; };
    EXPECT_EQ(saveInAFreshProcess(m_dir / "other.bmp", shared), "");
    std::vector<std::string> expected = {".quiltane-hour12", fresh.front()};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(temporariesIn(m_dir), expected);
}

// A batch saves thousands of files into one folder: the folder is looked through at its first
// save only, in each process, and a folder reached by another path (a link) is the same folder.
TEST_F(Leftovers, AFolderIsLookedThroughOncePerProcess) {
    freshFolder();
    fs::create_directory(m_dir / "sub");
    fs::create_directory_symlink(".", m_dir / "same");
    const childtest::Outcome outcome = childtest::runInChild([&](std::string& report) {
        const auto save = [&](const fs::path& target) {
            const core::Status saved = core::savePicture(kPicture, target.string());
            if (!saved) report += saved.message() + "\n";
        };
        save(m_dir / "a.bmp");
        writeAll(m_dir / ".quiltane-late12", kOld);
        writeAll(m_dir / "sub" / ".quiltane-late12", kOld);
        save(m_dir / "b.bmp");
        save(m_dir / "same" / "c.bmp");
        save(m_dir / "sub" / "d.bmp");
        return 0;
    });
    ASSERT_TRUE(outcome.exited(0)) << outcome.report;
    EXPECT_EQ(outcome.report, "");
    EXPECT_EQ(temporariesIn(m_dir), std::vector<std::string>{".quiltane-late12"});
    EXPECT_EQ(namesIn(m_dir / "sub"), std::vector<std::string>{"d.bmp"});
}

// Another process looks for leftovers at the very moment a save's temporary file has a name:
// just created and not yet locked (a file system without anonymous files), or named for its
// rename. The save goes on and completes, under another name where its first was taken.
TEST_F(Leftovers, ASaveRacingAnotherProcesssLookThroughItsFolderStillCompletes) {
    struct Moment {
        const char* name;
        bool anonymous;
        std::function<void()> core::testing::SaveSeams::*hook;
    };
    const Moment moments[] = {
        {"named file just created", false, &core::testing::SaveSeams::createdUnlocked},
        {"named file at its rename", false, &core::testing::SaveSeams::onceNamed},
        {"anonymous file named for its rename", true, &core::testing::SaveSeams::onceNamed},
    };
    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.name);
        freshFolder();
        core::testing::SaveSeams& seams = core::testing::saveSeams() = {};
        seams.anonymousTemporaryFiles = moment.anonymous;
        int looks = 0;
        std::string otherSave = "not run";
        seams.*moment.hook = [&] {
            if (looks++ == 0) otherSave = saveInAFreshProcess(m_dir / "other.bmp");
        };
        const core::Status saved = core::savePicture(kPicture, (m_dir / "skin.bmp").string());
        EXPECT_TRUE(saved) << saved.message();
        EXPECT_EQ(otherSave, "");
        EXPECT_EQ(namesIn(m_dir), (std::vector<std::string>{"other.bmp", "skin.bmp"}));
        EXPECT_EQ(readAll(m_dir / "skin.bmp"), core::encodeBmp24(kPicture));
    }
}

} // namespace
