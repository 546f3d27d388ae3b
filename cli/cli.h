#pragma once
// quiltane-cli's logic: runs the actions of a command line, in order, and returns the exit code.

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace cli
