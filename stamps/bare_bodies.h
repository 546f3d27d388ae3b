#pragma once
// The bare bodies a garment is measured against (the mask maker) and put on (every tone): the
// library's six, one row each, or a body file of the user's own. A body is named twice: by the
// words the window and messages show ("Light Female", "tan.bmp") and by the part of a file name
// its tone is saved under ("light-female", "tan").

#include <span>
#include <string>
#include <string_view>

#include "core/library/image_library.h"
#include "core/status.h"

namespace stamps {

struct LibraryBody {
    core::ImageId image;
    std::string_view label;    // "Light Female"
    std::string_view fileName; // "light-female"
};

// The six, in the order of the "Body Copy" buttons.
std::span<const LibraryBody> libraryBodies();
// The row of a library picture name ("imgLightBody"), or null.
const LibraryBody* findLibraryBody(std::string_view pictureName);

struct BareBody {
    std::string label;    // the row's label, or the body file's name
    std::string fileName; // the row's, or the body file's stem
    core::Picture picture;
    std::string file; // the body file as given; empty for a library body
};

// A library body, its picture from library (which fails only when it cannot decode it).
core::Result<BareBody> libraryBody(const LibraryBody& row, core::ImageLibrary& library);
// A body file: any picture file the reader takes, of the skin's size. Errors read "Cannot open
// <path>: <reason>" or "Cannot use <path> as a body: <reason>".
core::Result<BareBody> bodyFromFile(const std::string& path);
// A library picture name ("imgMedBody") or else a body file.
core::Result<BareBody> findBody(const std::string& nameOrFile, core::ImageLibrary& library);

} // namespace stamps
