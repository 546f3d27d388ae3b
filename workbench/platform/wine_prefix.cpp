#include "workbench/platform/wine_prefix.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace workbench {

namespace {

std::filesystem::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return {};
}

} // namespace

std::filesystem::path winePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') return prefix;
    const std::filesystem::path home = homeFolder();
    if (home.empty()) return {};
    return home / ".wine";
}

} // namespace workbench
