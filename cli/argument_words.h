#pragma once
// Reading an option's arguments: numbers spelled whole, and the one shape of the usage error
// for an argument that is not what the option takes, which every row's reader gives.

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "core/file_messages.h"
#include "core/status.h"

namespace cli {

// The whole number text spells from its first character to its last, or nothing when any of it
// is not part of the number.
template <typename T> std::optional<T> numberSpelledBy(const std::string& text) {
    T number{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, number);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return number;
}

// The decimal text spells, in any form the C library reads ("0.5", "+0.5", ".5", "5e-1",
// "1e-50"), or nothing when any of it is not part of the number. A number too small for a
// double is read as the nearest one (zero, or nearly), as strtod reads it; one too large is
// infinite, which every range here refuses.
inline std::optional<double> decimalSpelledBy(const std::string& text) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) return std::nullopt;
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) return std::nullopt;
    return number;
}

// The usage error for an argument that is not what the option takes: "--jobs needs a number
// of threads, a whole number from 1 up, not "0"."
inline core::Status needs(std::string_view option, const std::string& what, const std::string& typed) {
    return core::Status::usage(std::string(option) + " needs " + what + ", not \"" + core::shownName(typed) +
                               "\".");
}

} // namespace cli
