// Temporary names and their leftovers (see temporary_names.h). The leftovers of a folder are
// looked for once per process, so a batch that saves thousands of files into one folder reads
// that folder once; looking costs one pass over its names, and opening only the few of the
// private-name pattern.

#include "core/temporary_names.h"

#include "core/file_systems.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

namespace core::temporary {

namespace {

constexpr std::string_view kPrefix = ".quiltane-";
constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
// Random letters after the prefix: short, so any target name fits beside it; 62^6 names make a
// clash rare.
constexpr std::size_t kRandomLetters = 6;
// How long a leftover must have lain unchanged on a file system other machines may write, in
// seconds: far longer than any save, so that a live save elsewhere is never taken for dead.
constexpr std::time_t kSharedLeftoverAge = 24 * 60 * 60;

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether the name in the folder is the file open as fd.
bool nameIsFile(int folder, const char* name, int fd) {
    struct stat named {};
    struct stat opened {};
    return ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(fd, &opened) == 0 &&
           sameFile(named, opened);
}

// Takes the lock of the file open as fd without waiting; false when another holds it.
bool tryLock(int fd) {
    int locked;
    do
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    return locked == 0;
}

// Whether the folder (by device and inode) is seen for the first time in this process. A
// process forked from this one starts afresh: it is another process.
bool firstVisit(int folder) {
    struct stat st {};
    if (::fstat(folder, &st) != 0) return false;
    static std::mutex guard;
    static pid_t visitor = 0;
    static std::set<std::pair<dev_t, ino_t>> visited;
    const std::lock_guard lock(guard);
    if (visitor != ::getpid()) {
        visitor = ::getpid();
        visited.clear();
    }
    return visited.emplace(st.st_dev, st.st_ino).second;
}

// The names of the private-name pattern in the folder.
std::vector<std::string> privateNamesIn(int folder) {
    std::vector<std::string> names;
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0) return names;
    DIR* dir = ::fdopendir(listing);
    if (dir == nullptr) {
        ::close(listing);
        return names;
    }
    while (const dirent* entry = ::readdir(dir))
        if (isName(entry->d_name)) names.emplace_back(entry->d_name);
    ::closedir(dir);
    return names;
}

// Removes the file `name` of the folder if it is a leftover: a regular file whose lock is
// free (and, on a file system others may write, a day old). The name is removed only while
// the lock is held and still names the file that was locked.
void removeIfLeftover(int folder, const std::string& name, bool local, std::time_t now) {
    struct stat seen {};
    if (::fstatat(folder, name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(seen.st_mode)) return;
    if (!local && now - seen.st_mtime < kSharedLeftoverAge) return;
    // Opened for writing: a network file system's locks are byte-range locks, which need it.
    const int fd = ::openat(folder, name.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat opened {};
    if (::fstat(fd, &opened) == 0 && sameFile(opened, seen) && tryLock(fd) &&
        nameIsFile(folder, name.c_str(), fd))
        ::unlinkat(folder, name.c_str(), 0);
    ::close(fd);
}

} // namespace

std::string makeName() {
    static std::atomic<std::uint64_t> counter{0};
    std::uint64_t random = 0;
    if (::getrandom(&random, sizeof random, GRND_NONBLOCK) != ssize_t(sizeof random)) // no entropy yet
        random = std::uint64_t(::getpid()) << 32 ^ std::uint64_t(::time(nullptr)) ^ counter++ << 48;
    std::string name(kPrefix);
    for (std::size_t i = 0; i < kRandomLetters; ++i, random /= kLetters.size())
        name += kLetters[random % kLetters.size()];
    return name;
}

bool isName(std::string_view name) {
    if (name.size() != kPrefix.size() + kRandomLetters || !name.starts_with(kPrefix)) return false;
    return std::all_of(name.begin() + std::ptrdiff_t(kPrefix.size()), name.end(),
                       [](char c) { return kLetters.find(c) != std::string_view::npos; });
}

void lockAnonymous(int fd) {
    tryLock(fd); // nobody else can reach an anonymous file, so only a file system without locks fails
}

bool lockNamed(int folder, const std::string& name, int fd) {
    // The lock fails only while a removal of leftovers holds it, which then removes the name;
    // a file system without locks leaves the file unlocked, which is all it can do.
    if (!tryLock(fd) && errno == EWOULDBLOCK) return false;
    return nameIsFile(folder, name.c_str(), fd);
}

void removeLeftovers(int folder) noexcept {
    try {
        if (!firstVisit(folder)) return;
        const bool local = fileSystemOf(folder).local;
        const std::time_t now = std::time(nullptr);
        for (const std::string& name : privateNamesIn(folder))
            removeIfLeftover(folder, name, local, now);
    } catch (...) {
        // Short of memory for the names: the leftovers stay until a later run.
    }
}

} // namespace core::temporary
