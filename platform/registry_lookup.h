#pragma once
// Reads one registry value as text, the way the About box looks up the system-information
// tool.

#include <cstddef>
#include <string>

#include "core/status.h"
#include "platform/registry.h"

namespace platform {

// The rights asked when a key is opened: query value, set value, create subkey, enumerate
// subkeys, notify, create link and read control. They include write access, which a platform
// may refuse for a machine-wide key; the lookup then counts as missing.
inline constexpr RegAccess kKeyValueAccess = 0x2003F;

// The value is read into this many bytes, zero-filled first; a longer value is not read.
inline constexpr std::size_t kKeyValueBufferBytes = 1024;

// `GetKeyValue`: opens keyPath under root and reads valueName. True when the value was read:
// REG_SZ text becomes keyValue (one trailing zero byte removed, any other zero kept), a
// REG_DWORD its number in decimal, and any other type leaves keyValue as it came. False, with
// keyValue empty, when the key cannot be opened or the value cannot be read. A read of zero
// bytes is an error, not a result.
core::Result<bool> getKeyValue(Registry& registry, RegRoot root, const std::string& keyPath,
                               const std::string& valueName, std::string& keyValue);

} // namespace platform
