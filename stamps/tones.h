#pragma once
// Every tone at once: the garment on the destination put on each of several bare bodies, each
// exactly what pressing that body's fill now would make of the destination, saved as one file a
// body without changing the canvases (and so without a step of the history). The files are
// named after the destination file and the body: "<stem>-<body>.bmp", "skin-light-female.bmp"
// for a library body and "skin-tan.bmp" for the body file tan.bmp. They are staged first (the
// 8-bit reductions on threads of their own, one a processor) and committed together, so a
// failure before the commit writes nothing and replaces no old file.

#include <string>
#include <vector>

#include "core/status.h"
#include "stamps/bare_bodies.h"
#include "stamps/save_format.h"
#include "stamps/workspace.h"

namespace stamps {

struct TonesRequest {
    std::string folder;      // where the files go; it must exist
    std::string destination; // the destination's file, whose stem begins each name
    std::vector<BareBody> bodies;
    SaveFormat format = SaveFormat::EightBit;
    SaveOptions options;
};

// "skin-light-female.bmp": the file name of one tone.
std::string toneFileName(const std::string& destination, const BareBody& body);

// What pressing the fill of body would make of the destination canvas now, worked out on copies
// of both canvases.
core::Result<core::Picture> toneImage(const Workspace& workspace, const BareBody& body);

// The input that a file written to path would replace: a file the canvases were opened from, or
// one of others (a body file); empty when none. Files are compared as the same file where both
// exist, else by their resolved paths.
std::string replacedInput(const Workspace& workspace, const std::string& path,
                          const std::vector<std::string>& others = {});

// The path of each tone, in the order of the bodies, or why the request is refused before
// anything is written (a usage failure): the folder does not exist, no body or no destination
// file is given, two tones would have one name, or a tone would replace an input (the files
// the canvases were opened from, a body file).
core::Result<std::vector<std::string>> plannedTones(const Workspace& workspace, const TonesRequest& request);

// Checks as plannedTones does, then saves every tone. The paths written, or why none was (or,
// should the system fail a file in the final renames, which).
core::Result<std::vector<std::string>> saveTones(const Workspace& workspace, const TonesRequest& request);

} // namespace stamps
