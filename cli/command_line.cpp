#include "cli/command_line.h"

#include <algorithm>
#include <string_view>

#include "core/file_messages.h"

namespace cli {
namespace {

// An argument list whose last name ends in "..." ("FILE...", or "[BODY...]" when it may be left
// out) takes every following argument up to the next option.
bool takesUpToNextOption(const ActionRow& action) {
    return action.argumentNames.ends_with("...") || action.argumentNames.ends_with("...]");
}

// The number of names in argumentNames, which are separated by single blanks.
std::size_t argumentCount(const ActionRow& action) {
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
        const ActionRow* row = findAction(args[i]);
        if (row == nullptr)
            return core::Status::usage("Unknown option \"" + core::shownName(args[i]) +
                                       "\"; see quiltane-cli --help.");
        const std::string option(row->option);
        const std::string names(row->argumentNames);
        std::size_t end = i + 1;
        if (takesUpToNextOption(*row)) {
            while (end < args.size() && !isOption(args[end]))
                ++end;
            if (end == i + 1) return core::Status::usage(option + " needs " + names + ", one file or more.");
        } else {
            end += argumentCount(*row);
            if (end > args.size()) return core::Status::usage(option + " needs " + names + ".");
        }
        CliAction action{row, {args.begin() + std::ptrdiff_t(i) + 1, args.begin() + std::ptrdiff_t(end)}, {}};
        auto argument = row->does.parse(row->option, action.words);
        if (!argument) return argument.status();
        action.argument = std::move(argument).value();
        actions.push_back(std::move(action));
        i = end - 1;
    }
    if (actions.empty()) return core::Status::usage("Nothing to do; see quiltane-cli --help.");
    return actions;
}

std::string describeAction(const CliAction& action) {
    std::string text(action.row->option);
    for (const std::string& word : action.words)
        text += " " + core::shownName(word);
    return text;
}

} // namespace cli
