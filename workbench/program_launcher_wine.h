#pragma once
// Programs of a Wine prefix: Windows paths are tested inside the prefix, and a program is
// started as "wine PATH" through QProcess.

#include <filesystem>
#include <string>

#include "platform/program_launcher.h"

namespace workbench {

class WineProgramLauncher final : public platform::ProgramLauncher {
  public:
    // wine is the Wine loader to start, looked up on PATH unless it names a folder.
    explicit WineProgramLauncher(std::filesystem::path prefix, std::string wine = "wine");

    bool fileExists(const std::string& path) override;

    // Starts wine with the path as its one argument, never through a shell, with WINEPREFIX
    // set to the prefix, and does not wait. Fails when no program file is at the path (as the
    // platform's start fails) or wine cannot be started.
    bool start(const std::string& path) override;

  private:
    std::filesystem::path m_prefix;
    std::string m_wine;
};

} // namespace workbench
