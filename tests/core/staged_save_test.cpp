// Saves made durable together (AtomicFile::commitTogether): until the commit no target
// changes; after it each target holds its own complete file and nothing else is left in the
// folder; the data is flushed once for all; a target that fails fails alone; and an
// interrupted batch of saves leaves no temporary file, however many are in progress at once.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/atomic_file.h"
#include "core/codec/bmp.h"
#include "tests/child_process.h"
#include "tests/core/save_test_support.h"
#include "tests/file_test_support.h"

namespace {

namespace fs = std::filesystem;
using core::AtomicFile;
using core::Picture;
using filetest::Bytes;
using filetest::namesIn;
using filetest::readAll;
using filetest::writeAll;

using savetest::kOld;
// More saves at once than a signal handler's first block of temporary names holds.
constexpr int kFiles = 70;

Picture tagged(int tag) {
    return Picture::filled(7, 5, {std::uint8_t(tag), 20, 30});
}

std::string targetName(int i) {
    return "skin" + std::to_string(i) + ".bmp";
}

class StagedSaving : public savetest::SaveTest {
  protected:
    // Every other target exists beforehand, holding kOld.
    std::vector<std::string> prepareTargets(int count) const {
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            names.push_back(targetName(i));
            if (i % 2 == 0) writeAll(m_dir / names.back(), kOld);
        }
        return names;
    }

    // Each target's picture staged, tagged by its number.
    std::vector<AtomicFile> stageAll(int count) const {
        std::vector<AtomicFile> files;
        for (int i = 0; i < count; ++i) {
            auto staged = core::stagePicture(tagged(i), path(targetName(i)));
            EXPECT_TRUE(staged) << staged.message();
            if (staged) files.push_back(std::move(staged).value());
        }
        return files;
    }
};

// Which temporary files a save gets, and how its data is flushed.
struct Way {
    const char* name;
    bool anonymous;
    bool wholeFileSystemFlush;
    int flushes; // of file data, for kFiles files in one folder
};
constexpr Way kWays[] = {
    {"anonymous files, one flush", true, true, 1},
    {"named files, one flush", false, true, 1},
    {"anonymous files, a flush per file", true, false, kFiles},
};

TEST_F(StagedSaving, NoTargetChangesBeforeTheCommitAndEachHasItsOwnFileAfter) {
    for (const Way& way : kWays) {
        SCOPED_TRACE(way.name);
        emptyFolder();
        core::testing::SaveSeams& seams = core::testing::saveSeams();
        seams.anonymousTemporaryFiles = way.anonymous;
        seams.wholeFileSystemFlush = way.wholeFileSystemFlush;
        int flushes = 0;
        seams.flushingData = [&] { ++flushes; };

        prepareTargets(kFiles);
        const std::vector<std::string> before = namesIn(m_dir);
        std::vector<AtomicFile> files = stageAll(kFiles);
        ASSERT_EQ(files.size(), std::size_t(kFiles));
        for (int i = 0; i < kFiles; ++i)
            EXPECT_EQ(readAll(m_dir / targetName(i)), i % 2 == 0 ? kOld : Bytes()) << i;
        EXPECT_EQ(flushes, 0);
        if (way.anonymous) {
            EXPECT_EQ(namesIn(m_dir), before);
        }

        const std::vector<core::Status> outcome = AtomicFile::commitTogether(files);
        ASSERT_EQ(outcome.size(), std::size_t(kFiles));
        for (int i = 0; i < kFiles; ++i) {
            EXPECT_TRUE(outcome[i]) << i << ": " << outcome[i].message();
            EXPECT_EQ(readAll(m_dir / targetName(i)), core::encodeBmp24(tagged(i))) << i;
        }
        EXPECT_EQ(flushes, way.flushes);
        std::vector<std::string> expected;
        for (int i = 0; i < kFiles; ++i)
            expected.push_back(targetName(i));
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(namesIn(m_dir), expected);
    }
}

