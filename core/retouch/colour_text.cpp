// Colours to and from "#rrggbb".

#include "core/retouch/colour_text.h"

#include <array>

namespace core::retouch {
namespace {

// The value of one hexadecimal digit, or -1.
int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<Rgb> parseColour(std::string_view text) {
    constexpr std::size_t kLength = 7; // "#" and two digits a channel
    if (text.size() != kLength || text[0] != '#') return std::nullopt;
    std::array<std::uint8_t, 3> channels{};
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const int high = hexDigit(text[1 + 2 * i]), low = hexDigit(text[2 + 2 * i]);
        if (high < 0 || low < 0) return std::nullopt;
        channels[i] = std::uint8_t(high * 16 + low);
    }
    return Rgb{channels[0], channels[1], channels[2]};
}

std::string colourText(Rgb colour) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string text = "#";
    for (const std::uint8_t channel : {colour.r, colour.g, colour.b}) {
        text += kDigits[channel >> 4];
        text += kDigits[channel & 15];
    }
    return text;
}

} // namespace core::retouch
