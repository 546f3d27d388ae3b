#pragma once
// A Wine prefix's registry file (system.reg) read as text: the line "WINE REGISTRY Version 2",
// then sections, each a key path in brackets followed by its values, one a line:
//   [Software\\Microsoft\\Shared Tools\\MSINFO] 1600000000
//   "PATH"="C:\\Program Files\\Tool.exe"      text (REG_SZ)
//   @=str(2):"%SystemRoot%\\x"                default value, typed text (here REG_EXPAND_SZ)
//   "Count"=dword:0000002a                    REG_DWORD
//   "Data"=hex(7):41,00,00,00,\               bytes of type 7; a trailing backslash continues
//     00,00                                   the list on the next line (plain hex: is REG_BINARY)
// Quoted text takes the escapes \\ \" \a \b \e \f \n \r \t \v, \x with up to four hex digits
// (one UTF-16 unit) and up to three octal digits; other bytes are UTF-8. A malformed section or
// value is skipped, as Wine skips it, and never stops the rest of the file from being read.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/status.h"
#include "platform/registry.h"

namespace platform {

// A value as the file stores it: text types as UTF-16LE with their terminating zero.
struct WineRegistryValue {
    RegType type = kRegNone;
    std::vector<std::byte> data;
};

class WineRegistryFile {
  public:
    // Larger files are refused rather than read: a real system.reg is a few megabytes.
    static constexpr std::uintmax_t kMaxFileBytes = 64u << 20;

    // Fails when the text does not start with the header line.
    static core::Result<WineRegistryFile> parse(std::string text);
    // Reads and parses a file; fails when it is missing, unreadable, too large or not a registry.
    static core::Result<WineRegistryFile> load(const std::filesystem::path& file);

    // Whether keyPath (components separated by backslashes, case-insensitive) is a section or
    // lies above one.
    bool hasKey(std::u16string_view keyPath) const;
    // The value called name ("" is the default value) in the section of keyPath; none when
    // the key or the value is missing or the value is malformed.
    std::optional<WineRegistryValue> value(std::u16string_view keyPath, std::u16string_view name) const;

  private:
    // Where one section's value lines lie in m_text.
    struct Section {
        std::size_t begin = 0;
        std::size_t end = 0;
    };

    explicit WineRegistryFile(std::string text);
    const Section* findSection(std::u16string_view keyPath) const;

    std::string m_text;
    // By key path in compared form; the first section of a path counts.
    std::unordered_map<std::u16string, Section> m_sections;
    // Keys that exist because a section lies below them.
    std::unordered_set<std::u16string> m_parents;
};

// keyPath as keys are compared: case folded, empty components dropped, one backslash between.
std::u16string comparableKeyPath(std::u16string_view keyPath);

} // namespace platform
