#pragma once
// A registry of fixed keys and a program starter of listed files, both counting what is asked
// of them: the system-information lookup and the About box run against these.

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/program_launcher.h"
#include "platform/registry.h"

namespace fake {

struct Value {
    platform::RegType type = platform::kRegSz;
    std::string bytes; // as the query hands them out, a text's zero included
};

// A text value as the registry hands it out, with its terminating zero.
inline Value text(const std::string& value) {
    return {platform::kRegSz, value + '\0'};
}

class Registry final : public platform::Registry {
  public:
    std::map<std::string, std::map<std::string, Value>> keys;
    // Refuses any request that includes write access, as a machine-wide key may.
    bool refuseWriteAccess = false;
    std::vector<std::string> openedKeys;
    std::set<platform::RegAccess> accessAsked;
    std::set<platform::RegKey> openHandles;

    platform::RegStatus openKey(platform::RegRoot root, const std::string& keyPath,
                                platform::RegAccess access, platform::RegKey& key) override {
        key = 0;
        openedKeys.push_back(keyPath);
        accessAsked.insert(access);
        if (refuseWriteAccess && (access & 0x6) != 0) return platform::kErrorAccessDenied;
        const auto found = keys.find(keyPath);
        if (root != platform::kHKeyLocalMachine || found == keys.end()) return platform::kErrorFileNotFound;
        key = m_next++;
        m_paths[key] = keyPath;
        openHandles.insert(key);
        return platform::kErrorSuccess;
    }

    platform::RegStatus queryValue(platform::RegKey key, const std::string& valueName,
                                   platform::RegType& type, std::span<std::byte> buffer,
                                   std::uint32_t& byteCount) override {
        if (!openHandles.contains(key)) return platform::kErrorInvalidHandle;
        const auto& values = keys.at(m_paths.at(key));
        const auto found = values.find(valueName);
        if (found == values.end()) return platform::kErrorFileNotFound;
        type = found->second.type;
        const std::string& bytes = found->second.bytes;
        const bool fits = bytes.size() <= byteCount && bytes.size() <= buffer.size();
        byteCount = std::uint32_t(bytes.size());
        if (!fits) return platform::kErrorMoreData;
        std::memcpy(buffer.data(), bytes.data(), bytes.size());
        return platform::kErrorSuccess;
    }

    platform::RegStatus closeKey(platform::RegKey key) override {
        return openHandles.erase(key) ? platform::kErrorSuccess : platform::kErrorInvalidHandle;
    }

  private:
    platform::RegKey m_next = 1;
    std::map<platform::RegKey, std::string> m_paths;
};

// Programs that exist are the listed files; starting anything else fails.
class Launcher final : public platform::ProgramLauncher {
  public:
    std::set<std::string> files;
    std::vector<std::string> fileTests;
    std::vector<std::string> starts;

    bool fileExists(const std::string& path) override {
        fileTests.push_back(path);
        return files.contains(path);
    }
    bool start(const std::string& path) override {
        starts.push_back(path);
        return files.contains(path);
    }
};

} // namespace fake
