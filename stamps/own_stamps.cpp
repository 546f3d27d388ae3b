// The stamps folder (see own_stamps.h).

#include "stamps/own_stamps.h"

#include <fcntl.h>
#include <stdio.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "core/codec/bmp.h"
#include "core/file_messages.h"
#include "core/mask/garment_map.h"
#include "stamps/button_table.h"
#include "stamps/folded_name.h"

namespace stamps {
namespace {

namespace fs = std::filesystem;

// The extensions of the files a stamps folder counts as stamps, in lower case.
constexpr std::string_view kStampExtensions[] = {".bmp", ".png"};
// What an added stamp is written as.
constexpr std::string_view kAddedExtension = ".bmp";

bool isStampFile(const fs::path& file) {
    const std::string name = file.filename().string();
    if (name.empty() || name.front() == '.') return false;
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return std::find(std::begin(kStampExtensions), std::end(kStampExtensions), extension) !=
           std::end(kStampExtensions);
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

OwnStamp readStamp(OwnKind kind, const fs::path& file) {
    OwnStamp stamp;
    stamp.name = file.stem().string();
    stamp.kind = kind;
    stamp.path = file.string();
    core::Result<OwnPicture> picture = loadOwnPicture(kind, stamp.path);
    if (picture)
        stamp.picture = std::move(picture).value();
    else
        stamp.unavailable = picture.message();
    return stamp;
}

// Renames from to to, failing when to exists. Where the file system cannot rename without
// replacing, the check and the rename are two steps.
core::Status renameWithoutReplacing(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return core::Status::ok();
    if (errno != EINVAL && errno != ENOSYS) return core::Status::output(core::systemReason(errno));
    std::error_code error;
    if (fs::exists(to, error)) return core::Status::output(core::systemReason(EEXIST));
    fs::rename(from, to, error);
    if (error) return core::Status::output(error.message() + ".");
    return core::Status::ok();
}

bool takenByAButton(const std::string& folded) {
    for (const ButtonSpec& button : allButtons())
        if (foldedName(button.name) == folded || foldedName(button.caption) == folded) return true;
    return false;
}

} // namespace

std::string defaultStampsFolder() {
    if (std::string set = environment(kStampsFolderVariable); !set.empty()) return set;
    fs::path data = environment("XDG_DATA_HOME");
    // The XDG rule: a relative path in the variable is to be ignored.
    if (data.empty() || data.is_relative()) data = fs::path(environment("HOME")) / ".local" / "share";
    return (data / "quiltane" / "stamps").string();
}

std::vector<OwnStamp> readOwnStamps(const std::string& folder) {
    std::vector<OwnStamp> stamps;
    std::map<std::string, std::string> byName; // folded name -> the file that has it
    for (const OwnKindSpec& kind : allOwnKinds()) {
        std::vector<fs::path> files;
        std::error_code error;
        for (fs::directory_iterator it(fs::path(folder) / kind.folder, error), end; !error && it != end;
             it.increment(error))
            if (!it->is_directory(error) && isStampFile(it->path())) files.push_back(it->path());
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            OwnStamp stamp = readStamp(kind.kind, file);
            if (const auto [first, added] = byName.emplace(foldedName(stamp.name), stamp.path); !added)
                stamp.unavailable = "Its name is used by " + first->second + " too.";
            stamps.push_back(std::move(stamp));
        }
    }
    return stamps;
}

const OwnStamp* findOwnStamp(const std::vector<OwnStamp>& stamps, std::string_view name) {
    for (const OwnStamp& stamp : stamps)
        if (stamp.name == name) return &stamp;
    const std::string key = foldedName(name);
    for (const OwnStamp& stamp : stamps)
        if (foldedName(stamp.name) == key) return &stamp;
    return nullptr;
}

core::Status checkStampName(const std::vector<OwnStamp>& stamps, const std::string& name,
                            const OwnStamp* renaming) {
    const auto refuse = [&](const std::string& why) {
        return core::Status::usage("\"" + name + "\" cannot name a stamp: " + why);
    };
    if (name.empty()) return core::Status::usage("A stamp needs a name.");
    if (name.front() == ' ' || name.back() == ' ') return refuse("it begins or ends with a blank.");
    if (name.front() == '.') return refuse("it begins with a dot, which hides a file.");
    if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos)
        return refuse("it holds a slash.");
    const std::string folded = foldedName(name);
    if (takenByAButton(folded)) return refuse("a button of the window has that name.");
    for (const OwnStamp& stamp : stamps)
        if (&stamp != renaming && foldedName(stamp.name) == folded)
            return refuse("the stamp " + stamp.path + " has that name.");
    return core::Status::ok();
}

core::Result<OwnStamp> addOwnStamp(const std::string& folder, OwnKind kind, const std::string& name,
                                   const core::Picture& picture) {
    const std::string context = "Cannot add the stamp \"" + name + "\"";
    if (core::Status named = checkStampName(readOwnStamps(folder), name); !named) return named;
    core::Result<OwnPicture> prepared = prepareOwnPicture(kind, picture);
    if (!prepared) return prepared.status().withContext(context);

    const fs::path subfolder = fs::path(folder) / ownKind(kind).folder;
    std::error_code error;
    fs::create_directories(subfolder, error);
    if (error) return core::Status::output(error.message() + ".").withContext(context);
    const std::string path = (subfolder / (name + std::string(kAddedExtension))).string();
    if (fs::exists(path, error))
        return core::Status::usage("there is a file " + path + " already.").withContext(context);
    const core::Status saved = kind == OwnKind::Mask ? core::saveMask(prepared.value().picture, path)
                                                     : core::savePicture(prepared.value().picture, path);
    if (!saved) return saved;
    return OwnStamp{name, kind, path, std::move(prepared).value(), {}};
}

core::Result<OwnStamp> renameOwnStamp(const std::string& folder, const OwnStamp& stamp,
                                      const std::string& newName) {
    const std::vector<OwnStamp> stamps = readOwnStamps(folder);
    const auto same =
        std::find_if(stamps.begin(), stamps.end(), [&](const OwnStamp& s) { return s.path == stamp.path; });
    if (core::Status named = checkStampName(stamps, newName, same == stamps.end() ? nullptr : &*same); !named)
        return named;
    const fs::path from(stamp.path);
    const fs::path to = from.parent_path() / (newName + from.extension().string());
    if (core::Status renamed = renameWithoutReplacing(from, to); !renamed)
        return renamed.withContext("Cannot rename " + stamp.path + " to " + to.string());
    OwnStamp result = stamp;
    result.name = newName;
    result.path = to.string();
    return result;
}

core::Status pressOwnStamp(const OwnStamp& stamp, Workspace& workspace) {
    if (!stamp.isAvailable()) return core::Status::input(stamp.unavailable);
    return pressOwnPicture(stamp.picture, stamp.name, workspace);
}

} // namespace stamps
