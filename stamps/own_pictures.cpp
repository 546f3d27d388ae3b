// The kinds of the user's own pictures and how each paints (see own_pictures.h).

#include "stamps/own_pictures.h"

#include "core/codec/bmp.h"
#include "core/mask/mask_reading.h"
#include "core/multiply.h"
#include "stamps/cookie_cutter.h"
#include "stamps/edits.h"
#include "stamps/runner.h"

namespace stamps {
namespace {

constexpr auto kOwnMask = maskSteps(PictureSource::Given);
constexpr auto kOwnBodyFill = bodyFillSteps(PictureSource::Given);
// An accessory drawn on white, ANDed onto the destination as the shoe strips are.
constexpr PaintStep kAndedAccessory[] = {
    {PictureSource::Given, {}, CanvasId::picTarget, wholeSkin(core::RasterOp::SRCAND)}};

core::Status paintMask(const core::Picture& mask, Workspace& workspace) {
    return runSteps(kOwnMask, workspace, mask);
}

core::Status paintBody(const core::Picture& body, Workspace& workspace) {
    return runSteps(kOwnBodyFill, workspace, body);
}

core::Status paintAndedAccessory(const core::Picture& accessory, Workspace& workspace) {
    return runSteps(kAndedAccessory, workspace, accessory);
}

core::Status paintMultipliedAccessory(const core::Picture& accessory, Workspace& workspace) {
    core::Canvas& target = workspace.picTarget;
    return target.paintPicture(core::multiplied(target.image(), accessory),
                               wholeSkin(core::RasterOp::SRCCOPY));
}

// clang-format off
constexpr OwnKindSpec kKinds[] = {
    {OwnKind::Mask, "masks", "Masks", "a mask", paintMask},
    {OwnKind::Body, "bodies", "Bodies", "a body", paintBody},
    {OwnKind::Accessory, "accessories", "Accessories", "an accessory", paintAndedAccessory},
    {OwnKind::MultipliedAccessory, "accessories-multiply", "Accessories (multiply)", "an accessory (multiply)",
     paintMultipliedAccessory},
};
// clang-format on

} // namespace

std::span<const OwnKindSpec> allOwnKinds() {
    return kKinds;
}

const OwnKindSpec& ownKind(OwnKind kind) {
    for (const OwnKindSpec& row : kKinds)
        if (row.kind == kind) return row;
    return kKinds[0];
}

core::Result<OwnPicture> prepareOwnPicture(OwnKind kind, const core::Picture& picture) {
    if (kind != OwnKind::Mask) {
        if (core::Status sized = core::checkSkinSized(picture); !sized) return sized;
        return OwnPicture{kind, picture, 0};
    }
    core::Result<core::ReadMask> mask = core::readMask(picture);
    if (!mask) return mask.status();
    return OwnPicture{kind, std::move(mask.value().mask), mask.value().rounded};
}

core::Result<OwnPicture> loadOwnPicture(OwnKind kind, const std::string& path) {
    core::Result<core::Picture> picture = core::loadPicture(path);
    if (!picture) return picture.status();
    core::Result<OwnPicture> own = prepareOwnPicture(kind, picture.value());
    if (!own)
        return own.status().withContext("Cannot use " + path + " as " + std::string(ownKind(kind).aWord));
    return own;
}

core::Status pressOwnPicture(const OwnPicture& own, const std::string& stepName, Workspace& workspace) {
    return paintAsStep(workspace, stepName, [&] { return ownKind(own.kind).paint(own.picture, workspace); });
}

} // namespace stamps
