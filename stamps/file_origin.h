#pragma once
// Where a canvas's picture came from: the file it was opened from, or last saved as, and the
// format a save back to that file writes, so that a skin the game loads as an 8-bit file stays
// one. The file belongs to the loaded picture: only a load changes a canvas's picture, and undo
// and redo of a load put the picture, and so its file, back.

#include <string>
#include <vector>

#include "core/picture.h"
#include "stamps/paint_step.h"
#include "stamps/save_format.h"

namespace stamps {

struct Workspace;

struct FileOrigin {
    std::string path; // as it was opened or saved
    SaveFormat format = SaveFormat::TrueColour;

    bool operator==(const FileOrigin&) const = default;
};

// The format a save back to the file at path keeps: an 8-bit palette BMP stays 8-bit (its
// palette, and the indices of pixels not painted, kept); a PNG file stays PNG; any other file
// is written as a 24-bit BMP.
SaveFormat ownFormat(const std::string& path);

// The files of the pictures a workspace's canvases hold, or its history can put back.
class FileOrigins {
  public:
    // The file picture came from; null when none (a canvas never loaded, or set directly).
    const FileOrigin* of(const core::Picture& picture) const;
    // picture came from origin, now; pictures that neither canvas nor the history holds any
    // more are forgotten.
    void set(const Workspace& workspace, const core::Picture& picture, FileOrigin origin);

  private:
    struct Entry {
        core::Picture picture;
        FileOrigin origin;
    };
    std::vector<Entry> m_entries;
};

// The file of the canvas's picture; null when none.
const FileOrigin* fileOf(const Workspace& workspace, CanvasId canvas);
// The canvas's picture comes from origin from now on (a save that wrote it there).
void setFileOf(Workspace& workspace, CanvasId canvas, FileOrigin origin);

} // namespace stamps
