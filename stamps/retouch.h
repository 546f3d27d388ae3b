#pragma once
// Retouching the destination: edits of its pixels made in the preview's zoom view and by
// quiltane-cli (a pencil stroke, a fill, a mirror, a seam blend), each kept as one step of the
// history, as a press is. A stroke runs from the press of the mouse button to its release:
// every dab paints the canvas at once, so the window and the preview follow, and the whole
// stroke is one step. Nothing is saved; the destination simply has changes, as after a stamp.

#include <functional>
#include <string>
#include <string_view>

#include "core/retouch/mirror.h"
#include "core/retouch/raster.h"
#include "core/status.h"
#include "stamps/workspace.h"

namespace stamps {

// An edit of the destination's pixels: it changes the raster it is given, which holds the
// destination's image as it is now (256 x 256).
using PixelEdit = std::function<void(core::retouch::Raster&)>;

// Runs the edit on the destination and keeps it as one step named name ("Fill"), even when it
// changed no pixel, so that undo takes back this edit and not the step before it.
core::Status retouch(Workspace& workspace, std::string name, const PixelEdit& edit);

// A stroke: beginStroke as it starts, paintStroke for each part of it (the canvas changes at
// once), endStroke as it ends, which keeps all it painted as one step named name. Nothing else
// may edit the workspace between beginStroke and endStroke.
core::Status beginStroke(Workspace& workspace);
core::Status paintStroke(Workspace& workspace, const PixelEdit& edit);
core::Status endStroke(Workspace& workspace, std::string name);
// Gives the stroke up instead: the canvases are put back as beginStroke found them, and no step
// is kept (a recolour whose dialog was cancelled after showing it live).
void cancelStroke(Workspace& workspace);

// The names of the retouching steps, as the Edit menu ("Undo Fill") and --undo give them.
inline constexpr std::string_view kPencilStep = "Pencil";
inline constexpr std::string_view kFillStep = "Fill";
inline constexpr std::string_view kReplaceStep = "Replace Colour";
inline constexpr std::string_view kRecolourStep = "Recolour";
inline constexpr std::string_view kBlendSeamsStep = "Blend Seams";
inline constexpr std::string_view kPasteStep = "Paste";
inline constexpr std::string_view kMoveStep = "Move Selection";
inline constexpr std::string_view kFlipHorizontallyStep = "Flip Horizontally";
inline constexpr std::string_view kFlipVerticallyStep = "Flip Vertically";
inline constexpr std::string_view kClearStep = "Clear Selection";
// "Mirror Left onto Right": the body's side copied, then the side it is copied onto.
std::string mirrorStepName(core::retouch::Side copied);
// "Blend Seam torso, right side": one seam, by its name.
std::string blendSeamStepName(std::string_view seamName);

} // namespace stamps
