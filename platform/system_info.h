#pragma once
// The About box's "System Info" button: finds the platform's system-information tool through
// the registry and starts it, or tells the user that it is unavailable.

#include <functional>
#include <string>

#include "platform/program_launcher.h"
#include "platform/registry.h"

namespace platform {

// What the user is told whenever the tool cannot be found or started.
inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";

// Where the tool is found: the first key's "PATH" names the program itself; failing that, the
// second key's "MSINFO" names the folder that holds kSysInfoProgram.
inline constexpr const char* kSysInfoPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kSysInfoPathValue = "PATH";
inline constexpr const char* kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSysInfoFolderValue = "MSINFO";
inline constexpr const char* kSysInfoProgram = "\\MSINFO32.EXE";

// `StartSysInfo`: starts the tool without waiting for it, or hands kSysInfoUnavailable to
// showMessage, which returns when the user has read it. Returns whether the tool was started.
bool startSysInfo(Registry& registry, ProgramLauncher& launcher,
                  const std::function<void(const std::string&)>& showMessage);

} // namespace platform
