#pragma once
// The start-up folder: the game's texture folder inside the Wine prefix, where the game keeps
// its skins. It becomes the process's current directory, where the save dialog writes.

#include <filesystem>

namespace platform {

// The texture folder, relative to the prefix's C: drive.
inline const std::filesystem::path kTextureFolder = "Program Files/Korvane/Posebox/Gamedata/Textures";

// Makes the texture folder the current directory; if it cannot be entered, the prefix's
// drive_c (the C: drive); if that fails too, the home folder. Nothing is shown to the user.
// Returns the folder entered, or an empty path when none could be (the current directory is
// then left as it was).
std::filesystem::path enterStartupFolder();

} // namespace platform
