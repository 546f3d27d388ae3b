#pragma once
// Colours as the user types and reads them: "#rrggbb", two hexadecimal digits each for red,
// green and blue, as pixel editors and web pages write them.

#include <optional>
#include <string>
#include <string_view>

#include "core/palette.h"

namespace core::retouch {

// The colour text spells: "#" and six hexadecimal digits, in either case; nothing for any
// other text.
std::optional<Rgb> parseColour(std::string_view text);

// "#rrggbb", lower case.
std::string colourText(Rgb colour);

} // namespace core::retouch
