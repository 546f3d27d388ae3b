#pragma once
// Where the target game and its tools live on this system: the Wine prefix.

#include <filesystem>

namespace workbench {

// $WINEPREFIX when set and non-empty, otherwise ~/.wine (the home folder from $HOME, or from the
// password database when $HOME is unset or empty). Empty when no home folder can be found.
std::filesystem::path winePrefix();

} // namespace workbench
