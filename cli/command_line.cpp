#include "cli/command_line.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "cli/button_lookup.h"

namespace cli {
namespace {

// Takes every following argument up to the next option (--each FILE...).
constexpr int kUpToNextOption = -1;

struct OptionSpec {
    std::string_view option;
    ActionKind kind;
    int argumentCount;              // or kUpToNextOption
    std::string_view argumentNames; // for messages: "FILE", "IN OUT"
};

constexpr OptionSpec kOptions[] = {
    {"--help", ActionKind::Help, 0, ""},
    {"-h", ActionKind::Help, 0, ""},
    {"--source", ActionKind::Source, 1, "FILE"},
    {"--dest", ActionKind::Dest, 1, "FILE"},
    {"--mark", ActionKind::Mark, 1, "ROW"},
    {"--press", ActionKind::Press, 1, "BUTTON"},
    {"--save", ActionKind::Save, 1, "PATH"},
    {"--save-source", ActionKind::SaveSource, 1, "PATH"},
    {"--list", ActionKind::List, 0, ""},
    {"--convert", ActionKind::Convert, 2, "IN OUT"},
    {"--info", ActionKind::Info, 1, "FILE"},
    {"--save-8bit", ActionKind::SaveEightBit, 1, "PATH"},
    {"--convert-8bit", ActionKind::ConvertEightBit, 2, "IN OUT"},
    {"--dither", ActionKind::Dither, 1, "LEVEL"},
    {"--preview", ActionKind::Preview, 2, "PATH YAW"},
    {"--seams", ActionKind::Seams, 0, ""},
    {"--undo", ActionKind::Undo, 0, ""},
    {"--redo", ActionKind::Redo, 0, ""},
    {"--each", ActionKind::Each, kUpToNextOption, "FILE..."},
    {"--out", ActionKind::Out, 1, "DIR"},
    {"--out-8bit", ActionKind::OutEightBit, 1, "DIR"},
    {"--jobs", ActionKind::Jobs, 1, "N"},
};

// What ends the files of --each: an argument that begins with "--", or "-h". A file whose name
// begins with "--" is given as "./--name".
bool isOption(std::string_view text) {
    return text.starts_with("--") || text == "-h";
}

const OptionSpec* findOption(std::string_view text) {
    for (const OptionSpec& known : kOptions)
        if (known.option == text) return &known;
    return nullptr;
}

// The number text spells from its first character to its last, or nothing when any of it is
// not part of the number (a whole number for integer types, any decimal for floating ones).
template <typename T> std::optional<T> numberSpelledBy(const std::string& text) {
    T number{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, number);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return number;
}

// A row of the destination canvas: a whole number from 0 to 255.
core::Result<int> parseRow(const std::string& text) {
    const std::optional<int> row = numberSpelledBy<int>(text);
    if (!row || *row < 0 || *row > 255)
        return core::Status::usage(
            "--mark needs a row of the destination canvas, a whole number from 0 to 255, not \"" + text +
            "\".");
    return *row;
}

// An angle in degrees, any finite number ("-90", "37.5").
core::Result<double> parseYaw(const std::string& text) {
    const std::optional<double> yaw = numberSpelledBy<double>(text);
    if (!yaw || !std::isfinite(*yaw))
        return core::Status::usage(
            "--preview needs YAW, an angle in degrees (0 front, 90 the body's left side, "
            "180 back), not \"" +
            text + "\".");
    return *yaw;
}

// A number of threads: a whole number from 1 up.
core::Result<int> parseJobs(const std::string& text) {
    const std::optional<int> jobs = numberSpelledBy<int>(text);
    if (!jobs || *jobs < 1)
        return core::Status::usage("--jobs needs a number of threads, a whole number from 1 up, not \"" +
                                   text + "\".");
    return *jobs;
}

// A dithering level: a number from 0 (none) to 1 (full).
core::Result<float> parseLevel(const std::string& text) {
    const std::optional<float> level = numberSpelledBy<float>(text);
    if (!level || !(*level >= 0 && *level <= 1))
        return core::Status::usage("--dither needs a dithering level, a number from 0 to 1, not \"" + text +
                                   "\".");
    return *level;
}

// Puts a parsed argument into its field of the action, or passes on why it did not parse.
template <typename T> core::Status take(core::Result<T> parsed, T& field) {
    if (!parsed) return parsed.status();
    field = std::move(parsed).value();
    return core::Status::ok();
}

} // namespace

core::Result<std::vector<CliAction>> parseCommandLine(const std::vector<std::string>& args) {
    std::vector<CliAction> actions;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const OptionSpec* known = findOption(args[i]);
        if (known == nullptr)
            return core::Status::usage("Unknown option \"" + args[i] + "\"; see quiltane-cli --help.");
        CliAction action;
        action.kind = known->kind;
        if (known->argumentCount == kUpToNextOption) {
            while (i + 1 < args.size() && !isOption(args[i + 1]))
                action.files.push_back(args[++i]);
            if (action.files.empty())
                return core::Status::usage(std::string(known->option) + " needs " +
                                           std::string(known->argumentNames) + ", one file or more.");
            actions.push_back(std::move(action));
            continue;
        }
        if (args.size() - i - 1 < std::size_t(known->argumentCount))
            return core::Status::usage(std::string(known->option) + " needs " +
                                       std::string(known->argumentNames) + ".");
        if (known->argumentCount >= 1) action.first = args[++i];
        if (known->argumentCount >= 2) action.second = args[++i];

        core::Status parsed = core::Status::ok();
        if (action.kind == ActionKind::Mark)
            parsed = take(parseRow(action.first), action.row);
        else if (action.kind == ActionKind::Dither)
            parsed = take(parseLevel(action.first), action.level);
        else if (action.kind == ActionKind::Press)
            parsed = take(lookupStamp(action.first), action.button);
        else if (action.kind == ActionKind::Jobs)
            parsed = take(parseJobs(action.first), action.jobs);
        else if (action.kind == ActionKind::Preview)
            parsed = take(parseYaw(action.second), action.yaw);
        if (!parsed) return parsed;
        actions.push_back(std::move(action));
    }
    if (actions.empty()) return core::Status::usage("Nothing to do; see quiltane-cli --help.");
    return actions;
}

std::string describeAction(const CliAction& action) {
    std::string text;
    for (const OptionSpec& known : kOptions)
        if (known.kind == action.kind) {
            text = known.option;
            for (const std::string& file : action.files)
                text += " " + file;
            if (known.argumentCount >= 1) text += " " + action.first;
            if (known.argumentCount >= 2) text += " " + action.second;
            break;
        }
    return text;
}

} // namespace cli
