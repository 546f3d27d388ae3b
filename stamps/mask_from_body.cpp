#include "stamps/mask_from_body.h"

#include "stamps/own_pictures.h"

namespace stamps {

core::Result<core::MadeMask> maskFromBareBody(const Workspace& workspace, const BareBody& body,
                                              double tolerance) {
    return core::makeMask(workspace.picTarget.image(), body.picture, tolerance);
}

core::Status applyMadeMask(Workspace& workspace, const core::MadeMask& made, const BareBody& body) {
    workspace.madeMask = {made.mask, body.label};
    return pressOwnPicture({OwnKind::Mask, made.mask, 0}, "Mask from " + body.label, workspace);
}

} // namespace stamps
