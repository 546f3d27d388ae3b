#pragma once
// The system's 8-bit code page, Windows-1252, in which the registry's "A" calls hand out text.
// Wine stores text as UTF-16 and converts it on the way out, as the platform does.

#include <string>
#include <string_view>

namespace platform {

// UTF-16 to Windows-1252; a character the code page lacks becomes '?'.
std::string ansiFromUtf16(std::u16string_view text);

// Windows-1252 to UTF-16.
std::u16string utf16FromAnsi(std::string_view text);

// Windows-1252 to UTF-8, for names handed to this system's file system and programs.
std::string utf8FromAnsi(std::string_view text);

} // namespace platform
