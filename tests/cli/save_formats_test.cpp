// Every save format of the table is offered by quiltane-cli: its save option writes, in one run
// and through --dither, the file the workspace's save writes in that format to a name with the
// format's ending; its batch option writes the same for each input; --help names both.

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
    const std::string help = clitest::inProcess({"--help"}).out;
    // More than 256 colours, so that the 8-bit save reduces them and --dither shows.
    const core::Picture picture = stamps_test::coordinatePicture(256, 256, stamps_test::kTargetTag);
    for (const stamps::SaveFormatSpec& row : stamps::allSaveFormats()) {
        const std::string saveOption(row.cliSaveOption), outOption(row.batchOutOption);
        // Rows that share an option are told apart by the name's ending: each name here has its
        // row's, the input's too.
        const std::string ending(stamps::extensionOf(row.format));
        SCOPED_TRACE(saveOption + ", " + outOption + ", " + ending);
        fs::remove_all(m_dir / "in");
        fs::create_directories(m_dir / "in");
        const std::string in = path("in/skin" + ending);
        ASSERT_TRUE(
            stamps::saveAs(stamps::formatForPath(stamps::SaveFormat::TrueColour, in), picture, picture, in));
        stamps::Workspace workspace;
        ASSERT_TRUE(stamps::openFile(workspace, stamps::CanvasId::picTarget, in).loaded);
        ASSERT_TRUE(stamps::saveDestination(workspace, row.format, path("expected" + ending), {0.5f}));
        const filetest::Bytes expected = readAll(path("expected" + ending));

        const clitest::Run single =
            clitest::inProcess({"--dest", in, "--dither", "0.5", saveOption, path("single" + ending)});
        ASSERT_EQ(single.code, 0) << single.err;
        EXPECT_EQ(readAll(path("single" + ending)), expected);

        fs::remove_all(m_dir / "out");
        fs::create_directories(m_dir / "out");
        const clitest::Run batch =
            clitest::inProcess({"--each", in, outOption, path("out"), "--dither", "0.5"});
        ASSERT_EQ(batch.code, 0) << batch.err;
        EXPECT_EQ(readAll(path("out/skin" + ending)), expected);

        EXPECT_NE(help.find("  " + saveOption + " PATH"), std::string::npos);
        EXPECT_NE(help.find("  " + outOption + " DIR"), std::string::npos);
    }
}

} // namespace
