// Every save format of the table is offered by quiltane-cli: its save option writes, in one run
// and through --dither, the file the workspace's save writes in that format; its batch option
// writes the same for each input; --help names both.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/codec/bmp.h"
#include "stamps/files.h"
#include "tests/cli/cli_run.h"
#include "tests/file_test_support.h"
#include "tests/stamps/stamp_test_support.h"

namespace {

namespace fs = std::filesystem;
using filetest::readAll;

class SaveFormats : public filetest::TempFolderTest {};

TEST_F(SaveFormats, EachFormatIsOfferedByItsSaveAndBatchOptions) {
    // More than 256 colours, so that the 8-bit save reduces them and --dither shows.
    fs::create_directories(m_dir / "in");
    const std::string in = path("in/skin.bmp");
    ASSERT_TRUE(core::savePicture(stamps_test::coordinatePicture(256, 256, stamps_test::kTargetTag), in));
    stamps::Workspace workspace;
    ASSERT_TRUE(stamps::openFile(workspace, stamps::CanvasId::picTarget, in).loaded);
    const std::string help = clitest::inProcess({"--help"}).out;

    for (const stamps::SaveFormatSpec& row : stamps::allSaveFormats()) {
        const std::string saveOption(row.cliSaveOption), outOption(row.batchOutOption);
        SCOPED_TRACE(saveOption + ", " + outOption);
        ASSERT_TRUE(stamps::saveDestination(workspace, row.format, path("expected.bmp"), {0.5f}));
        const filetest::Bytes expected = readAll(path("expected.bmp"));

        const clitest::Run single =
            clitest::inProcess({"--dest", in, "--dither", "0.5", saveOption, path("single.bmp")});
        ASSERT_EQ(single.code, 0) << single.err;
        EXPECT_EQ(readAll(path("single.bmp")), expected);

        fs::remove_all(m_dir / "out");
        fs::create_directories(m_dir / "out");
        const clitest::Run batch =
            clitest::inProcess({"--each", in, outOption, path("out"), "--dither", "0.5"});
        ASSERT_EQ(batch.code, 0) << batch.err;
        EXPECT_EQ(readAll(path("out/skin.bmp")), expected);

        EXPECT_NE(help.find("  " + saveOption + " PATH"), std::string::npos);
        EXPECT_NE(help.find("  " + outOption + " DIR"), std::string::npos);
    }
}

} // namespace
