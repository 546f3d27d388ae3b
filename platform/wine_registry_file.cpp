#include "platform/wine_registry_file.h"

#include <fstream>
#include <system_error>

namespace platform {
namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

// A value's bytes written as hex over continuation lines are bounded like the file itself;
// this caps one value's joined text.
constexpr std::size_t kMaxValueText = 16u << 20;

char16_t foldCase(char16_t c) {
    if (c >= u'A' && c <= u'Z') return char16_t(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return char16_t(c + 32);
    return c;
}

bool equalFolded(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads up to maxDigits hex digits at pos; none when there is no digit.
std::optional<std::uint32_t> parseHex(std::string_view text, std::size_t& pos, std::size_t maxDigits) {
    std::uint32_t number = 0;
    std::size_t digits = 0;
    while (digits < maxDigits && pos < text.size() && hexDigit(text[pos]) >= 0) {
        number = number * 16 + std::uint32_t(hexDigit(text[pos]));
        ++pos;
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    return number;
}

void appendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(char16_t(c));
        return;
    }
    c -= 0x10000;
    out.push_back(char16_t(0xD800 + (c >> 10)));
    out.push_back(char16_t(0xDC00 + (c & 0x3FF)));
}

// Decodes one UTF-8 character at pos; a byte that starts no valid sequence stands for itself.
char32_t decodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t length = lead >= 0xF5 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
    if (lead < 0x80 || length == 1 || pos + length > text.size()) {
        ++pos;
        return lead;
    }
    char32_t c = lead & (0x3F >> (length - 1));
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return lead;
        }
        c = (c << 6) | (next & 0x3F);
    }
    if (c > 0x10FFFF) {
        ++pos;
        return lead;
    }
    pos += length;
    return c;
}

