// The Wine prefix's registry: system.reg read as the platform's registry calls would read it,
// and getKeyValue on top of it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/registry_lookup.h"
#include "platform/wine_registry.h"
#include "tests/platform/platform_test_support.h"

using namespace platform;
using namespace std::string_literals;
using support::TempFolder;

namespace {

constexpr const char* kKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

// Writes system.reg into folder: the header line, then body as it is.
void writeSystemReg(const TempFolder& folder, const std::string& body,
                    const std::string& header = "WINE REGISTRY Version 2\n") {
    std::ofstream out(folder.path() / "system.reg", std::ios::binary);
    out << header << ";; All keys relative to \\\\Machine\n\n#arch=win64\n\n" << body;
}

// The key of every case below, holding body's value lines.
std::string section(const std::string& valueLines) {
    return "[Software\\\\Microsoft\\\\Shared Tools\\\\MSINFO] 1700000000\n#time=1d9e3a4b5c6d7e8\n" +
           valueLines + "\n";
}

struct Query {
    RegStatus openStatus = kErrorSuccess;
    RegStatus status = kErrorSuccess;
    RegType type = kRegNone;
    std::string bytes;
};

Query query(const TempFolder& prefix, const std::string& keyPath, const std::string& valueName,
            std::uint32_t room = 1024) {
    WineRegistry registry(prefix.path());
    Query result;
    RegKey key = 0;
    result.openStatus = registry.openKey(kHKeyLocalMachine, keyPath, 0x2003F, key);
    if (result.openStatus != kErrorSuccess) return result;
    std::vector<std::byte> buffer(room);
    std::uint32_t count = room;
    result.status = registry.queryValue(key, valueName, result.type, buffer, count);
    if (result.status == kErrorSuccess)
        result.bytes.assign(reinterpret_cast<const char*>(buffer.data()), std::min<std::size_t>(count, room));
    registry.closeKey(key);
    return result;
}

} // namespace

