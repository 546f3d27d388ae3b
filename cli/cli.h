#pragma once
// quiltane-cli's logic: runs the actions of a command line, in order, or a batch of inputs
// (--each), and returns the exit code.

#include <iosfwd>
#include <string>
#include <vector>

#include "core/status.h"

namespace cli {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1; // a file could not be read or written, or a stamp failed
constexpr int kExitUsage = 2;  // the command line is wrong, or a batch refuses it

// The exit code a failure of this kind ends the run with: a usage error for a command line
// that asks for what cannot be (an unknown option, nothing to undo), else a failure.
int exitCode(const core::Status& failure);

// errIsTerminal: whether err is a terminal, where a batch draws its progress bar.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool errIsTerminal = false);

} // namespace cli
