#include "platform/registry_lookup.h"

#include <array>

namespace platform {

core::Result<bool> getKeyValue(Registry& registry, RegRoot root, const std::string& keyPath,
                               const std::string& valueName, std::string& keyValue) {
    RegKey key = 0;
    // The key is closed on every way out, so that no handle is left open; a key that did not
    // open is 0, whose closing does nothing.
    struct KeyCloser {
        Registry& registry;
        const RegKey& key;
        ~KeyCloser() { registry.closeKey(key); }
    } closer{registry, key};
    if (registry.openKey(root, keyPath, kKeyValueAccess, key) != kErrorSuccess) {
        keyValue.clear();
        return false;
    }

    std::array<std::byte, kKeyValueBufferBytes> buffer{};
    std::uint32_t count = kKeyValueBufferBytes;
    RegType type = kRegNone;
    if (registry.queryValue(key, valueName, type, buffer, count) != kErrorSuccess) {
        keyValue.clear();
        return false;
    }
    if (count == 0) return core::Status::input("The registry value \"" + valueName + "\" is empty.");
    if (count > buffer.size())
        return core::Status::input("The registry reported more bytes than it was given room for.");

    // The count includes a text value's terminating zero; a value stored without one keeps
    // every byte.
    const std::size_t kept = buffer[count - 1] == std::byte{0} ? count - 1 : count;
    if (type == kRegSz) {
        keyValue.assign(reinterpret_cast<const char*>(buffer.data()), kept);
    } else if (type == kRegDword) {
        // The buffer was zero-filled, so a value shorter than four bytes reads as its own bytes.
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = number << 8 | std::to_integer<std::uint32_t>(buffer[i]);
        keyValue = std::to_string(number);
    }
    return true;
}

} // namespace platform
