#include "platform/system_info.h"

#include <optional>

#include "platform/registry_lookup.h"

namespace platform {
namespace {

// The path to start, or none when neither lookup leads to a program. A path found under the
// first key is taken as it is, without an existence test.
std::optional<std::string> sysInfoPath(Registry& registry, ProgramLauncher& launcher) {
    std::string keyValue;
    const auto byPath =
        getKeyValue(registry, kHKeyLocalMachine, kSysInfoPathKey, kSysInfoPathValue, keyValue);
    if (!byPath) return std::nullopt;
    if (byPath.value()) return keyValue;

    const auto byFolder =
        getKeyValue(registry, kHKeyLocalMachine, kSysInfoFolderKey, kSysInfoFolderValue, keyValue);
    if (!byFolder || !byFolder.value()) return std::nullopt;
    const std::string program = keyValue + kSysInfoProgram;
    if (!launcher.fileExists(program)) return std::nullopt;
    return program;
}

} // namespace

bool startSysInfo(Registry& registry, ProgramLauncher& launcher,
                  const std::function<void(const std::string&)>& showMessage) {
    const auto path = sysInfoPath(registry, launcher);
    if (path && launcher.start(*path)) return true;
    showMessage(kSysInfoUnavailable);
    return false;
}

} // namespace platform