TEST(WineRegistry, ReadsEveryValueForm) {
    struct Case {
        const char* name;
        std::string line;
        RegType type;
        std::string bytes;
    };
    const Case cases[] = {
        {"text", "\"V\"=\"C:\\\\Tools\\\\x.exe\""s, kRegSz, "C:\\Tools\\x.exe\0"s},
        {"escaped quote and controls", "\"V\"=\"a\\\"b\\tc\\nd\\e\""s, kRegSz, "a\"b\tc\nd\x1b\0"s},
        {"hex escape, Latin-1", "\"V\"=\"caf\\xe9\""s, kRegSz, "caf\xe9\0"s},
        {"hex escape, code page", "\"V\"=\"\\x20ac\""s, kRegSz, "\x80\0"s},
        {"hex escape of four digits, then a digit", "\"V\"=\"\\x00411\""s, kRegSz, "A1\0"s},
        {"not in the code page", "\"V\"=\"\\x4e2d!\""s, kRegSz, "?!\0"s},
        {"UTF-8 in the file", "\"V\"=\"caf\xc3\xa9\""s, kRegSz, "caf\xe9\0"s},
        {"octal zero inside", "\"V\"=\"a\\0b\""s, kRegSz, "a\0b\0"s},
        {"empty text", "\"V\"=\"\""s, kRegSz, "\0"s},
        {"expandable text", "\"V\"=str(2):\"%SystemRoot%\\\\x\""s, kRegExpandSz, "%SystemRoot%\\x\0"s},
        {"dword", "\"V\"=dword:0000002a"s, kRegDword, "\x2a\0\0\0"s},
        {"dword, short form", "\"V\"=dword:ff"s, kRegDword, "\xff\0\0\0"s},
        {"binary", "\"V\"=hex:01,02,ff"s, kRegBinary, "\x01\x02\xff"s},
        {"binary, empty", "\"V\"=hex:"s, kRegBinary, ""s},
        {"multi-string", "\"V\"=hex(7):41,00,00,00,00,00"s, kRegMultiSz, "A\0\0"s},
        {"typed bytes", "\"V\"=hex(b):01,00,00,00,00,00,00,00"s, RegType(11), "\x01\0\0\0\0\0\0\0"s},
        {"continuation lines", "\"V\"=hex:01,02,\\\n  03,\\\n  04"s, kRegBinary, "\x01\x02\x03\x04"s},
        {"text without its zero", "\"V\"=hex(1):41,00,42,00"s, kRegSz, "AB"s},
        {"text of an odd length", "\"V\"=hex(1):41,00,42"s, kRegSz, "A"s},
        {"name in other case", "\"v\"=\"x\""s, kRegSz, "x\0"s},
        {"Windows line ends", "\"V\"=\"x\"\r"s, kRegSz, "x\0"s},
        {"later line wins", "\"V\"=\"old\"\n\"V\"=\"new\""s, kRegSz, "new\0"s},
        {"after broken lines", "\"V\n=\"\"\nrubbish\n\"W\"=hex:0q\n\"V\"=\"x\""s, kRegSz, "x\0"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder prefix;
        writeSystemReg(prefix, section(c.line));
        const Query result = query(prefix, kKey, "V");
        EXPECT_EQ(result.status, kErrorSuccess);
        EXPECT_EQ(result.type, c.type);
        EXPECT_EQ(result.bytes, c.bytes);
    }
}

TEST(WineRegistry, MalformedValuesAreMissing) {
    struct Case {
        const char* name;
        const char* line;
    };
    const Case cases[] = {
        {"unterminated text", "\"V\"=\"abc"},
        {"text, then rubbish", "\"V\"=\"abc\" x"},
        {"backslash at the end", "\"V\"=\"abc\\"},
        {"no equals sign", "\"V\" \"abc\""},
        {"dword without digits", "\"V\"=dword:xyz"},
        {"dword of nine digits", "\"V\"=dword:123456789"},
        {"bad hex byte", "\"V\"=hex:01,zz"},
        {"hex byte of three digits", "\"V\"=hex:012"},
        {"unclosed hex type", "\"V\"=hex(2:01"},
        {"unclosed str type", "\"V\"=str(2\"x\""},
        {"continuation past the section", "\"V\"=hex:01,\\"},
        {"unknown form", "\"V\"=bogus:1"},
        {"deleted value", "\"V\"=-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder prefix;
        writeSystemReg(prefix, section(c.line) + "[Other]\n\"V\"=\"not this one\"\n");
        EXPECT_EQ(query(prefix, kKey, "V").status, kErrorFileNotFound);
    }
}

TEST(WineRegistry, FindsKeysAsThePlatformComparesThem) {
    struct Case {
        const char* name;
        std::string header;
        std::string keyPath;
        bool found;
    };
    const std::string header = "[Software\\\\Microsoft\\\\Shared Tools\\\\MSINFO] 1700000000";
    const Case cases[] = {
        {"same spelling", header, kKey, true},
        {"other case", header, "software\\MICROSOFT\\shared tools\\msinfo", true},
        {"doubled backslash", header, "SOFTWARE\\\\Microsoft\\Shared Tools\\MSINFO", true},
        {"a parent key", header, "Software\\Microsoft", true},
        {"a longer name", header, "Software\\Microsoft\\Shared Tools\\MSINFO2", false},
        {"a child key", header, "Software\\Microsoft\\Shared Tools\\MSINFO\\X", false},
        {"escaped bracket", "[Software\\\\A\\]B]", "Software\\A]B", true},
        {"non-ASCII, other case", "[Software\\\\Caf\\xe9]", "SOFTWARE\\CAF\xc9", true},
        {"unterminated header", "[Software\\\\Microsoft\\\\Shared Tools\\\\MSINFO", kKey, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder prefix;
        writeSystemReg(prefix, c.header + "\n\"V\"=\"x\"\n");
        EXPECT_EQ(query(prefix, c.keyPath, "V").openStatus, c.found ? kErrorSuccess : kErrorFileNotFound);
    }
}

TEST(WineRegistry, UnusableFilesHoldNoKeys) {
    struct Case {
        const char* name;
        std::string header;
        std::uintmax_t sizeOnDisk; // 0: as written
    };
    const Case cases[] = {
        {"other header", "REGEDIT4\n", 0},
        {"no header", "", 0},
        {"binary rubbish", std::string("\x01\xff\0\0", 4), 0},
        // Larger than a registry file gets: refused before it is read.
        {"huge", "WINE REGISTRY Version 2\n", std::uintmax_t(65) * 1024 * 1024},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder prefix;
        writeSystemReg(prefix, section("\"V\"=\"x\""), c.header);
        if (c.sizeOnDisk > 0) std::filesystem::resize_file(prefix.path() / "system.reg", c.sizeOnDisk);
        EXPECT_EQ(query(prefix, kKey, "V").openStatus, kErrorFileNotFound);

        TempFolder empty;
        EXPECT_EQ(query(empty, kKey, "V").openStatus, kErrorFileNotFound);
    }
}

TEST(WineRegistry, ValueLongerThanTheBufferAsksForMore) {
    TempFolder prefix;
    writeSystemReg(prefix, section("\"V\"=\"abcd\""));
    EXPECT_EQ(query(prefix, kKey, "V", 5).status, kErrorSuccess);
    EXPECT_EQ(query(prefix, kKey, "V", 4).status, kErrorMoreData);
}

TEST(WineRegistry, Handles) {
    TempFolder prefix;
    writeSystemReg(prefix, section("\"V\"=\"x\""));
    WineRegistry registry(prefix.path());
    RegKey other = 0;
    EXPECT_EQ(registry.openKey(0x80000001, kKey, 0x2003F, other), kErrorFileNotFound);
    EXPECT_EQ(other, RegKey(0));

    RegKey key = 0;
    ASSERT_EQ(registry.openKey(kHKeyLocalMachine, kKey, 0x2003F, key), kErrorSuccess);
    EXPECT_NE(key, RegKey(0));
    EXPECT_EQ(registry.closeKey(key), kErrorSuccess);
    std::vector<std::byte> buffer(16);
    std::uint32_t count = 16;
    RegType type = kRegNone;
    EXPECT_EQ(registry.queryValue(key, "V", type, buffer, count), kErrorInvalidHandle);
    EXPECT_EQ(registry.closeKey(key), kErrorInvalidHandle);
    EXPECT_EQ(registry.closeKey(0), kErrorInvalidHandle);
}

TEST(GetKeyValue, ReadsTextAndNumbersAndLeavesOtherTypes) {
    struct Case {
        const char* name;
        std::string line;
        std::string valueName;
        bool error;
        bool read;
        std::string keyValue;
    };
    const std::string before = "as it came";
    const std::string longest(1023, 'a');
    const Case cases[] = {
        {"text", "\"PATH\"=\"C:\\\\x.exe\"", "PATH", false, true, "C:\\x.exe"},
        {"1024 bytes with the zero, read whole", "\"PATH\"=\"" + longest + "\"", "PATH", false, true,
         longest},
        {"1025 bytes, not read", "\"PATH\"=\"" + longest + "b\"", "PATH", false, false, ""},
        {"without a terminating zero", "\"PATH\"=hex(1):41,00,42,00", "PATH", false, true, "AB"},
        {"zero inside kept", "\"PATH\"=\"a\\0b\"", "PATH", false, true, "a\0b"s},
        {"empty text", "\"PATH\"=\"\"", "PATH", false, true, ""},
        {"dword in decimal", "\"PATH\"=dword:0000002a", "PATH", false, true, "42"},
        {"dword ending in a zero byte", "\"PATH\"=dword:00000100", "PATH", false, true, "256"},
        {"largest dword", "\"PATH\"=dword:ffffffff", "PATH", false, true, "4294967295"},
        {"expandable text left as it came", "\"PATH\"=str(2):\"C:\\\\x.exe\"", "PATH", false, true, before},
        {"bytes left as it came", "\"PATH\"=hex:01,02", "PATH", false, true, before},
        {"no bytes at all", "\"PATH\"=hex(1):", "PATH", true, false, before},
        {"missing value", "\"Other\"=\"x\"", "PATH", false, false, ""},
        {"default value", "@=\"C:\\\\y.exe\"", "", false, true, "C:\\y.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder prefix;
        writeSystemReg(prefix, section(c.line));
        WineRegistry registry(prefix.path());
        std::string text = "as it came";
        const auto result = getKeyValue(registry, kHKeyLocalMachine, kKey, c.valueName, text);
        EXPECT_EQ(!result.isOk(), c.error);
        if (!c.error && result.isOk()) {
            EXPECT_EQ(result.value(), c.read);
        }
        EXPECT_EQ(text, c.keyValue);

        std::string missingKey = "as it came";
        const auto missing =
            getKeyValue(registry, kHKeyLocalMachine, "SOFTWARE\\Nothing", c.valueName, missingKey);
        ASSERT_TRUE(missing.isOk());
        EXPECT_FALSE(missing.value());
        EXPECT_TRUE(missingKey.empty());
    }
}
