#include "platform/startup_folder.h"

#include <system_error>
#include <vector>

#include "platform/wine_prefix.h"

namespace platform {
namespace {

bool enter(const std::filesystem::path& folder) {
    if (folder.empty()) return false;
    std::error_code error;
    std::filesystem::current_path(folder, error);
    return !error;
}

} // namespace

std::filesystem::path enterStartupFolder() {
    std::vector<std::filesystem::path> candidates;
    if (const std::filesystem::path prefix = winePrefix(); !prefix.empty()) {
        const std::filesystem::path driveC = prefix / "drive_c";
        candidates.push_back(driveC / kTextureFolder);
        candidates.push_back(driveC);
    }
    candidates.push_back(homeFolder());
    for (const std::filesystem::path& folder : candidates)
        if (enter(folder)) return folder;
    return {};
}

} // namespace platform
