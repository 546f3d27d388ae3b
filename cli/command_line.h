#pragma once
// The command line of quiltane-cli read into a list of actions, checked whole before any runs,
// so that a mistyped button or a missing argument changes no file. Each option is read as its
// row of the action table says.

#include <string>
#include <vector>

#include "cli/action_table.h"
#include "core/status.h"

namespace cli {

struct CliAction {
    const ActionRow* row = nullptr;
    std::vector<std::string> words; // its arguments as typed, for messages
    ActionArgument argument;        // what the row read from them
};

// The actions in command-line order, or a usage error that says what is wrong.
core::Result<std::vector<CliAction>> parseCommandLine(const std::vector<std::string>& args);

// An action as it was given, for messages: "--convert big.bmp out.bmp".
std::string describeAction(const CliAction& action);

} // namespace cli