// Reads quoted text from pos up to the unescaped terminator and leaves pos after it; none when
// the line ends first.
std::optional<std::u16string> parseQuoted(std::string_view line, std::size_t& pos, char terminator) {
    std::u16string out;
    while (pos < line.size()) {
        const char c = line[pos];
        if (c == terminator) {
            ++pos;
            return out;
        }
        if (c != '\\') {
            appendUtf16(out, decodeUtf8(line, pos));
            continue;
        }
        if (++pos == line.size()) return std::nullopt;
        const char escaped = line[pos];
        if (escaped == 'x' && pos + 1 < line.size() && hexDigit(line[pos + 1]) >= 0) {
            ++pos;
            out.push_back(char16_t(*parseHex(line, pos, 4)));
        } else if (escaped >= '0' && escaped <= '7') {
            std::uint32_t number = 0;
            for (int digits = 0; digits < 3 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7';
                 ++digits, ++pos)
                number = number * 8 + std::uint32_t(line[pos] - '0');
            out.push_back(char16_t(number));
        } else {
            constexpr std::string_view kLetters = "abefnrtv";
            constexpr std::u16string_view kControls = u"\a\b\x1b\f\n\r\t\v";
            const std::size_t letter = kLetters.find(escaped);
            out.push_back(letter == std::string_view::npos ? char16_t(static_cast<unsigned char>(escaped))
                                                           : kControls[letter]);
            ++pos;
        }
    }
    return std::nullopt;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The line starting at pos, without its line break; pos moves to the next line.
std::string_view nextLine(std::string_view text, std::size_t& pos, std::size_t end) {
    const std::size_t lineEnd = std::min(text.find('\n', pos), end);
    std::string_view line = text.substr(pos, lineEnd - pos);
    pos = lineEnd == end ? end : lineEnd + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

std::vector<std::byte> utf16Bytes(const std::u16string& text) {
    std::vector<std::byte> bytes;
    bytes.reserve(text.size() * 2 + 2);
    for (const char16_t c : text) {
        bytes.push_back(std::byte(c & 0xFF));
        bytes.push_back(std::byte(c >> 8));
    }
    bytes.push_back(std::byte{0});
    bytes.push_back(std::byte{0});
    return bytes;
}

std::optional<WineRegistryValue> parseText(RegType type, std::string_view data) {
    std::size_t pos = 1;
    const auto text = parseQuoted(data, pos, '"');
    if (!text || !trimmed(data.substr(pos)).empty()) return std::nullopt;
    return WineRegistryValue{type, utf16Bytes(*text)};
}

// "XX,XX,...": one or two hex digits a byte; the list may be empty.
std::optional<WineRegistryValue> parseBytes(RegType type, std::string_view data) {
    WineRegistryValue value{type, {}};
    std::size_t pos = 0;
    if (trimmed(data).empty()) return value;
    while (true) {
        while (pos < data.size() && (data[pos] == ' ' || data[pos] == '\t'))
            ++pos;
        const auto byte = parseHex(data, pos, 2);
        if (!byte) return std::nullopt;
        value.data.push_back(std::byte(*byte));
        while (pos < data.size() && (data[pos] == ' ' || data[pos] == '\t'))
            ++pos;
        if (pos == data.size()) return value;
        if (data[pos++] != ',') return std::nullopt;
    }
}

// A value's data after the '=' (continuation lines already joined).
std::optional<WineRegistryValue> parseData(std::string_view data) {
    data = trimmed(data);
    if (data.starts_with('"')) return parseText(kRegSz, data);
    std::size_t pos = 0;
    if (data.starts_with("str(")) {
        pos = 4;
        const auto type = parseHex(data, pos, 8);
        if (!type || data.substr(pos, 3) != "):\"") return std::nullopt;
        return parseText(*type, data.substr(pos + 2));
    }
    if (data.starts_with("dword:")) {
        pos = 6;
        const auto number = parseHex(data, pos, 8);
        if (!number || pos != data.size()) return std::nullopt;
        WineRegistryValue value{kRegDword, {}};
        for (int shift = 0; shift < 32; shift += 8)
            value.data.push_back(std::byte((*number >> shift) & 0xFF));
        return value;
    }
    if (data.starts_with("hex:")) return parseBytes(kRegBinary, data.substr(4));
    if (data.starts_with("hex(")) {
        pos = 4;
        const auto type = parseHex(data, pos, 8);
        if (!type || data.substr(pos, 2) != "):") return std::nullopt;
        return parseBytes(*type, data.substr(pos + 2));
    }
    return std::nullopt;
}

} // namespace

std::u16string comparableKeyPath(std::u16string_view keyPath) {
    std::u16string out;
    out.reserve(keyPath.size());
    std::size_t start = 0;
    while (start <= keyPath.size()) {
        std::size_t stop = keyPath.find(u'\\', start);
        if (stop == std::u16string_view::npos) stop = keyPath.size();
        if (stop > start) {
            if (!out.empty()) out.push_back(u'\\');
            for (std::size_t i = start; i < stop; ++i)
                out.push_back(foldCase(keyPath[i]));
        }
        start = stop + 1;
    }
    return out;
}

WineRegistryFile::WineRegistryFile(std::string text) : m_text(std::move(text)) {}

core::Result<WineRegistryFile> WineRegistryFile::parse(std::string text) {
    std::size_t pos = 0;
    if (trimmed(nextLine(text, pos, text.size())) != kHeader)
        return core::Status::input("The file is not a Wine registry file.");
    WineRegistryFile file(std::move(text));
    const std::string_view all = file.m_text;
    Section* current = nullptr;
    while (pos < all.size()) {
        const std::string_view line = nextLine(all, pos, all.size());
        if (!line.starts_with('[')) {
            if (current) current->end = pos;
            continue;
        }
        // A section whose name cannot be read owns no lines.
        current = nullptr;
        std::size_t namePos = 1;
        const auto name = parseQuoted(line, namePos, ']');
        if (!name) continue;
        const std::u16string key = comparableKeyPath(*name);
        const auto [entry, inserted] = file.m_sections.try_emplace(key, Section{pos, pos});
        if (!inserted) continue;
        current = &entry->second;
        for (std::size_t cut = key.rfind(u'\\'); cut != std::u16string::npos && cut > 0;
             cut = key.rfind(u'\\', cut - 1))
            if (!file.m_parents.insert(key.substr(0, cut)).second) break;
    }
    return file;
}

core::Result<WineRegistryFile> WineRegistryFile::load(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return core::Status::input("The registry file cannot be read.");
    if (size > kMaxFileBytes) return core::Status::input("The registry file is too large.");
    std::ifstream in(path, std::ios::binary);
    if (!in) return core::Status::input("The registry file cannot be read.");
    std::string text;
    text.resize(std::size_t(size));
    in.read(text.data(), std::streamsize(size));
    // A file that changed size meanwhile is read as far as it went.
    text.resize(std::size_t(in.gcount()));
    return parse(std::move(text));
}

const WineRegistryFile::Section* WineRegistryFile::findSection(std::u16string_view keyPath) const {
    const auto found = m_sections.find(comparableKeyPath(keyPath));
    return found == m_sections.end() ? nullptr : &found->second;
}

bool WineRegistryFile::hasKey(std::u16string_view keyPath) const {
    return findSection(keyPath) != nullptr || m_parents.contains(comparableKeyPath(keyPath));
}

std::optional<WineRegistryValue> WineRegistryFile::value(std::u16string_view keyPath,
                                                         std::u16string_view name) const {
    const Section* section = findSection(keyPath);
    if (!section) return std::nullopt;
    const std::string_view all = m_text;
    std::optional<WineRegistryValue> found;
    std::size_t pos = section->begin;
    while (pos < section->end) {
        const std::string_view line = nextLine(all, pos, section->end);
        std::size_t dataPos = 0;
        std::optional<std::u16string> valueName;
        if (line.starts_with('@')) {
            valueName.emplace();
            dataPos = 1;
        } else if (line.starts_with('"')) {
            dataPos = 1;
            valueName = parseQuoted(line, dataPos, '"');
        }
        if (!valueName || dataPos >= line.size() || line[dataPos] != '=') continue;
        std::string_view data = line.substr(dataPos + 1);
        std::string joined;
        if (trimmed(data).starts_with("hex")) {
            // Gather the continuation lines, also of a value that is not wanted, so that they
            // are not taken for values of their own.
            joined = trimmed(data);
            while (joined.ends_with('\\') && pos < section->end && joined.size() <= kMaxValueText) {
                joined.pop_back();
                joined += trimmed(nextLine(all, pos, section->end));
            }
            if (joined.size() > kMaxValueText) continue;
            data = joined;
        }
        // A name given twice: the later line wins, as it does when Wine loads the file.
        if (equalFolded(*valueName, name))
            if (auto parsed = parseData(data)) found = std::move(parsed);
    }
    return found;
}

} // namespace platform