TEST_F(StagedSaving, ATargetThatTurnsIntoAPipeFailsAloneAndTheOthersAreSaved) {
    const std::vector<std::string> names = prepareTargets(4);
    std::vector<AtomicFile> files = stageAll(4);
    ASSERT_EQ(files.size(), 4u);
    const fs::path spoilt = m_dir / names[2];
    int renames = 0;
    core::testing::saveSeams().onceNamed = [&] {
        if (renames++ == 2) {
            fs::remove(spoilt);
            ::mkfifo(spoilt.c_str(), 0666);
        }
    };
    const std::vector<core::Status> outcome = AtomicFile::commitTogether(files);
    ASSERT_EQ(outcome.size(), 4u);
    EXPECT_EQ(outcome[2].message(), "it is a named pipe, not a file.");
    EXPECT_TRUE(fs::is_fifo(spoilt));
    for (int i : {0, 1, 3}) {
        EXPECT_TRUE(outcome[i]) << outcome[i].message();
        EXPECT_EQ(readAll(m_dir / names[i]), core::encodeBmp24(tagged(i)));
    }
    EXPECT_EQ(namesIn(m_dir), names); // no temporary file left
}

TEST_F(StagedSaving, AStagedFileThatIsDroppedLeavesNothing) {
    for (const bool anonymous : {true, false}) {
        SCOPED_TRACE(anonymous ? "anonymous" : "named");
        core::testing::saveSeams().anonymousTemporaryFiles = anonymous;
        const std::vector<std::string> names = prepareTargets(3);
        stageAll(3); // dropped uncommitted
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(readAll(m_dir / names[i]), i % 2 == 0 ? kOld : Bytes());
        std::vector<std::string> existing = {names[0], names[2]};
        EXPECT_EQ(namesIn(m_dir), existing);
    }
}

// New files take 0666 less the umask, also when many threads save at once (reading the umask
// must not change it, even for a moment).
TEST_F(StagedSaving, NewFilesFromManyThreadsTakeTheUmask) {
    constexpr int kThreads = 4, kEach = 25;
    const mode_t old = ::umask(027);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i)
                EXPECT_TRUE(core::savePicture(tagged(i), path(targetName(t * kEach + i))));
        });
    for (std::thread& thread : threads)
        thread.join();
    ::umask(old);
    for (int i = 0; i < kThreads * kEach; ++i) {
        struct stat st {};
        ASSERT_EQ(::stat(path(targetName(i)).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode_t(0640)) << targetName(i);
    }
}

// A batch of saves interrupted by a signal: while its files are being written (every named
// temporary file exists at once) or between two of its renames. Each target is then old or
// new, complete, and no temporary file is left.
TEST_F(StagedSaving, AnInterruptedBatchLeavesNoTemporaryFileWhateverTheirNumber) {
    struct Case {
        const char* moment;
        bool anonymous;
        int signal;
    };
    std::vector<Case> cases;
    for (const char* moment : {"writing the last file", "between the renames"})
        for (const bool anonymous : {true, false})
            for (const int signal : core::kTerminatingSignals)
                cases.push_back({moment, anonymous, signal});

    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.moment << (c.anonymous ? ", anonymous" : ", named") << ", signal " << c.signal);
        emptyFolder();
        const std::vector<std::string> names = prepareTargets(kFiles);
        const bool whileWriting = std::string(c.moment) == "writing the last file";
        const childtest::Outcome outcome = childtest::runInChild([&](std::string& report) {
            core::cleanUpSavesOnSignals();
            core::testing::SaveSeams& seams = core::testing::saveSeams();
            seams.anonymousTemporaryFiles = c.anonymous;
            int written = 0, renamed = 0;
            seams.whileWriting = [&] {
                if (whileWriting && ++written == kFiles) ::raise(c.signal);
            };
            seams.onceNamed = [&] {
                if (!whileWriting && ++renamed == kFiles / 2) ::raise(c.signal);
            };
            std::vector<AtomicFile> files = stageAll(kFiles);
            report = "not interrupted";
            AtomicFile::commitTogether(files);
            return 0;
        });
        EXPECT_EQ(outcome.signal, c.signal) << outcome.report;
        std::vector<std::string> existing;
        for (int i = 0; i < kFiles; ++i) {
            const fs::path target = m_dir / names[i];
            if (!fs::exists(target)) continue;
            existing.push_back(names[i]);
            const Bytes bytes = readAll(target);
            EXPECT_TRUE(bytes == core::encodeBmp24(tagged(i)) || (i % 2 == 0 && bytes == kOld)) << names[i];
        }
        std::sort(existing.begin(), existing.end());
        EXPECT_EQ(namesIn(m_dir), existing);
    }
}

} // namespace
