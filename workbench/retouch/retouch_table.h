#pragma once
// The retouching tools and commands of the preview's zoom view as data. A tool is what a click
// on the skin does (the pencil draws, the fill fills); a command runs at once (mirror, copy,
// swap colours). One row each gives the object name, the caption, the keys pixel editors use
// and the tooltip; the tool bar's buttons, the actions and their keys are built from the rows
// in a loop, and a command runs by its id.

#include <span>

namespace workbench {

enum class RetouchTool { Pencil, Eyedropper, Fill, ReplaceColour, Select };

enum class RetouchCommand {
    MirrorLeft,       // the body's left side onto its right
    MirrorRight,      // its right side onto its left
    Recolour,         // the recolour dialog
    BlendSeam,        // the seam chosen in the seam list
    BlendAllSeams,    //
    Copy,             // the selection into the retouch clipboard
    Paste,            // the clipboard, to drop where the user clicks
    FlipHorizontally, // the selection's pixels
    FlipVertically,   //
    ClearSelection,   // the selection's pixels in the second colour
    Deselect,         // or drop a paste not yet placed
    SwapColours,      // the colour and the second colour change places
    Smaller,          // the pencil one pixel smaller
    Larger,           //
    ChooseColour,     // the colour chooser for the colour
};

struct ToolRow {
    RetouchTool tool;
    const char* button;  // object name of its button
    const char* action;  // of its action
    const char* caption; // with its mnemonic
    const char* keys;    // portable key text
    const char* tooltip;
};

struct CommandRow {
    RetouchCommand command;
    const char* name; // object name of its action
    const char* text;
    const char* keys; // portable text, several sequences parted by "; "
    const char* tooltip;
};

std::span<const ToolRow> retouchTools();
std::span<const CommandRow> retouchCommands();

} // namespace workbench
