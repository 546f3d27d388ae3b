#include "platform/registry_codepage.h"

#include <array>

namespace platform {
namespace {

// What the bytes 0x80 to 0x9F stand for; the five the code page leaves undefined keep their own
// value, as the platform's conversion does. Every other byte is the Latin-1 character.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t fromAnsi(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char16_t(byte);
}

char toAnsi(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return char(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c) return char(0x80 + i);
    return '?';
}

// Appends code point c (below 0x110000) to out as UTF-8.
void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

} // namespace

std::string ansiFromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        // A surrogate pair is one character, which the code page cannot hold.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            ++i;
        out.push_back(toAnsi(c));
    }
    return out;
}

std::u16string utf16FromAnsi(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char byte : text)
        out.push_back(fromAnsi(static_cast<unsigned char>(byte)));
    return out;
}

std::string utf8FromAnsi(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char byte : text)
        appendUtf8(out, fromAnsi(static_cast<unsigned char>(byte)));
    return out;
}

} // namespace platform
