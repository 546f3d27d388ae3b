// How messages show file names: as they are, unless a name holds control characters or is
// not valid UTF-8; then quoted so that the shell reads the quoted text back as the very bytes.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/file_messages.h"

namespace {

// What bash makes of `printf %s QUOTED`: the bytes the quoted text stands for.
std::string readByBash(const std::string& quoted) {
    // The quoted text goes through a file, so that nothing else quotes it on the way.
    char script[] = "/tmp/quiltane-quoted-XXXXXX";
    const int fd = ::mkstemp(script);
    if (fd < 0) return "(no temporary file)";
    const std::string body = "printf %s " + quoted + "\n";
    const bool written = ::write(fd, body.data(), body.size()) == ssize_t(body.size());
    ::close(fd);
    std::string bytes;
    if (written) {
        FILE* shell = ::popen(("bash " + std::string(script)).c_str(), "r");
        char buffer[256];
        for (std::size_t n; shell != nullptr && (n = std::fread(buffer, 1, sizeof buffer, shell)) > 0;)
            bytes.append(buffer, n);
        if (shell != nullptr) ::pclose(shell);
    }
    ::unlink(script);
    return bytes;
}

TEST(ShownName, NamesThatCouldSplitAMessageOrReachTheTerminalAreQuotedAsTheShellWouldReadThem) {
    struct Case {
        std::string name, shown;
    };
    const Case cases[] = {
        // Shown as they are: plain, with spaces and quotes, in any script.
        {"skin.bmp", "skin.bmp"},
        {"my skin's copy (2).bmp", "my skin's copy (2).bmp"},
        {"\xc3\xa9t\xc3\xa9 \xe2\x82\xac \xf0\x9f\x91\x97.bmp", "\xc3\xa9t\xc3\xa9 \xe2\x82\xac \xf0\x9f\x91\x97.bmp"},
        {"", ""},
        // Control characters: a line break, an escape sequence, a tab, DEL, and the C1 control
        // CSI (U+009B), which terminals obey like ESC [.
        {"two\nlines.bmp", "$'two\\nlines.bmp'"},
        {"\x1b[31mred.bmp", "$'\\E[31mred.bmp'"},
        {"a\tb\rc", "$'a\\tb\\rc'"},
        {"del\x7f", "$'del\\x7f'"},
        {"csi\xc2\x9b" "2J", "$'csi\\xc2\\x9b2J'"},
        // Invalid UTF-8: a lone Latin-1 byte, an overlong slash, a surrogate, a cut sequence.
        {"caf\xe9.bmp", "$'caf\\xe9.bmp'"},
        {"\xc0\xaf", "$'\\xc0\\xaf'"},
        {"\xed\xa0\x80", "$'\\xed\\xa0\\x80'"},
        {"cut\xe2\x82", "$'cut\\xe2\\x82'"},
        // Once quoted, quotes and backslashes are escaped and other characters kept.
        {"it's\n\\ \xc3\xa9", "$'it\\'s\\n\\\\ \xc3\xa9'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(core::shownName(c.name), c.shown);
        if (!c.name.empty() && c.shown != c.name) EXPECT_EQ(readByBash(c.shown), c.name);
    }
}

TEST(ShownName, TheContextOfAFailureShowsItsPathSo) {
    EXPECT_EQ(core::cannotOpen("in\n.bmp"), "Cannot open $'in\\n.bmp'");
    EXPECT_EQ(core::cannotSave("out.bmp"), "Cannot save out.bmp");
}

} // namespace
