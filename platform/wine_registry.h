#pragma once
// The registry of a Wine prefix, where the target game and the platform's tools live on this
// system: HKEY_LOCAL_MACHINE is read from the prefix's system.reg, never written.

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "platform/registry.h"
#include "platform/wine_registry_file.h"

namespace platform {

class WineRegistry final : public Registry {
  public:
    // The prefix's system.reg is read on the first open, once; a missing or broken file makes
    // every key missing.
    explicit WineRegistry(std::filesystem::path prefix);

    // Any access rights are granted, as Wine grants them to the prefix's owner; nothing here
    // ever writes. Roots other than HKEY_LOCAL_MACHINE hold no keys.
    RegStatus openKey(RegRoot root, const std::string& keyPath, RegAccess access, RegKey& key) override;
    RegStatus queryValue(RegKey key, const std::string& valueName, RegType& type, std::span<std::byte> buffer,
                         std::uint32_t& byteCount) override;
    RegStatus closeKey(RegKey key) override;

  private:
    const WineRegistryFile* file();

    std::filesystem::path m_prefix;
    bool m_loaded = false;
    std::optional<WineRegistryFile> m_file;
    // Open keys by handle: the key path as the file spells it in UTF-16.
    std::map<RegKey, std::u16string> m_open;
    RegKey m_nextKey = 1;
};

} // namespace platform
