#pragma once
// The user's own stamps: picture files in a folder of their own, one subfolder a kind (the
// table in stamps/own_pictures.h):
//   masks/                 outfit masks: black garment, white bare skin
//   bodies/                bare bodies
//   accessories/           accessories on a white ground, ANDed onto the skin
//   accessories-multiply/  accessories on a white ground, multiplied into it
// Each file whose name ends in .bmp or .png (in any case) and does not begin with a dot is a
// stamp, named by its file's name without the extension ("Sundress" for masks/Sundress.bmp) and
// read through the one picture loader; what it cannot read shows as unavailable, with the
// reason. The folder is $QUILTANE_STAMPS, else $XDG_DATA_HOME/quiltane/stamps, else
// ~/.local/share/quiltane/stamps; it is made when the first stamp is added and is never needed
// before. Stamps are added and renamed here; the window removes one by moving it to the
// desktop's trash.

#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"
#include "stamps/own_pictures.h"

namespace stamps {

// The environment variable that names the stamps folder, for tests and scripts.
inline constexpr const char* kStampsFolderVariable = "QUILTANE_STAMPS";

// The stamps folder as the environment gives it (see above).
std::string defaultStampsFolder();

struct OwnStamp {
    std::string name;
    OwnKind kind = OwnKind::Mask;
    std::string path;        // the file
    OwnPicture picture;      // ready to press, when available
    std::string unavailable; // why it cannot be pressed ("Cannot open ...: <reason>"); empty when it can
    bool isAvailable() const { return unavailable.empty(); }
};

// Every stamp of the folder, kind by kind in the table's order, each kind's by name. A missing
// folder or subfolder holds none. Of two stamps with one name (in two kinds, or as .bmp and
// .png) the first is pressed and the other shows as unavailable.
std::vector<OwnStamp> readOwnStamps(const std::string& folder);

// The stamp called name: by its exact name, else as foldedName compares them; null when none.
const OwnStamp* findOwnStamp(const std::vector<OwnStamp>& stamps, std::string_view name);

// Why name cannot name a new stamp, or ok: it is empty, begins or ends with a blank or begins
// with a dot, holds a slash, or is taken (by a button's control name or caption, or by another
// of stamps, except the one being renamed), compared as foldedName does. A usage failure.
core::Status checkStampName(const std::vector<OwnStamp>& stamps, const std::string& name,
                            const OwnStamp* renaming = nullptr);

// Adds picture as a stamp of the kind called name: checked as a stamp of its kind and by
// checkStampName, then written through the atomic save into the kind's subfolder (made when
// missing): a mask as a 1-bit BMP, any other as a 24-bit one. Never replaces a file. The stamp,
// or why it was not added ("Cannot add the stamp "Sundress": <reason>").
core::Result<OwnStamp> addOwnStamp(const std::string& folder, OwnKind kind, const std::string& name,
                                   const core::Picture& picture);

// Gives the stamp's file newName (its extension kept), checked by checkStampName; never
// replaces a file.
core::Result<OwnStamp> renameOwnStamp(const std::string& folder, const OwnStamp& stamp,
                                      const std::string& newName);

// Presses the stamp as its kind does, one step of the history named by the stamp's name; an
// unavailable stamp fails with its reason and changes nothing.
core::Status pressOwnStamp(const OwnStamp& stamp, Workspace& workspace);

} // namespace stamps
