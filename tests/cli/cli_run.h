#pragma once
// Running quiltane-cli in the test's own process, its output and exit code caught.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace clitest {

struct Run {
    int code;
    std::string out, err;
};

// errIsTerminal: run as if stderr were a terminal.
inline Run inProcess(const std::vector<std::string>& args, bool errIsTerminal = false) {
    std::ostringstream out, err;
    const int code = cli::runCli(args, out, err, errIsTerminal);
    return {code, out.str(), err.str()};
}

} // namespace clitest
