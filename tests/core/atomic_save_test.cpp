// Saves that never damage anything: what a save may replace (regular files only, links
// followed), the permissions it carries over, names as long as the file system takes, and
// interrupted saves that leave no temporary file behind.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>

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

Picture tagged(std::uint8_t tag) {
    return Picture::filled(7, 5, {tag, 20, 30});
}

// The file type of what a path names itself (a link as a link), or 0 when nothing is there.
mode_t typeAt(const fs::path& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

using Saving = savetest::SaveTest;

// What a save is pointed at, and what must come of it.
struct TargetCase {
    const char* name;
    // Prepares the folder; gives the path to save to. An empty path: the case cannot be set up.
    std::function<fs::path(const fs::path& dir)> prepare;
    // Refused: the reason after "Cannot save <path>: ", {dir} standing for the folder.
    std::optional<std::string> refusedWith;
    // Saved: where the picture's bytes land, relative to the folder (a link stays a link).
    const char* savedAt = nullptr;
    // When not 0, the save runs in a child process that may write files of at most this many
    // bytes: the disk "fills up" in the middle of writing the picture.
    rlim_t fileSizeLimit = 0;
};

fs::path makeSocket(const fs::path& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound ? path : fs::path();
}

// A character device of our own (the null device's numbers) where the system lets us make one;
// elsewhere /dev/null itself, which such a system does not let us replace either.
fs::path makeDevice(const fs::path& path) {
    if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) return path;
    return "/dev/null";
}

// Everything below a folder: each path (relative) with its kind, a link's target and a file's
// bytes, so that any change anywhere shows.
std::map<std::string, std::string> everythingIn(const fs::path& folder, const fs::path& below = {}) {
    std::map<std::string, std::string> found;
    for (const std::string& name : namesIn(folder / below)) {
        const fs::path path = folder / below / name;
        std::string& what = found[(below / name).string()];
        switch (typeAt(path)) {
        case S_IFLNK:
            what = "link to " + fs::read_symlink(path).string();
            break;
        case S_IFREG: {
            const Bytes bytes = readAll(path);
            what = "file: " + std::string(bytes.begin(), bytes.end());
            break;
        }
        case S_IFDIR:
            what = "folder";
            found.merge(everythingIn(folder, below / name));
            break;
        default:
            what = "type " + std::to_string(typeAt(path));
        }
    }
    return found;
}

// Saves in this process, or in a child under a file size limit; the child's failure message
// comes back as its report.
core::Status saveAs(const Picture& picture, const fs::path& target, rlim_t fileSizeLimit) {
    if (fileSizeLimit == 0) return core::savePicture(picture, target.string());
    const childtest::Outcome outcome = childtest::runInChild([&](std::string& report) {
        ::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG instead
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
        const core::Status saved = core::savePicture(picture, target.string());
        report = saved.message();
        return saved ? 0 : 1;
    });
    if (outcome.exited(0)) return core::Status::ok();
    return core::Status::error(outcome.exited(1) ? outcome.report
                                                 : "the child process failed: " + outcome.report);
}

