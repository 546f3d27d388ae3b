#include "cli/command_line.h"

#include <algorithm>
#include <string_view>

#include "core/file_messages.h"

namespace cli {
namespace {

// An argument list whose last name ends in "..." ("FILE...") takes every following argument up
// to the next option.
bool takesUpToNextOption(const ActionSpec& action) {
    return action.argumentNames.ends_with("...");
}

// The number of names in argumentNames, which are separated by single blanks.
std::size_t argumentCount(const ActionSpec& action) {
    const std::string_view names = action.argumentNames;
    return names.empty() ? 0 : std::size_t(std::count(names.begin(), names.end(), ' ')) + 1;
}

// What ends the files of --each: an argument that begins with "--", or an option's other
// spelling ("-h"). A file whose name begins with "--" is given as "./--name".
bool isOption(std::string_view text) {
    return text.starts_with("--") || findAction(text) != nullptr;
}

} // namespace

core::Result<std::vector<CliAction>> parseCommandLine(const std::vector<std::string>& args) {
    std::vector<CliAction> actions;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const ActionSpec* spec = findAction(args[i]);
        if (spec == nullptr)
            return core::Status::usage("Unknown option \"" + core::shownName(args[i]) +
                                       "\"; see quiltane-cli --help.");
        const std::string option(spec->option);
        const std::string names(spec->argumentNames);
        std::size_t end = i + 1;
        if (takesUpToNextOption(*spec)) {
            while (end < args.size() && !isOption(args[end]))
                ++end;
            if (end == i + 1) return core::Status::usage(option + " needs " + names + ", one file or more.");
        } else {
            end += argumentCount(*spec);
            if (end > args.size()) return core::Status::usage(option + " needs " + names + ".");
        }
        CliAction action{
            spec, {args.begin() + std::ptrdiff_t(i) + 1, args.begin() + std::ptrdiff_t(end)}, {}};
        auto argument = spec->does.parse(spec->option, action.words);
        if (!argument) return argument.status();
        action.argument = std::move(argument).value();
        actions.push_back(std::move(action));
        i = end - 1;
    }
    if (actions.empty()) return core::Status::usage("Nothing to do; see quiltane-cli --help.");
    return actions;
}

std::string describeAction(const CliAction& action) {
    std::string text(action.spec->option);
    for (const std::string& word : action.words)
        text += " " + word;
    return text;
}

} // namespace cli
