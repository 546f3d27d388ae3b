// Reading and checking a batch (see batch_plan.h). The checks that read the file system only
// look: they open the output folder and stat names, and change nothing.

#include "cli/batch_plan.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <thread>
#include <variant>

#include "core/file_messages.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

// How many of the actions have an argument of this type: InputFiles for --each.
template <typename Argument> std::ptrdiff_t given(const std::vector<CliAction>& actions) {
    return std::count_if(actions.begin(), actions.end(),
                         [](const CliAction& a) { return std::holds_alternative<Argument>(a.argument); });
}

// The file that path (relative to base) names, links followed; none where there is none, or it
// cannot be looked at: a missing input fails when it is opened, and a missing output is made.
std::optional<core::FileIdentity> fileAt(int base, const std::string& path) {
    struct stat st {};
    if (::fstatat(base, path.c_str(), &st, 0) != 0) return std::nullopt;
    return core::FileIdentity{st.st_dev, st.st_ino};
}

// The output folder, open.
core::Status holdOutFolder(BatchPlan& plan, const std::string& option) {
    struct stat st {};
    if (::stat(plan.outFolder.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return core::Status::usage(option + ": the folder " + core::shownName(plan.outFolder) +
                                       " does not exist.");
        if (errno == ELOOP)
            return core::Status::usage(option + ": " + core::shownName(plan.outFolder) +
                                       " is a link that leads round in a loop.");
    } else if (!S_ISDIR(st.st_mode)) {
        return core::Status::usage(option + ": " + core::shownName(plan.outFolder) + " is not a folder.");
    }
    const int handle = ::open(plan.outFolder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return core::Status::usage(option + ": " + core::cannotOpen(plan.outFolder) + ": " +
                                   core::systemReason(errno));
    plan.outHandle = HeldFolder(handle);
    return core::Status::ok();
}

// The output folder opens, no two inputs share a name, no output is one of the inputs and no
// two outputs are one file. Each input and each output is looked at once.
core::Status checkFiles(BatchPlan& plan) {
    const std::string option(stamps::saveFormatSpec(plan.format).batchOutOption);
    if (core::Status held = holdOutFolder(plan, option); !held) return held;

    // Inputs of one name, or of names that differ in an ending the format makes its own
    // (skin.png and skin.bmp with --out-8bit), would be saved as one file.
    std::map<std::string, std::size_t> byOutput;
    for (std::size_t i = 0; i < plan.inputs.size(); ++i) {
        const std::string& input = plan.inputs[i];
        const std::string name = fs::path(input).filename().string();
        if (name.empty() || name == "." || name == "..")
            return core::Status::usage("--each: " + core::shownName(input) + " names a folder, not a file.");
        const auto [first, added] = byOutput.emplace(plan.outputName(i), i);
        if (!added) {
            const std::string& other = plan.inputs[first->second];
            const bool sameName = fs::path(other).filename() == fs::path(input).filename();
            return core::Status::usage("--each: " + core::shownName(other) + " and " +
                                       core::shownName(input) +
                                       (sameName ? " have the same name; both would" : " would both") +
                                       " be saved as " + core::shownName(plan.outputOf(i)) + ".");
        }
        if (const auto file = fileAt(AT_FDCWD, input)) plan.inputFiles.emplace_back(*file, i);
    }
    std::sort(plan.inputFiles.begin(), plan.inputFiles.end());

    // The outputs that exist, each with its input's index, looked up by name in the held folder.
    std::vector<std::pair<core::FileIdentity, std::size_t>> outputs;
    for (std::size_t i = 0; i < plan.inputs.size(); ++i) {
        const std::optional<core::FileIdentity> file = fileAt(plan.outHandle.handle(), plan.outputName(i));
        if (!file) continue;
        if (const std::optional<std::size_t> same = plan.inputThatIs(*file); same == i)
            return core::Status::usage(option + ": " + core::shownName(plan.inputs[i]) +
                                       " would be saved over itself.");
        else if (same)
            return core::Status::usage(option + ": " + core::shownName(plan.inputs[i]) +
                                       " would be saved as " + core::shownName(plan.outputOf(i)) +
                                       ", which is the input " + core::shownName(plan.inputs[*same]) + ".");
        outputs.emplace_back(*file, i);
    }
    std::sort(outputs.begin(), outputs.end()); // by file, then by input
    const auto twice = std::adjacent_find(outputs.begin(), outputs.end(),
                                          [](const auto& a, const auto& b) { return a.first == b.first; });
    if (twice != outputs.end()) {
        const std::size_t i = twice->second, j = std::next(twice)->second;
        return core::Status::usage(option + ": " + core::shownName(plan.outputOf(i)) + " and " +
                                   core::shownName(plan.outputOf(j)) + " are one file; " +
                                   core::shownName(plan.inputs[i]) + " and " +
                                   core::shownName(plan.inputs[j]) + " would both be saved to it.");
    }
    return core::Status::ok();
}

} // namespace

HeldFolder& HeldFolder::operator=(HeldFolder&& other) noexcept {
    if (this != &other) {
        if (m_handle >= 0) ::close(m_handle);
        m_handle = std::exchange(other.m_handle, core::kNoHeldFolder);
    }
    return *this;
}

HeldFolder::~HeldFolder() {
    if (m_handle >= 0) ::close(m_handle);
}

std::string BatchPlan::outputName(std::size_t i) const {
    return stamps::batchOutputName(format, fs::path(inputs[i]).filename().string());
}

std::string BatchPlan::outputOf(std::size_t i) const {
    return (fs::path(outFolder) / outputName(i)).string();
}

std::optional<std::size_t> BatchPlan::inputThatIs(core::FileIdentity file) const {
    const auto at = std::lower_bound(inputFiles.begin(), inputFiles.end(), std::pair(file, std::size_t(0)));
    if (at == inputFiles.end() || at->first != file) return std::nullopt;
    return at->second;
}

core::Result<std::optional<BatchPlan>> planBatch(const std::vector<CliAction>& actions) {
    if (given<InputFiles>(actions) == 0) {
        for (const CliAction& action : actions)
            if (action.row->batch.kind == BatchRule::Kind::Shapes)
                return core::Status::usage(describeAction(action) +
                                           " works only with --each FILE...; see quiltane-cli --help.");
        return std::optional<BatchPlan>();
    }
    if (given<InputFiles>(actions) > 1) return core::Status::usage("--each may be given only once.");
    if (given<OutputFolder>(actions) != 1)
        return core::Status::usage("--each needs one of --out DIR and --out-8bit DIR, once.");
    if (given<ThreadCount>(actions) > 1) return core::Status::usage("--jobs may be given only once.");

    BatchPlan plan;
    plan.jobs = int(std::max(1u, std::thread::hardware_concurrency()));
    for (const CliAction& action : actions) {
        switch (action.row->batch.kind) {
        case BatchRule::Kind::Refused:
            return core::Status::usage(describeAction(action) + " cannot be used with --each: " +
                                       std::string(action.row->batch.reason) + ".");
        case BatchRule::Kind::Shapes:
            action.row->does.shape(action.argument, plan);
            break;
        case BatchRule::Kind::Runs:
            plan.actions.push_back(action);
            break;
        case BatchRule::Kind::Alone: // answered before a batch is planned
            break;
        }
    }
    if (core::Status files = checkFiles(plan); !files) return files;
    return std::optional<BatchPlan>(std::move(plan));
}

} // namespace cli
