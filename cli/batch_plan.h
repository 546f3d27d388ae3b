#pragma once
// A batch as the command line asks for it (--each FILE... with --out DIR or --out-8bit DIR,
// --jobs N and the actions to run on every input), checked whole before any input runs: the
// actions that make no sense per input, the output folder, outputs that would replace an
// input and inputs that would be saved under one name are refused as usage errors.

#include <optional>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "core/status.h"
#include "stamps/save_format.h"

namespace cli {

struct BatchPlan {
    std::vector<std::string> inputs;
    std::string outFolder;
    stamps::SaveFormat format = stamps::SaveFormat::TrueColour; // the row of --out or --out-8bit
    int jobs = 1;                   // threads: --jobs, else the number of processors
    std::vector<CliAction> actions; // run on each input, between its --dest and its save

    // Where the input at index i is saved: the output folder and the input's own file name.
    std::string outputOf(std::size_t i) const;
};

// No batch (an empty optional) when the command line has no --each; else the batch, or a
// usage error that says what is wrong.
core::Result<std::optional<BatchPlan>> planBatch(const std::vector<CliAction>& actions);

} // namespace cli
