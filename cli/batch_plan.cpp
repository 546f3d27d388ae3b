// Reading and checking a batch (see batch_plan.h). The checks that read the file system only
// look: they stat and resolve names, and change nothing.

#include "cli/batch_plan.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <string_view>
#include <thread>

namespace cli {
namespace {

namespace fs = std::filesystem;

// The actions a batch refuses, and why.
struct NotInBatch {
    ActionKind kind;
    std::string_view reason;
};
constexpr NotInBatch kNotInBatch[] = {
    {ActionKind::Dest, "each input is opened as the destination"},
    {ActionKind::Save,
     "every input would be saved as the same PATH; --out DIR saves each under its own name"},
    {ActionKind::SaveEightBit,
     "every input would be saved as the same PATH; --out-8bit DIR saves each under its own name"},
    {ActionKind::SaveSource, "every input would be saved as the same PATH"},
    {ActionKind::Preview, "every input would be rendered to the same PATH"},
    {ActionKind::Seams, "the lines of every input would run together"},
    {ActionKind::List, "it works on no input; run it on its own"},
    {ActionKind::Info, "it works on no input; run it on its own"},
    {ActionKind::Convert, "it works on no input; run it on its own"},
    {ActionKind::ConvertEightBit, "it works on no input; run it on its own"},
};

bool shapesBatch(ActionKind kind) {
    return kind == ActionKind::Each || kind == ActionKind::Out || kind == ActionKind::OutEightBit ||
           kind == ActionKind::Jobs;
}

// Paths with their links resolved as far as they exist, so that two names of one file compare
// equal; made absolute where they cannot be resolved. A batch's files mostly share a few
// folders, so each folder is resolved once.
class Resolver {
  public:
    std::string operator()(const std::string& path) {
        const fs::path p(path);
        std::error_code error;
        // A link's target may lie anywhere: resolved whole.
        if (fs::is_symlink(p, error)) return whole(p);
        const auto [folder, added] = m_folders.try_emplace(p.parent_path().string());
        if (added) folder->second = whole(p.parent_path().empty() ? fs::path(".") : p.parent_path());
        return (fs::path(folder->second) / p.filename()).string();
    }

  private:
    static std::string whole(const fs::path& path) {
        std::error_code error;
        fs::path result = fs::weakly_canonical(path, error);
        if (error) result = fs::absolute(path, error).lexically_normal();
        return result.string();
    }

    std::map<std::string, std::string> m_folders;
};

// The output folder exists, no two inputs share a name, and no output is one of the inputs.
core::Status checkFiles(const BatchPlan& plan) {
    const std::string option(stamps::saveFormatSpec(plan.format).batchOutOption);
    std::error_code error;
    if (!fs::exists(plan.outFolder, error))
        return core::Status::usage(option + ": the folder " + plan.outFolder + " does not exist.");
    if (!fs::is_directory(plan.outFolder, error))
        return core::Status::usage(option + ": " + plan.outFolder + " is not a folder.");

    std::map<std::string, std::size_t> byName, byResolved;
    Resolver resolved;
    for (std::size_t i = 0; i < plan.inputs.size(); ++i) {
        const std::string& input = plan.inputs[i];
        const std::string name = fs::path(input).filename().string();
        if (name.empty() || name == "." || name == "..")
            return core::Status::usage("--each: " + input + " names a folder, not a file.");
        const auto [first, added] = byName.emplace(name, i);
        if (!added)
            return core::Status::usage("--each: " + plan.inputs[first->second] + " and " + input +
                                       " have the same name; both would be saved as " + plan.outputOf(i) +
                                       ".");
        byResolved.emplace(resolved(input), i);
    }
    for (std::size_t i = 0; i < plan.inputs.size(); ++i) {
        const auto same = byResolved.find(resolved(plan.outputOf(i)));
        if (same == byResolved.end()) continue;
        if (same->second == i)
            return core::Status::usage(option + ": " + plan.inputs[i] + " would be saved over itself.");
        return core::Status::usage(option + ": " + plan.inputs[i] + " would be saved as " + plan.outputOf(i) +
                                   ", which is the input " + plan.inputs[same->second] + ".");
    }
    return core::Status::ok();
}

} // namespace

std::string BatchPlan::outputOf(std::size_t i) const {
    return (fs::path(outFolder) / fs::path(inputs[i]).filename()).string();
}

core::Result<std::optional<BatchPlan>> planBatch(const std::vector<CliAction>& actions) {
    const auto count = [&](ActionKind kind) {
        return std::count_if(actions.begin(), actions.end(),
                             [&](const CliAction& a) { return a.kind == kind; });
    };
    const bool batch = count(ActionKind::Each) > 0;
    if (!batch) {
        for (const CliAction& action : actions)
            if (shapesBatch(action.kind))
                return core::Status::usage(describeAction(action) +
                                           " works only with --each FILE...; see quiltane-cli --help.");
        return std::optional<BatchPlan>();
    }
    if (count(ActionKind::Each) > 1) return core::Status::usage("--each may be given only once.");
    if (count(ActionKind::Out) + count(ActionKind::OutEightBit) != 1)
        return core::Status::usage("--each needs one of --out DIR and --out-8bit DIR, once.");
    if (count(ActionKind::Jobs) > 1) return core::Status::usage("--jobs may be given only once.");

    BatchPlan plan;
    plan.jobs = int(std::max(1u, std::thread::hardware_concurrency()));
    for (const CliAction& action : actions) {
        for (const NotInBatch& refused : kNotInBatch)
            if (action.kind == refused.kind)
                return core::Status::usage(describeAction(action) + " cannot be used with --each: " +
                                           std::string(refused.reason) + ".");
        switch (action.kind) {
        case ActionKind::Each:
            plan.inputs = action.files;
            break;
        case ActionKind::Out:
        case ActionKind::OutEightBit:
            plan.outFolder = action.first;
            plan.format = action.kind == ActionKind::OutEightBit ? stamps::SaveFormat::EightBit
                                                                 : stamps::SaveFormat::TrueColour;
            break;
        case ActionKind::Jobs:
            plan.jobs = action.jobs;
            break;
        default:
            plan.actions.push_back(action);
        }
    }
    if (core::Status files = checkFiles(plan); !files) return files;
    return std::optional<BatchPlan>(std::move(plan));
}

} // namespace cli
