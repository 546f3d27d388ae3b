#pragma once
// The desktop's trash, as file managers keep it (the freedesktop trash): a file moved there
// lies in Trash/files under the user's data folder, with a Trash/info/NAME.trashinfo beside it
// that says where it came from and when, so that a file manager can put it back. Only the
// home trash is used; a file on another file system than that trash cannot be moved there,
// and the caller then decides whether to delete it for good.

#include <filesystem>
#include <string>

namespace platform {

struct Trashed {
    enum class Outcome {
        Moved,   // the file lies in the trash
        NoTrash, // no trash takes it (none can be made, or it is on another file system); the
                 // file is where it was
        Failed,  // the file itself cannot be moved (gone, a folder, no permission); it is
                 // where it was, if it still exists
    };
    Outcome outcome = Outcome::Failed;
    // Why not, to follow "Cannot move skin.bmp to the trash: "; empty once moved.
    std::string reason;
    std::filesystem::path inTrash; // where the file now lies, once moved
};

// The home trash: $XDG_DATA_HOME/Trash when that variable holds an absolute path, else
// ~/.local/share/Trash; empty when there is no home folder.
std::filesystem::path homeTrash();

// Moves the file (a link is moved as the link) into the home trash, making the trash's
// folders when they are missing. A name the trash already holds gets a number before its
// ending ("skin.2.bmp"). Folders are never moved.
Trashed moveToTrash(const std::filesystem::path& file);

} // namespace platform
