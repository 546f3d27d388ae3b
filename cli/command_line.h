#pragma once
// The command line of quiltane-cli read into a list of actions, checked whole before any runs,
// so that a mistyped button or a missing argument changes no file.

#include <string>
#include <vector>

#include "core/status.h"
#include "stamps/button_table.h"

namespace cli {

enum class ActionKind {
    Help,
    Source,
    Dest,
    Mark,
    Press,
    Save,
    SaveSource,
    List,
    Convert,
    Info,
    SaveEightBit,
    ConvertEightBit,
    Dither,
    Preview,
    Seams,
    Undo,
    Redo,
    Each,
    Out,
    OutEightBit,
    Jobs,
};

struct CliAction {
    ActionKind kind = ActionKind::Help;
    std::string first;  // the file or path argument, or what the user typed for --press
    std::string second; // OUT of --convert, YAW of --preview as typed
    int row = 0;        // --mark
    float level = 0;    // --dither: 0 to 1
    const stamps::ButtonSpec* button = nullptr; // --press
    double yaw = 0;                             // --preview, in degrees
    std::vector<std::string> files;             // --each
    int jobs = 0;                               // --jobs
};

// The actions in command-line order, or a usage error that says what is wrong.
core::Result<std::vector<CliAction>> parseCommandLine(const std::vector<std::string>& args);

// An action as it was given, for messages: "--convert big.bmp out.bmp".
std::string describeAction(const CliAction& action);

} // namespace cli
