#pragma once
// What the platform tests share with each other and with the window's launcher test: a
// throw-away folder, a Wine prefix laid out on disk, and an environment (HOME, WINEPREFIX, the
// current directory) that is put back afterwards. No Qt and no test framework.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace support {

namespace fs = std::filesystem;

// Where the game keeps its skins, relative to the prefix: the start-up folder the tests expect.
inline constexpr const char* kTextureFolder = "drive_c/Program Files/Korvane/Posebox/Gamedata/Textures";
// Where the prefix's system-information tool lies, relative to the prefix.
inline constexpr const char* kToolFolder = "drive_c/Program Files/Common Files/Microsoft Shared/MSInfo";

// Makes file, and the folders above it, holding a few bytes.
inline void touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "MZ";
}

// Lays out a prefix in root as Wine lays it out: drive_c, dosdevices/c: linking to it, and the
// tool as msinfo32.exe in kToolFolder.
inline void layOutPrefix(const fs::path& root) {
    fs::create_directories(root / "drive_c");
    fs::create_directories(root / "dosdevices");
    fs::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
    touch(root / kToolFolder / "msinfo32.exe");
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "quiltane-platform-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        m_path = pattern;
    }
    ~TempFolder() {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& path() const { return m_path; }

  private:
    fs::path m_path;
};

// Saves HOME, WINEPREFIX and the current directory, and puts them back when it goes.
class SavedEnvironment {
  public:
    SavedEnvironment() : m_home(get("HOME")), m_prefix(get("WINEPREFIX")), m_cwd(fs::current_path()) {}
    ~SavedEnvironment() {
        std::error_code error;
        fs::current_path(m_cwd, error);
        put("HOME", m_home);
        put("WINEPREFIX", m_prefix);
    }
    SavedEnvironment(const SavedEnvironment&) = delete;
    SavedEnvironment& operator=(const SavedEnvironment&) = delete;

    // Sets the variable to value, or unsets it for none.
    static void put(const char* name, const std::optional<std::string>& value) {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }

  private:
    static std::optional<std::string> get(const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }

    std::optional<std::string> m_home, m_prefix;
    fs::path m_cwd;
};

} // namespace support
