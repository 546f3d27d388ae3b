#pragma once
// The registry as the About box reads it: three calls with the semantics of the platform's
// RegOpenKeyExA, RegQueryValueExA and RegCloseKey. The Wine prefix's system.reg serves them on
// this system; a Windows build would forward them to the real functions.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace platform {

// The platform's own names (HKEY_LOCAL_MACHINE, REG_SZ, ERROR_MORE_DATA...) are macros in its
// headers, so the constants below carry a k prefix with the same numbers.

// A predefined root key, as the platform numbers it.
using RegRoot = std::uint32_t;
inline constexpr RegRoot kHKeyLocalMachine = 0x80000002;

// An open key; 0 is no key.
using RegKey = std::uintptr_t;

// The platform's status codes; 0 is success.
using RegStatus = long;
inline constexpr RegStatus kErrorSuccess = 0;
inline constexpr RegStatus kErrorFileNotFound = 2;
inline constexpr RegStatus kErrorAccessDenied = 5;
inline constexpr RegStatus kErrorInvalidHandle = 6;
inline constexpr RegStatus kErrorMoreData = 234;

// Value types.
using RegType = std::uint32_t;
inline constexpr RegType kRegNone = 0;
inline constexpr RegType kRegSz = 1;
inline constexpr RegType kRegExpandSz = 2;
inline constexpr RegType kRegBinary = 3;
inline constexpr RegType kRegDword = 4;
inline constexpr RegType kRegMultiSz = 7;

// Access rights asked when a key is opened.
using RegAccess = std::uint32_t;

class Registry {
  public:
    virtual ~Registry() = default;

    // RegOpenKeyExA: opens keyPath (components separated by backslashes, case-insensitive)
    // under root with the given rights. On success key is the open key; otherwise it is 0.
    virtual RegStatus openKey(RegRoot root, const std::string& keyPath, RegAccess access, RegKey& key) = 0;

    // RegQueryValueExA: reads valueName ("" is the key's default value) of an open key into
    // buffer. On entry byteCount is the buffer's size; on success it is the number of bytes
    // stored, a terminating zero included for text, and type is the value's type. Text types
    // arrive in the system's 8-bit code page. A value longer than byteCount gives
    // kErrorMoreData.
    virtual RegStatus queryValue(RegKey key, const std::string& valueName, RegType& type,
                                 std::span<std::byte> buffer, std::uint32_t& byteCount) = 0;

    // RegCloseKey: closing key 0 or an unknown key has no effect.
    virtual RegStatus closeKey(RegKey key) = 0;
};

} // namespace platform
