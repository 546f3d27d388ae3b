// The rows of the retouching tools and commands.

#include "workbench/retouch/retouch_table.h"

namespace workbench {
namespace {

// clang-format off
constexpr ToolRow kTools[] = {
    {RetouchTool::Pencil, "tbnPencil", "actPencil", "&Pencil", "B",
     "Pencil (B): squares of 1 to 8 pixels in the colour, the second colour with the right button; "
     "Shift+click draws a straight line from the last point, Alt+click picks a colour. A stroke, from press "
     "to release, is one step to undo"},
    {RetouchTool::Eyedropper, "tbnEyedropper", "actEyedropper", "P&ick", "I",
     "Eyedropper (I, or Alt+click with the pencil): the colour under the pointer becomes the colour, or the "
     "second colour with the right button"},
    {RetouchTool::Fill, "tbnFill", "actFill", "&Fill", "G",
     "Fill (G): the area of the colour under the pointer, joined left, right, up or down, takes the colour; "
     "the tolerance widens what counts as that colour"},
    {RetouchTool::ReplaceColour, "tbnReplace", "actReplace", "&Replace", "R",
     "Replace colour (R): every pixel of the colour under the pointer, within the tolerance, takes the colour"},
    {RetouchTool::Select, "tbnSelect", "actSelect", "&Select", "M",
     "Selection (M): drag a rectangle; drag inside it to move its pixels, leaving the second colour behind. "
     "Ctrl+C copies it, Ctrl+V pastes where you click next, Shift+H and Shift+V flip it, Delete clears it"},
};

constexpr CommandRow kCommands[] = {
    {RetouchCommand::MirrorLeft, "actMirrorLeft", "Mirror Left onto Right", "",
     "Copy the body's left side onto its right, mirrored about the centre line through the navel and down "
     "the spine; the legs swap, the arm strip stays"},
    {RetouchCommand::MirrorRight, "actMirrorRight", "Mirror Right onto Left", "",
     "Copy the body's right side onto its left, mirrored about the centre line"},
    {RetouchCommand::Recolour, "actRecolour", "Recolour...", "Ctrl+U",
     "Shift the hue, saturation and lightness within the selection or a mask"},
    {RetouchCommand::BlendSeam, "actBlendSeam", "Blend Seam", "",
     "Blend the seam chosen in the list below over the width each side"},
    {RetouchCommand::BlendAllSeams, "actBlendAllSeams", "Blend All Seams", "",
     "Blend every seam over the width each side"},
    {RetouchCommand::Copy, "actRetouchCopy", "Copy", "Ctrl+C", "Copy the selection's pixels"},
    {RetouchCommand::Paste, "actRetouchPaste", "Paste", "Ctrl+V",
     "Paste the pixels copied last: they follow the pointer and land where you click"},
    {RetouchCommand::FlipHorizontally, "actFlipHorizontally", "Flip Horizontally", "Shift+H",
     "Turn the selection's pixels over, left to right"},
    {RetouchCommand::FlipVertically, "actFlipVertically", "Flip Vertically", "Shift+V",
     "Turn the selection's pixels over, top to bottom"},
    {RetouchCommand::ClearSelection, "actClearSelection", "Clear", "Delete",
     "Paint the selection in the second colour"},
    {RetouchCommand::Deselect, "actDeselect", "Deselect", "Esc", "Drop the selection, or a paste not yet placed"},
    {RetouchCommand::SwapColours, "actSwapColours", "Swap Colours", "X",
     "Swap the colour and the second colour"},
    {RetouchCommand::Smaller, "actPencilSmaller", "Smaller Pencil", "[", "The pencil one pixel smaller"},
    {RetouchCommand::Larger, "actPencilLarger", "Larger Pencil", "]", "The pencil one pixel larger"},
    {RetouchCommand::ChooseColour, "actChooseColour", "Choose Colour...", "", "Choose the colour"},
};
// clang-format on

} // namespace

std::span<const ToolRow> retouchTools() {
    return kTools;
}

std::span<const CommandRow> retouchCommands() {
    return kCommands;
}

} // namespace workbench
