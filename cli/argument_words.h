#pragma once
// Reading an option's arguments: numbers spelled whole, and the one shape of the usage error
// for an argument that is not what the option takes, which every row's reader gives.

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

#include "core/status.h"

namespace cli {

// The number text spells from its first character to its last, or nothing when any of it is
// not part of the number (a whole number for integer types, any decimal for floating ones).
template <typename T> std::optional<T> numberSpelledBy(const std::string& text) {
    T number{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, number);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return number;
}

// The usage error for an argument that is not what the option takes: "--jobs needs a number
// of threads, a whole number from 1 up, not "0"."
inline core::Status needs(std::string_view option, const std::string& what, const std::string& typed) {
    return core::Status::usage(std::string(option) + " needs " + what + ", not \"" + typed + "\".");
}

} // namespace cli
