#pragma once
// Pictures of the user's own, pressed as the library's are: a mask (the outfit masks' two
// paints), a body (the body fills' two paints) and an accessory on a white ground, combined with
// the skin by AND, as the library's shoes are, or multiplied into it, which keeps the
// accessory's hue on any skin tone (core::multiply). Each is a skin-sized picture painted whole
// at (0, 0). The kinds are a table: what the stamps folder calls each one's subfolder, the
// word for it and how it paints.

#include <span>
#include <string>
#include <string_view>

#include "core/picture.h"
#include "core/status.h"
#include "stamps/workspace.h"

namespace stamps {

enum class OwnKind { Mask, Body, Accessory, MultipliedAccessory };

struct OwnKindSpec {
    OwnKind kind;
    std::string_view folder;  // its subfolder of the stamps folder: "masks"
    std::string_view heading; // what the stamps window heads them with: "Masks"
    std::string_view aWord;   // one of them in a sentence: "a mask", "an accessory (multiply)"
    // Paints a prepared picture (prepareOwnPicture) into the workspace, recording nothing.
    core::Status (*paint)(const core::Picture& picture, Workspace& workspace);
};

// Every kind, in the order the stamps window shows them.
std::span<const OwnKindSpec> allOwnKinds();
const OwnKindSpec& ownKind(OwnKind kind);

// A picture ready to be pressed as its kind.
struct OwnPicture {
    OwnKind kind = OwnKind::Mask;
    core::Picture picture; // of the skin's size; a mask's in black and white only
    int rounded = 0;       // a mask's pixels that were neither black nor white (core/mask/mask_reading.h)
};

// picture checked for the skin's size and, for a mask, read as black and white. A failure is
// the reason alone ("it is 300 × 200 pixels, not 256 × 256.").
core::Result<OwnPicture> prepareOwnPicture(OwnKind kind, const core::Picture& picture);
// The same from a file: errors read "Cannot open <path>: <reason>" or "Cannot use <path> as a
// mask: <reason>".
core::Result<OwnPicture> loadOwnPicture(OwnKind kind, const std::string& path);

// Paints the picture as its kind does, as one step of the history named stepName.
core::Status pressOwnPicture(const OwnPicture& own, const std::string& stepName, Workspace& workspace);

} // namespace stamps
