// The home trash (see trash.h): the name is taken by creating its info file exclusively, the
// info is written, then the file is renamed into the trash; a rename that fails takes the info
// file back, so the trash never lists a file it does not hold.

#include "platform/trash.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "platform/wine_prefix.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

using Outcome = Trashed::Outcome;

std::string systemReason(int error) {
    return std::generic_category().message(error);
}

Trashed refused(Outcome outcome, std::string reason) {
    return {outcome, std::move(reason), {}};
}

// The trash keeps only what its owner may read.
constexpr mode_t kTrashMode = 0700;

// Makes folder and the folders above it that are missing; errno's reason when it cannot.
std::string makeFolders(const fs::path& folder) {
    std::error_code error;
    if (fs::is_directory(folder, error)) return {};
    if (folder.has_parent_path() && folder.parent_path() != folder) {
        if (std::string reason = makeFolders(folder.parent_path()); !reason.empty()) return reason;
    }
    if (::mkdir(folder.c_str(), kTrashMode) != 0 && errno != EEXIST) return systemReason(errno);
    return {};
}

// The path as the info file's Path line holds it: every byte but the unreserved characters
// of a URI and the separator written as %XX.
std::string escaped(std::string_view path) {
    constexpr std::string_view kKept = "-_.!~*'()/";
    std::string out;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
            kKept.find(c) != std::string_view::npos) {
            out += c;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", byte);
            out += hex;
        }
    }
    return out;
}

// The local time now, as the info file's DeletionDate line holds it: 2026-12-11T05:17:35.
std::string deletionDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// The name the file takes in the trash on the given try: its own first, then with a number
// before its ending, "skin.2.bmp", "skin.3.bmp".
std::string nameInTrash(const fs::path& file, int attempt) {
    if (attempt == 1) return file.filename().string();
    return file.stem().string() + "." + std::to_string(attempt) + file.extension().string();
}

// How many names are tried before the trash is taken as full.
constexpr int kNameAttempts = 10000;

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += std::size_t(written);
    }
    return true;
}

} // namespace

fs::path homeTrash() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && fs::path(data).is_absolute())
        return fs::path(data) / "Trash";
    const fs::path home = homeFolder();
    return home.empty() ? fs::path() : home / ".local/share/Trash";
}

Trashed moveToTrash(const fs::path& given) {
    std::error_code error;
    const fs::path file = fs::absolute(given, error);
    struct stat own {};
    if (error || ::lstat(file.c_str(), &own) != 0) return refused(Outcome::Failed, systemReason(errno));
    if (S_ISDIR(own.st_mode)) return refused(Outcome::Failed, "it is a folder, not a file");

    const fs::path trash = homeTrash();
    if (trash.empty()) return refused(Outcome::NoTrash, "there is no home folder to keep a trash in");
    const fs::path files = trash / "files", info = trash / "info";
    for (const fs::path& folder : {files, info})
        if (std::string reason = makeFolders(folder); !reason.empty())
            return refused(Outcome::NoTrash, "the trash " + trash.string() + " cannot be made: " + reason);

    // A rename cannot cross file systems, and the home trash takes only files of its own.
    struct stat place {};
    if (::stat(files.c_str(), &place) != 0)
        return refused(Outcome::NoTrash,
                       "the trash " + trash.string() + " cannot be read: " + systemReason(errno));
    if (place.st_dev != own.st_dev)
        return refused(Outcome::NoTrash, "it lies on another file system than the trash " + trash.string());

    const std::string record =
        "[Trash Info]\nPath=" + escaped(file.string()) + "\nDeletionDate=" + deletionDate() + "\n";
    for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
        const std::string name = nameInTrash(file, attempt);
        const fs::path infoFile = info / (name + ".trashinfo");
        const fs::path target = files / name;
        if (fs::exists(fs::symlink_status(target, error))) continue;
        const int fd = ::open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0)
            return refused(Outcome::NoTrash,
                           "the trash " + trash.string() + " cannot be written: " + systemReason(errno));
        const bool written = writeAll(fd, record);
        const int writeError = errno;
        if (::close(fd) != 0 || !written) {
            ::unlink(infoFile.c_str());
            return refused(Outcome::NoTrash, "the trash " + trash.string() + " cannot be written: " +
                                                 systemReason(written ? errno : writeError));
        }
        if (::rename(file.c_str(), target.c_str()) != 0) {
            const int renameError = errno;
            ::unlink(infoFile.c_str());
            return refused(renameError == EXDEV ? Outcome::NoTrash : Outcome::Failed,
                           systemReason(renameError));
        }
        return {Outcome::Moved, {}, target};
    }
    return refused(Outcome::NoTrash, "the trash " + trash.string() + " holds too many files of that name");
}

} // namespace platform
