// quiltane-cli where no thread can start (its user's process limit reached): the 8-bit saves
// still reduce colours, in a single run and in a batch, and write what a run without the limit
// writes.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "core/codec/bmp.h"
#include "tests/child_process.h"
#include "tests/cli/cli_run.h"
#include "tests/file_test_support.h"
#include "tests/stamps/stamp_test_support.h"

namespace {

namespace fs = std::filesystem;
using filetest::readAll;

class NoThreads : public filetest::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        // The limited run may be another user's (see runWithoutNewThreads).
        fs::permissions(m_dir, fs::perms::all);
        for (const char* folder : {"in", "limited", "free"}) {
            fs::create_directories(m_dir / folder);
            fs::permissions(m_dir / folder, fs::perms::all);
        }
        // Skins of 65,536 colours each, which the 8-bit save must reduce.
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(core::savePicture(stamps_test::coordinatePicture(256, 256, std::uint8_t(40 + 4 * i)),
                                          path("in/skin" + std::to_string(i) + ".bmp")));
    }

    // "{in}" and "{out}" in args replaced by in/ and the given output folder.
    std::vector<std::string> placed(std::vector<std::string> args, const std::string& out) const {
        for (std::string& arg : args)
            for (const auto& [key, folder] :
                 {std::pair<std::string, std::string>{"{in}", path("in")}, {"{out}", path(out)}})
                if (arg.rfind(key, 0) == 0) arg.replace(0, key.size(), folder);
        return args;
    }
};

TEST_F(NoThreads, EightBitSavesReduceColoursAndWriteWhatAnUnlimitedRunWrites) {
    struct Case {
        const char* what;
        std::vector<std::string> args; // writing into {out}
    };
    const Case cases[] = {
        {"--save-8bit", {"--dest", "{in}/skin0.bmp", "--save-8bit", "{out}/skin0.bmp"}},
        {"--save-8bit, dithered",
         {"--dither", "1", "--dest", "{in}/skin1.bmp", "--save-8bit", "{out}/skin1.bmp"}},
        {"--convert-8bit", {"--convert-8bit", "{in}/skin2.bmp", "{out}/skin2.bmp"}},
        {"a batch on more threads than it can have",
         {"--each", "{in}/skin0.bmp", "{in}/skin1.bmp", "{in}/skin2.bmp", "--out-8bit", "{out}", "--jobs",
          "16"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* folder : {"limited", "free"})
            for (const auto& entry : fs::directory_iterator(m_dir / folder))
                fs::remove(entry.path());
        // The reduction is asked for four threads, so that it would want one on any machine.
        // LeakSanitizer, in a sanitized build, checks at exit from a process of its own.
        const childtest::Outcome limited =
            childtest::runWithoutNewThreads(QUILTANE_BIN_DIR "/quiltane-cli", placed(c.args, "limited"),
                                            {"OMP_NUM_THREADS=4", "ASAN_OPTIONS=detect_leaks=0"});
        EXPECT_TRUE(limited.exited(0))
            << "exit " << limited.exitCode << ", signal " << limited.signal << ": " << limited.report;
        const clitest::Run free = clitest::inProcess(placed(c.args, "free"));
        ASSERT_EQ(free.code, 0) << free.err;

        std::size_t files = 0;
        for (const auto& entry : fs::directory_iterator(m_dir / "free")) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(readAll(path("limited/" + name)) == readAll(entry.path())) << name;
            const auto info = core::readBmpInfoFile(path("limited/" + name));
            EXPECT_TRUE(info && info.value().bitsPerPixel == 8) << name;
            ++files;
        }
        EXPECT_GT(files, 0u);
    }
}

} // namespace
