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

inline Run inProcess(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = cli::runCli(args, out, err);
    return {code, out.str(), err.str()};
}

} // namespace clitest
