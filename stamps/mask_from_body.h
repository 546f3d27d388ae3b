#pragma once
// Making a mask from the bare body a garment was painted on: the destination as it shows now
// compared with the body (core/mask/mask_maker.h), then kept as the workspace's made mask and
// pressed as an outfit mask is, so that a body fill or every tone follows.

#include "core/mask/mask_maker.h"
#include "stamps/bare_bodies.h"
#include "stamps/workspace.h"

namespace stamps {

// The mask of the destination canvas's image against body; changes nothing.
core::Result<core::MadeMask> maskFromBareBody(const Workspace& workspace, const BareBody& body,
                                              double tolerance = core::kDefaultMaskTolerance);

// Keeps made as the workspace's made mask and presses it as an outfit mask, one step of the
// history named "Mask from " and the body's label.
core::Status applyMadeMask(Workspace& workspace, const core::MadeMask& made, const BareBody& body);

} // namespace stamps