// Every kind of target: what is refused with which reason, leaving everything as it was; what
// is saved, and where, changing nothing else. The folder holds old.bmp throughout.
TEST_F(Saving, OnlyARegularFileIsReplacedOrCreated) {
    const std::vector<TargetCase> cases = {
        {"character device", [](const fs::path& d) { return makeDevice(d / "dev.bmp"); },
         "it is a device, not a file."},
        {"named pipe",
         [](const fs::path& d) {
             return ::mkfifo((d / "pipe.bmp").c_str(), 0666) == 0 ? d / "pipe.bmp" : "";
         },
         "it is a named pipe, not a file."},
        {"socket", [](const fs::path& d) { return makeSocket(d / "sock.bmp"); },
         "it is a socket, not a file."},
        {"folder with files",
         [](const fs::path& d) {
             fs::create_directory(d / "skins.bmp");
             writeAll(d / "skins.bmp" / "inside.bmp", Bytes{'k', 'e', 'e', 'p'});
             return d / "skins.bmp";
         },
         "it is a folder, not a file."},
        {"empty folder",
         [](const fs::path& d) {
             fs::create_directory(d / "empty.bmp");
             return d / "empty.bmp";
         },
         "it is a folder, not a file."},
        {"missing folder", [](const fs::path& d) { return d / "no such folder" / "skin.bmp"; },
         "No such file or directory."},
        {"parent is a file",
         [](const fs::path& d) {
             writeAll(d / "notes.txt", Bytes{'k', 'e', 'e', 'p'});
             return d / "notes.txt" / "skin.bmp";
         },
         "Not a directory."},
        // Over an existing small file, the disk full after 4 KB of the 196 KB picture: a save
        // that wrote over the file in place would leave it cut short.
        {"no room for the whole picture", [](const fs::path& d) { return d / "old.bmp"; }, "File too large.",
         nullptr, 4096},
        {"link loop",
         [](const fs::path& d) {
             fs::create_symlink("b.bmp", d / "a.bmp");
             fs::create_symlink("a.bmp", d / "b.bmp");
             return d / "a.bmp";
         },
         "it is a link that leads round in a loop."},
        {"link to a named pipe",
         [](const fs::path& d) {
             ::mkfifo((d / "pipe").c_str(), 0666);
             fs::create_symlink("pipe", d / "link.bmp");
             return d / "link.bmp";
         },
         "it is a link to {dir}/pipe, which is a named pipe, not a file."},
        {"link into a missing folder",
         [](const fs::path& d) {
             fs::create_symlink("nowhere/new.bmp", d / "link.bmp");
             return d / "link.bmp";
         },
         "it is a link to {dir}/nowhere/new.bmp, whose folder does not exist."},
        {"existing file", [](const fs::path& d) { return d / "old.bmp"; }, std::nullopt, "old.bmp"},
        {"new file in the current folder, named without a folder",
         [](const fs::path& d) {
             fs::current_path(d);
             return fs::path("plain.bmp");
         },
         std::nullopt, "plain.bmp"},
        {"link to a file",
         [](const fs::path& d) {
             fs::create_directory(d / "skins");
             writeAll(d / "skins" / "real.bmp", kOld);
             fs::create_symlink(d / "skins" / "real.bmp", d / "link.bmp");
             return d / "link.bmp";
         },
         std::nullopt, "skins/real.bmp"},
        {"link to a file yet to be made",
         [](const fs::path& d) {
             fs::create_directory(d / "skins");
             fs::create_symlink("skins/new.bmp", d / "link.bmp");
             return d / "link.bmp";
         },
         std::nullopt, "skins/new.bmp"},
        {"chain of links to a file",
         [](const fs::path& d) {
             fs::create_directory(d / "skins");
             writeAll(d / "skins" / "real.bmp", kOld);
             fs::create_symlink(d / "skins" / "real.bmp", d / "middle.bmp");
             fs::create_symlink("middle.bmp", d / "link.bmp");
             return d / "link.bmp";
         },
         std::nullopt, "skins/real.bmp"},
    };
    const Picture picture = Picture::filled(256, 256, {1, 20, 30});
    const Bytes pictureBytes = core::encodeBmp24(picture);
    const fs::path startedIn = fs::current_path();
    for (const TargetCase& c : cases) {
        SCOPED_TRACE(c.name);
        emptyFolder();
        writeAll(m_dir / "old.bmp", kOld);
        const fs::path target = c.prepare(m_dir);
        ASSERT_FALSE(target.empty()) << "could not set up the case";
        const mode_t typeBefore = typeAt(target);
        std::map<std::string, std::string> expected = everythingIn(m_dir);

        const core::Status saved = saveAs(picture, target, c.fileSizeLimit);
        fs::current_path(startedIn);

        if (c.refusedWith) {
            std::string reason = *c.refusedWith;
            if (const auto at = reason.find("{dir}"); at != std::string::npos)
                reason.replace(at, 5, m_dir.string());
            EXPECT_EQ(saved.message(), "Cannot save " + target.string() + ": " + reason);
            EXPECT_EQ(typeAt(target), typeBefore);
        } else {
            ASSERT_TRUE(saved) << saved.message();
            EXPECT_EQ(readAll(m_dir / c.savedAt), pictureBytes);
            expected[c.savedAt] = "file: " + std::string(pictureBytes.begin(), pictureBytes.end());
        }
        // Nothing else changes or appears: no temporary file, no file in place of a link.
        EXPECT_EQ(everythingIn(m_dir), expected);
    }
}

TEST_F(Saving, TheTargetTurningIntoSomethingElseBeforeTheRenameStopsTheSave) {
    const fs::path target = m_dir / "skin.bmp";
    writeAll(target, kOld);
    core::testing::saveSeams().onceNamed = [&] {
        fs::remove(target);
        ::mkfifo(target.c_str(), 0666);
    };
    const core::Status saved = core::savePicture(tagged(1), target.string());
    EXPECT_EQ(saved.message(), "Cannot save " + target.string() + ": it is a named pipe, not a file.");
    EXPECT_EQ(typeAt(target), mode_t(S_IFIFO));
    EXPECT_EQ(namesIn(m_dir), std::vector<std::string>{"skin.bmp"});
}

