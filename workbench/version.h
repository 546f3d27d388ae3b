#pragma once
// The program's version, "major.minor.patch", as the build's project() declares it. The About
// box and the Help menu show it in the same line; nothing else keeps a copy.

#ifndef QUILTANE_VERSION
#error "QUILTANE_VERSION comes from workbench/CMakeLists.txt"
#endif

namespace workbench {

// "Version 0.2.16".
inline constexpr char kVersionLine[] = "Version " QUILTANE_VERSION;

} // namespace workbench
