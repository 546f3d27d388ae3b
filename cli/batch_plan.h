#pragma once
// A batch as the command line asks for it (--each FILE... with --out DIR or --out-8bit DIR,
// --jobs N and the actions to run on every input), checked whole before any input runs: the
// actions that make no sense per input, the output folder, outputs that would replace an
// input, inputs that would be saved under one name and outputs that are one file are refused
// as usage errors. Files are told apart by identity (see core::FileIdentity), not by name.
//
// The output folder is held open from the planning on, and every output is made in it by name:
// whatever the folder's name comes to name during the run (another folder, a link to the
// inputs' folder), the outputs go where they were planned to go.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/command_line.h"
#include "core/atomic_file.h"
#include "core/status.h"
#include "stamps/save_format.h"

namespace cli {

// A folder held open (a handle that names it for the *at calls), closed with its owner.
class HeldFolder {
  public:
    HeldFolder() = default;
    explicit HeldFolder(int handle) : m_handle(handle) {}
    HeldFolder(HeldFolder&& other) noexcept : m_handle(std::exchange(other.m_handle, core::kNoHeldFolder)) {}
    HeldFolder& operator=(HeldFolder&& other) noexcept;
    ~HeldFolder();

    int handle() const { return m_handle; }

  private:
    int m_handle = core::kNoHeldFolder;
};

struct BatchPlan {
    std::vector<std::string> inputs;
    std::string outFolder;
    stamps::SaveFormat format = stamps::SaveFormat::TrueColour; // the row of --out or --out-8bit
    int jobs = 1;                   // threads: --jobs, else the number of processors
    std::vector<CliAction> actions; // run on each input, between its --dest and its save

    // Set once the plan is checked: the output folder, held open, and each input's file as it
    // was then (links followed) with the input's index, sorted by file.
    HeldFolder outHandle;
    std::vector<std::pair<core::FileIdentity, std::size_t>> inputFiles;

    // The name the input at index i is saved under: the input's own file name, its ending made
    // the format's where the format does not follow it (stamps::batchOutputName).
    std::string outputName(std::size_t i) const;
    // Where the input at index i is saved: the output folder and outputName(i).
    std::string outputOf(std::size_t i) const;
    // The input that is this file, if any.
    std::optional<std::size_t> inputThatIs(core::FileIdentity file) const;
};

// No batch (an empty optional) when the command line has no --each; else the batch, or a
// usage error that says what is wrong.
core::Result<std::optional<BatchPlan>> planBatch(const std::vector<CliAction>& actions);

} // namespace cli
