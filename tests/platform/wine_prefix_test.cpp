// The Wine prefix: where it is, and where a Windows path lies inside it.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/wine_prefix.h"
#include "tests/platform/platform_test_support.h"

using namespace platform;
using namespace std::string_literals;
namespace fs = std::filesystem;

TEST(WinePrefix, ComesFromTheEnvironment) {
    support::SavedEnvironment saved;
    setenv("WINEPREFIX", "/games/prefix", 1);
    EXPECT_EQ(winePrefix(), fs::path("/games/prefix"));
    setenv("WINEPREFIX", "", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(winePrefix(), fs::path("/home/someone/.wine"));
    unsetenv("WINEPREFIX");
    unsetenv("HOME");
    // From the password database: some folder, never a bare ".wine".
    EXPECT_TRUE(winePrefix().is_absolute());
    EXPECT_EQ(winePrefix().filename(), fs::path(".wine"));
}

TEST(WinePrefix, WindowsPathsLieInThePrefix) {
    struct Case {
        const char* name;
        std::string windowsPath;
        std::string inPrefix; // empty: no place in the prefix
        bool isFile;
    };
    const std::string tool = support::kToolFolder + "/msinfo32.exe"s;
    const Case cases[] = {
        {"as the registry gives it",
         "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\MSINFO32.EXE", tool, true},
        {"slashes, lower case", "c:/program files/common files/microsoft shared/msinfo/msinfo32.exe", tool,
         true},
        {"dots and doubled separators",
         "C:\\Program Files\\.\\Common Files\\\\Microsoft Shared\\..\\Microsoft Shared\\MSInfo\\msinfo32.exe",
         tool, true},
        {"a folder is no file", "C:\\Program Files", "drive_c/Program Files", false},
        {"missing file", "C:\\Program Files\\none.exe", "drive_c/Program Files/none.exe", false},
        {"cannot climb out of the drive", "C:\\..\\..\\dosdevices", "drive_c/dosdevices", false},
        {"code-page name", "C:\\caf\xe9.exe", "drive_c/caf\u00e9.exe", true},
        {"drive the prefix lacks", "D:\\x.exe", "", false},
        {"relative to the drive", "C:x.exe", "", false},
        {"relative", "Program Files\\x.exe", "", false},
        {"network path", "\\\\server\\share\\x.exe", "", false},
        {"empty", "", "", false},
        {"zero byte inside", "C:\\caf\xe9.exe\0.txt"s, "", false},
    };
    support::TempFolder prefix;
    support::layOutPrefix(prefix.path());
    support::touch(prefix.path() / "drive_c" / "caf\u00e9.exe");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto found = unixPathInPrefix(prefix.path(), c.windowsPath);
        EXPECT_EQ(found.has_value(), !c.inPrefix.empty());
        if (found) {
            EXPECT_EQ(fs::weakly_canonical(*found), fs::weakly_canonical(prefix.path() / c.inPrefix));
        }
        EXPECT_EQ(isFileInPrefix(prefix.path(), c.windowsPath), c.isFile);
    }
}