TEST_F(Saving, OnlyTheOrdinaryPermissionBitsAreCarriedOver) {
    const struct {
        mode_t before, after;
    } cases[] = {
        {04755, 0755}, // set-user-ID
        {02755, 0755}, // set-group-ID
        {06750, 0750}, // both
        {01777, 0777}, // sticky
        {0640, 0640},  {0600, 0600},
    };
    const fs::path target = m_dir / "skin.bmp";
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::oct << c.before);
        writeAll(target, kOld);
        ASSERT_EQ(::chmod(target.c_str(), c.before), 0);
        ASSERT_TRUE(core::savePicture(tagged(2), target.string()));
        struct stat st {};
        ASSERT_EQ(::stat(target.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.after);
        EXPECT_EQ(readAll(target), core::encodeBmp24(tagged(2)));
    }
}

// With anonymous temporary files and without: the file system decides which a save gets.
struct TempMode {
    const char* name;
    bool anonymous;
};
constexpr TempMode kTempModes[] = {{"anonymous temporary file", true}, {"named temporary file", false}};

TEST_F(Saving, EveryNameTheFileSystemTakesSavesAndTheTemporaryNameIsShort) {
    const std::string longest(255, 'n'); // NAME_MAX: the longest name a Linux file system takes
    for (const TempMode& mode : kTempModes) {
        SCOPED_TRACE(mode.name);
        emptyFolder();
        core::testing::saveSeams().anonymousTemporaryFiles = mode.anonymous;
        std::vector<std::string> whileWriting;
        core::testing::saveSeams().whileWriting = [&] { whileWriting = namesIn(m_dir); };

        for (const std::string& name : {longest.substr(0, 251) + ".bmp", longest}) {
            const fs::path target = m_dir / name;
            writeAll(target, kOld);
            const core::Status saved = core::savePicture(tagged(3), target.string());
            ASSERT_TRUE(saved) << saved.message();
            EXPECT_EQ(readAll(target), core::encodeBmp24(tagged(3)));
            fs::remove(target);
        }
        // An anonymous file has no name while it is written; the fallback's name is short.
        std::erase(whileWriting, longest);
        if (mode.anonymous) {
            EXPECT_TRUE(whileWriting.empty());
        } else {
            ASSERT_EQ(whileWriting.size(), 1u);
            EXPECT_EQ(whileWriting.front().rfind(".quiltane-", 0), 0u) << whileWriting.front();
            EXPECT_EQ(whileWriting.front().size(), 16u);
        }
        EXPECT_TRUE(namesIn(m_dir).empty());
    }
    // A name longer than the file system takes fails with the system's reason.
    const fs::path tooLong = m_dir / (longest + "x");
    EXPECT_EQ(core::savePicture(tagged(3), tooLong.string()).message(),
              "Cannot save " + tooLong.string() + ": File name too long.");
}

// A save interrupted by a signal at one of its two moments.
struct Interruption {
    const char* moment;
    int signal;
    bool anonymous;
};

TEST_F(Saving, AnInterruptedSaveLeavesNoTemporaryFileAndEndsAsTheSignalWould) {
    std::vector<Interruption> cases;
    for (const char* moment : {"while writing", "once named"})
        for (int signal : core::kTerminatingSignals)
            for (const TempMode& mode : kTempModes)
                cases.push_back({moment, signal, mode.anonymous});
    // Killed outright while writing: nothing to clean up, as the file has no name yet.
    cases.push_back({"while writing", SIGKILL, true});

    const fs::path target = m_dir / "skin.bmp";
    const Picture picture = Picture::filled(512, 512, {9, 8, 7});
    for (const Interruption& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.moment << ", signal " << c.signal << (c.anonymous ? ", anonymous" : ", named"));
        emptyFolder();
        writeAll(target, kOld);
        const childtest::Outcome outcome = childtest::runInChild([&](std::string& report) {
            core::cleanUpSavesOnSignals();
            core::testing::SaveSeams& seams = core::testing::saveSeams();
            seams.anonymousTemporaryFiles = c.anonymous;
            const std::function<void()> interrupt = [&] { ::raise(c.signal); };
            (std::string(c.moment) == "while writing" ? seams.whileWriting : seams.onceNamed) = interrupt;
            report = core::savePicture(picture, target.string()).message();
            return 0;
        });
        EXPECT_EQ(outcome.signal, c.signal) << "exit code " << outcome.exitCode << ": " << outcome.report;
        EXPECT_EQ(namesIn(m_dir), std::vector<std::string>{"skin.bmp"});
        EXPECT_EQ(readAll(target), kOld);
    }
}

TEST_F(Saving, AnIgnoredSignalStaysIgnored) {
    const childtest::Outcome outcome = childtest::runInChild([](std::string& report) {
        std::signal(SIGHUP, SIG_IGN); // as under nohup
        core::cleanUpSavesOnSignals();
        ::raise(SIGHUP);
        report = "still running";
        return 0;
    });
    EXPECT_TRUE(outcome.exited(0));
    EXPECT_EQ(outcome.report, "still running");
}

} // namespace
