#pragma once
// quiltane-cli's retouching actions, as their rows of the action table read and run them:
// --tolerance and --within set how the actions after them match colours and where they work,
// and --fill, --replace, --mirror, --recolour and --blend-seams each change the destination
// as one step of the history, so that --undo takes it back.

#include <string_view>

#include "cli/action_table.h"
#include "core/status.h"

namespace cli {

struct Session;

// The readers of their arguments; each gives a usage error naming the option and the word.
core::Result<ColourTolerance> colourTolerance(std::string_view option, Words words);
core::Result<FillPlace> fillPlace(std::string_view option, Words words);
core::Result<ColourChange> colourChange(std::string_view option, Words words);
core::Result<MirrorSide> mirrorSide(std::string_view option, Words words);
core::Result<HslChange> hslChange(std::string_view option, Words words);
// A library outfit mask by its picture's name, else a mask file, read and checked now.
core::Result<MaskArea> maskArea(std::string_view option, Words words);
core::Result<SeamWidth> seamWidth(std::string_view option, Words words);
// SEAM WIDTH: a seam by its key ("torsoRight") or its name as --seams prints it.
core::Result<SeamWidth> seamAndWidth(std::string_view option, Words words);

// What they do.
core::Status setTolerance(const ColourTolerance& tolerance, Session& session);
core::Status fillArea(const FillPlace& fill, Session& session);
core::Status replaceColour(const ColourChange& change, Session& session);
core::Status mirrorBody(const MirrorSide& side, Session& session);
core::Status setWithin(const MaskArea& mask, Session& session);
core::Status recolour(const HslChange& change, Session& session);
core::Status blendSeams(const SeamWidth& width, Session& session);

} // namespace cli
