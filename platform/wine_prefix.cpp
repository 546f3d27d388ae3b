#include "platform/wine_prefix.h"

#include <cstdlib>
#include <pwd.h>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "platform/registry_codepage.h"

namespace platform {
namespace {

// A folder with more entries than this is not searched for a differently cased name.
constexpr std::size_t kMaxEntriesSearched = 100000;

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

bool pathExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// name inside folder: as it is when it exists so, else the entry that differs only in case.
std::filesystem::path childIgnoringCase(const std::filesystem::path& folder, const std::string& name) {
    std::filesystem::path exact = folder / name;
    if (pathExists(exact)) return exact;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    std::size_t searched = 0;
    for (; !error && entries != std::filesystem::directory_iterator() && searched < kMaxEntriesSearched;
         entries.increment(error), ++searched) {
        const std::string entryName = entries->path().filename().string();
        if (equalIgnoringCase(entryName, name)) return entries->path();
    }
    return exact;
}

// The names after the drive, with "." dropped and ".." taking back the name before it, as
// Windows reads them.
std::vector<std::string> pathNames(std::string_view rest) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t stop = rest.find_first_of("\\/", start);
        if (stop == std::string_view::npos) stop = rest.size();
        const std::string_view name = rest.substr(start, stop - start);
        if (name == "..") {
            if (!names.empty()) names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(utf8FromAnsi(name));
        }
        start = stop + 1;
    }
    return names;
}

} // namespace

std::filesystem::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return {};
}

std::filesystem::path winePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') return prefix;
    const std::filesystem::path home = homeFolder();
    if (home.empty()) return {};
    return home / ".wine";
}

std::optional<std::filesystem::path> unixPathInPrefix(const std::filesystem::path& prefix,
                                                      std::string_view windowsPath) {
    if (prefix.empty() || windowsPath.size() < 2 || windowsPath[1] != ':') return std::nullopt;
    const char letter = asciiLower(windowsPath[0]);
    if (letter < 'a' || letter > 'z') return std::nullopt;
    const std::string_view rest = windowsPath.substr(2);
    // "C:name" is relative to the drive's current folder, which a prefix does not keep.
    if (!rest.empty() && rest[0] != '\\' && rest[0] != '/') return std::nullopt;
    if (rest.find('\0') != std::string_view::npos) return std::nullopt;

    std::filesystem::path path = prefix / "dosdevices" / std::string{letter, ':'};
    if (!pathExists(path)) {
        if (letter != 'c' || !pathExists(prefix / "drive_c")) return std::nullopt;
        path = prefix / "drive_c";
    }
    for (const std::string& name : pathNames(rest))
        path = childIgnoringCase(path, name);
    return path;
}

bool isFileInPrefix(const std::filesystem::path& prefix, std::string_view windowsPath) {
    const auto unixPath = unixPathInPrefix(prefix, windowsPath);
    std::error_code error;
    return unixPath && std::filesystem::is_regular_file(*unixPath, error);
}

} // namespace platform
