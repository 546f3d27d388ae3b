#pragma once
// Where the target game and the platform's tools live on this system: the Wine prefix, and
// where a Windows path lies inside it.

#include <filesystem>
#include <optional>
#include <string_view>

namespace platform {

// The user's home folder: $HOME, or the password database's entry when $HOME is unset or
// empty. Empty when neither gives one.
std::filesystem::path homeFolder();

// $WINEPREFIX when set and non-empty, otherwise ~/.wine (the home folder from $HOME, or from the
// password database when $HOME is unset or empty). Empty when no home folder can be found.
std::filesystem::path winePrefix();

// Where the absolute Windows path windowsPath ("C:\Program Files\Tool.exe", in the 8-bit code
// page, backslashes or slashes) lies in prefix: its drive through the prefix's dosdevices/
// links ("c:" leads to drive_c), each further name matched without regard to case, as Windows
// matches names. None for a path without a drive letter, a drive the prefix does not have, or
// a name with a zero byte. The path need not exist.
std::optional<std::filesystem::path> unixPathInPrefix(const std::filesystem::path& prefix,
                                                      std::string_view windowsPath);

// Whether an ordinary file lies at the absolute Windows path windowsPath in prefix, found as
// unixPathInPrefix finds it.
bool isFileInPrefix(const std::filesystem::path& prefix, std::string_view windowsPath);

} // namespace platform
