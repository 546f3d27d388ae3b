#include "core/file_messages.h"

#include <cstdint>
#include <cstring>

namespace core {
namespace {

// The length of the UTF-8 sequence that starts text, when it is a whole, shortest-form
// sequence of a character that is not a surrogate; else 0.
std::size_t characterLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return std::uint8_t(text[i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) return 1;
    // Lead bytes C0, C1 and F5 to FF start no shortest-form sequence.
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80) return 0;
    // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
    const std::uint8_t second = byte(1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

// C0 controls, DEL and the C1 controls (U+0080 to U+009F, which terminals also obey), given
// the character's UTF-8 sequence.
bool isControl(std::string_view character) {
    const std::uint8_t lead = std::uint8_t(character[0]);
    if (character.size() == 1) return lead < 0x20 || lead == 0x7F;
    return lead == 0xC2 && std::uint8_t(character[1]) <= 0x9F;
}

bool showsAsItIs(std::string_view name) {
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t length = characterLength(name.substr(at));
        if (length == 0 || isControl(name.substr(at, length))) return false;
        at += length;
    }
    return true;
}

// The escape printf %q writes for a byte inside $'...'.
std::string escaped(std::uint8_t byte) {
    switch (byte) {
    case '\a':
        return "\\a";
    case '\b':
        return "\\b";
    case '\t':
        return "\\t";
    case '\n':
        return "\\n";
    case '\v':
        return "\\v";
    case '\f':
        return "\\f";
    case '\r':
        return "\\r";
    case 0x1B:
        return "\\E";
    case '\\':
        return "\\\\";
    case '\'':
        return "\\'";
    default: {
        constexpr char kHex[] = "0123456789abcdef";
        return {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
    }
    }
}

} // namespace

std::string shownName(std::string_view name) {
    if (showsAsItIs(name)) return std::string(name);
    std::string shown = "$'";
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t length = characterLength(name.substr(at));
        const std::string_view character = name.substr(at, length == 0 ? 1 : length);
        const bool plain = length != 0 && !isControl(character) && character != "\\" && character != "'";
        if (plain)
            shown += character;
        else
            for (char byte : character)
                shown += escaped(std::uint8_t(byte));
        at += character.size();
    }
    return shown + "'";
}

std::string cannotOpen(std::string_view path) {
    return "Cannot open " + shownName(path);
}

std::string cannotSave(std::string_view path) {
    return "Cannot save " + shownName(path);
}

std::string systemReason(int error) {
    return std::string(std::strerror(error)) + ".";
}

Status noPictureToSave() {
    return Status::output("there is no picture to save.");
}

} // namespace core
