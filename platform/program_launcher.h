#pragma once
// Starting another program, the way the About box starts the system-information tool: a file
// test and a start without waiting, both on the platform's own (Windows) paths.

#include <string>

namespace platform {

class ProgramLauncher {
  public:
    virtual ~ProgramLauncher() = default;

    // Whether an ordinary file exists at the full path.
    virtual bool fileExists(const std::string& path) = 0;

    // Starts the program at the full path in a normal window that takes the focus and returns
    // at once, without waiting for it. False when it cannot be started.
    virtual bool start(const std::string& path) = 0;
};

} // namespace platform
