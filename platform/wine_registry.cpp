#include "platform/wine_registry.h"

#include <algorithm>

#include "platform/registry_codepage.h"

namespace platform {
namespace {

bool isText(RegType type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// Text types leave the registry in the 8-bit code page, as the "A" call hands them out; a
// trailing odd byte of a broken UTF-16 value is dropped.
std::string externalBytes(const WineRegistryValue& value) {
    if (!isText(value.type)) {
        std::string bytes(value.data.size(), '\0');
        std::transform(value.data.begin(), value.data.end(), bytes.begin(),
                       [](std::byte b) { return char(b); });
        return bytes;
    }
    std::u16string text(value.data.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = char16_t(std::to_integer<unsigned>(value.data[2 * i]) |
                           std::to_integer<unsigned>(value.data[2 * i + 1]) << 8);
    return ansiFromUtf16(text);
}

} // namespace

WineRegistry::WineRegistry(std::filesystem::path prefix) : m_prefix(std::move(prefix)) {}

const WineRegistryFile* WineRegistry::file() {
    if (!m_loaded) {
        m_loaded = true;
        if (!m_prefix.empty())
            if (auto loaded = WineRegistryFile::load(m_prefix / "system.reg"))
                m_file = std::move(loaded).value();
    }
    return m_file ? &*m_file : nullptr;
}

RegStatus WineRegistry::openKey(RegRoot root, const std::string& keyPath, RegAccess, RegKey& key) {
    key = 0;
    if (root != kHKeyLocalMachine) return kErrorFileNotFound;
    const WineRegistryFile* registry = file();
    const std::u16string path = utf16FromAnsi(keyPath);
    if (!registry || !registry->hasKey(path)) return kErrorFileNotFound;
    key = m_nextKey++;
    m_open.emplace(key, path);
    return kErrorSuccess;
}

RegStatus WineRegistry::queryValue(RegKey key, const std::string& valueName, RegType& type,
                                   std::span<std::byte> buffer, std::uint32_t& byteCount) {
    const auto open = m_open.find(key);
    if (open == m_open.end() || !m_file) return kErrorInvalidHandle;
    const auto value = m_file->value(open->second, utf16FromAnsi(valueName));
    if (!value) return kErrorFileNotFound;
    const std::string bytes = externalBytes(*value);
    type = value->type;
    const std::size_t room = std::min<std::size_t>(byteCount, buffer.size());
    byteCount = std::uint32_t(bytes.size());
    if (bytes.size() > room) return kErrorMoreData;
    std::transform(bytes.begin(), bytes.end(), buffer.begin(), [](char c) { return std::byte(c); });
    return kErrorSuccess;
}

RegStatus WineRegistry::closeKey(RegKey key) {
    return m_open.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

} // namespace platform
