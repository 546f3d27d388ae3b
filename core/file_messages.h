#pragma once
// The words of messages about files, in one place: the context a failure with one file is
// given ("Cannot save skin2.bmp: " and the reason), the reason the system gives for an error
// number, and the reasons every save shares.

#include <string>
#include <string_view>

#include "core/status.h"

namespace core {

// A file's name (or any text the user gave) as a message shows it: as it is when it is valid
// UTF-8 without control characters, else quoted as the shell's printf %q quotes it
// ($'two\nlines', $'\E[31mred', $'caf\xe9'), so that no name can split a message into lines
// of its own or send an escape sequence to the terminal.
std::string shownName(std::string_view name);

// "Cannot open skin.bmp", "Cannot save skin2.bmp": to go before a failure's reason, through
// Status::withContext. The path is shown as shownName shows it.
std::string cannotOpen(std::string_view path);
std::string cannotSave(std::string_view path);

// The system's words for an error number, as a sentence: "No space left on device."
std::string systemReason(int error);

// The failure of a save that is given an empty picture: "there is no picture to save.", to
// follow "Cannot save skin2.bmp: ".
Status noPictureToSave();

} // namespace core
