// Reading and checking a batch (see batch_plan.h). The checks that read the file system only
// look: they stat and resolve names, and change nothing.

#include "cli/batch_plan.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <thread>
#include <variant>

namespace cli {
namespace {

namespace fs = std::filesystem;

// How many of the actions have an argument of this type: InputFiles for --each.
template <typename Argument> std::ptrdiff_t given(const std::vector<CliAction>& actions) {
    return std::count_if(actions.begin(), actions.end(),
                         [](const CliAction& a) { return std::holds_alternative<Argument>(a.argument); });
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
    if (given<InputFiles>(actions) == 0) {
        for (const CliAction& action : actions)
            if (action.spec->batch.kind == BatchRule::Kind::Shapes)
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
        switch (action.spec->batch.kind) {
        case BatchRule::Kind::Refused:
            return core::Status::usage(describeAction(action) + " cannot be used with --each: " +
                                       std::string(action.spec->batch.reason) + ".");
        case BatchRule::Kind::Shapes:
            action.spec->does.shape(action.argument, plan);
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
