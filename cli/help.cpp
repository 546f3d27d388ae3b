// --help (see help.h). The options' paragraphs and which actions a batch allows come from the
// action table; the rest is fixed text here. Prose is wrapped to kWidth columns; help2man makes
// the manual page's sections from the headings ("Actions:", "Batches:") and the paragraphs.

#include "cli/help.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "cli/action_table.h"
#include "cli/button_lookup.h"

namespace cli {
namespace {

constexpr std::size_t kWidth = 92;       // columns of every line
constexpr std::size_t kOptionIndent = 2; // where an option begins
constexpr std::size_t kHelpColumn = 22;  // where the paragraph beside an option begins

constexpr std::string_view kUsage =
    "Usage: quiltane-cli ACTION...\n"
    "       quiltane-cli --each FILE... (--out DIR | --out-8bit DIR) [--jobs N] ACTION...\n";

constexpr std::string_view kPreface =
    "Runs the stamps of Quiltane without its window. The actions run in the order given, like a user's "
    "clicks on two canvases: the source canvas (picSource) and the destination canvas (picTarget), both "
    "256 x 256 pixels and empty at the start.";

// Follows the sentence on which actions a batch allows.
constexpr std::string_view kBatchChecks =
    "Before anything runs the batch refuses an output folder that does not exist, an output that would "
    "replace one of the inputs, two inputs with the same name and two outputs that are one file (through a "
    "link). The output folder is held open from the start, so renaming or replacing it while the batch runs "
    "redirects nothing, and an output that has become one of the inputs by then fails alone. An input that "
    "fails (it cannot be read, a "
    "stamp fails, an --undo finds nothing to undo) fails alone and the others are saved. On a terminal a "
    "progress bar shows on stderr; each failure is named there with its reason, and a last line sums up: "
    "\"200 skins: 198 saved, 2 failed\". The results are written first, flushed to disk together and only "
    "then renamed into place, so each output is complete or absent and an old file is replaced only by a "
    "complete new one.";

constexpr std::string_view kFiles =
    "The whole command line is checked before anything runs. Files are replaced atomically, so no "
    "half-written file is ever left behind, not even when the program is interrupted; the actions before a "
    "failing one have taken effect, as clicks in the window would have. A run killed outright (kill -9) "
    "while it renames its outputs may leave a temporary .quiltane-XXXXXX file beside them; the next save "
    "into that folder removes it (on a network drive, once it is a day old). A save replaces only a regular "
    "file (a link to one is followed) and refuses devices, pipes, sockets and folders.";

// Followed by the buttons that cannot be pressed here, and why.
constexpr std::string_view kExitStatus =
    "Exit status: 0 on success; 1 when a file cannot be read or written or a stamp fails (the message names "
    "the file or the stamp and says why); 2 on a usage error, such as an unknown or ambiguous button (the "
    "message lists the closest names) or an --undo with nothing to undo. A batch exits with 0 when every "
    "input was saved, 1 when any failed and 2 on a usage error, its refusals included. What --list, --info, "
    "--seams and --help print that cannot be written (a full disk, a closed output) fails the run with 1. "
    "Messages show a name that holds control characters or is not valid UTF-8 quoted as the shell's "
    "printf %q would ($'two\\nlines.bmp').";

// Paragraphs that begin with a blank are command lines, printed as they are.
constexpr std::string_view kExample[] = {
    "Example: cut the bikini out of a clothed skin, put it on the medium female body, add black sneakers "
    "and save the result:",
    "  quiltane-cli --dest skin.bmp --press \"Bikini 402\" --press \"Med Fem\" \\\n"
    "               --press \"Black Sneakers\" --save skin2.bmp\n",
    "\"Bikini 402\" whitens everything outside the bikini and writes the inverted mask into the source "
    "canvas; \"Med Fem\" fills the white area with the bare body; \"Black Sneakers\" ANDs the shoe strip "
    "onto "
    "the feet; --save writes skin2.bmp as a 24-bit BMP. For a file the game can load as it is, save with "
    "--save-8bit skin2.bmp instead.",
    "The same on every skin of a folder, saved as 8-bit files into done/:",
    "  quiltane-cli --each skins/*.bmp --out-8bit done \\\n"
    "               --press \"Bikini 402\" --press \"Med Fem\" --press \"Black Sneakers\"\n",
};

// The words of text in lines of at most kWidth columns, each line but the first indented by
// indent; the first goes on from column `column` (where the text before it ends).
std::string wrapped(std::string_view text, std::size_t indent = 0, std::size_t column = 0) {
    std::string out;
    std::size_t at = column;
    bool lineEmpty = true;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(' '), text.size());
        const std::string_view word = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!lineEmpty && at + 1 + word.size() > kWidth) {
            out += "\n" + std::string(indent, ' ');
            at = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            out += ' ';
            ++at;
        }
        out += word;
        at += word.size();
        lineEmpty = false;
    }
    return out + "\n";
}

// "a, b and c"
std::string listed(const std::vector<std::string_view>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i)
        out += std::string(i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + std::string(items[i]);
    return out;
}

// The option and its arguments, with its paragraph beside them, or below them when they reach
// into the paragraph's column.
std::string optionParagraph(const ActionRow& action) {
    std::string head = std::string(kOptionIndent, ' ') + std::string(action.option);
    if (!action.argumentNames.empty()) head += " " + std::string(action.argumentNames);
    constexpr std::size_t kGap = 2; // blanks at least between the option and its paragraph
    if (head.size() + kGap > kHelpColumn)
        head += "\n" + std::string(kHelpColumn, ' ');
    else
        head.resize(kHelpColumn, ' ');
    return head + wrapped(action.help, kHelpColumn, kHelpColumn);
}

// The paragraphs of the options that are actions, or of those that are options of a batch.
std::string optionParagraphs(bool ofTheBatch) {
    std::string out;
    for (const ActionRow& action : allActions())
        if ((action.batch.kind == BatchRule::Kind::Shapes) == ofTheBatch) out += optionParagraph(action);
    return out;
}

// "In a batch --source, ... work as in one run. --dest, ... cannot be used; ..."
std::string batchRules() {
    std::vector<std::string_view> runs, refused;
    for (const ActionRow& action : allActions()) {
        if (action.batch.kind == BatchRule::Kind::Runs) runs.push_back(action.option);
        if (action.batch.kind == BatchRule::Kind::Refused) refused.push_back(action.option);
    }
    return "In a batch " + listed(runs) + " work as in one run. " + listed(refused) +
           " cannot be used; the refusal says why.";
}

} // namespace

std::string helpText() {
    std::string text(kUsage);
    text += "\n" + wrapped(kPreface);
    text += "\nActions:\n" + optionParagraphs(false);
    text += "\nBatches:\n" + optionParagraphs(true);
    text += "\n" + wrapped(batchRules() + " " + std::string(kBatchChecks));
    text += "\n" + wrapped(kFiles);
    text += "\n" + wrapped(std::string(kExitStatus) +
                           " Not every button can be pressed here: " + std::string(kNotStampsReason) + ".");
    for (std::string_view paragraph : kExample)
        text += "\n" + (paragraph.starts_with(' ') ? std::string(paragraph) : wrapped(paragraph));
    return text;
}

} // namespace cli
