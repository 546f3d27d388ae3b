// Replacing a file atomically (see atomic_file.h). Below the target's folder everything goes
// through a handle on that folder (openat, linkat, renameat, unlinkat), so only the length
// of the target's own name matters and the temporary file cannot land in another folder.

#include "core/atomic_file.h"

#include "core/file_messages.h"
#include "core/file_systems.h"
#include "core/pending_names.h"
#include "core/temporary_names.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <utility>

namespace core {

namespace fs = std::filesystem;

namespace {

// Links a path may pass through before it counts as a loop: the kernel's own limit.
constexpr int kMaxLinks = 40;
// Tries at a free private name before giving up; with 62^6 names a clash is already rare.
constexpr int kNameTries = 100;

// What a file that is not a regular one is, for messages.
struct FileKind {
    mode_t type;
    const char* name;
};
constexpr FileKind kFileKinds[] = {
    {S_IFDIR, "a folder"},     {S_IFCHR, "a device"},  {S_IFBLK, "a device"},
    {S_IFIFO, "a named pipe"}, {S_IFSOCK, "a socket"}, {S_IFLNK, "a link"},
};

std::string kindName(mode_t mode) {
    for (const FileKind& kind : kFileKinds)
        if ((mode & S_IFMT) == kind.type) return kind.name;
    return "something other than a file";
}

// Why a file of this kind cannot be replaced: "it is a device, not a file.", or for one
// reached through a link "it is a link to /dev/null, which is a device, not a file.".
std::string refusal(mode_t mode, const std::string& resolved, bool throughLink) {
    if (!throughLink) return "it is " + kindName(mode) + ", not a file.";
    return "it is a link to " + resolved + ", which is " + kindName(mode) + ", not a file.";
}

// The file a save replaces or creates, links followed.
struct Target {
    std::string path;
    bool throughLink = false;
    bool exists = false;
    mode_t mode = 0; // of the existing regular file
};

Result<Target> resolve(const std::string& path) {
    Target target{path};
    for (int links = 0;;) {
        struct stat st {};
        if (::lstat(target.path.c_str(), &st) != 0) {
            if (errno == ENOENT) return target; // a new file; its folder is checked when opened
            return Status::output(systemReason(errno));
        }
        if (S_ISREG(st.st_mode)) {
            target.exists = true;
            target.mode = st.st_mode;
            return target;
        }
        if (!S_ISLNK(st.st_mode)) return Status::output(refusal(st.st_mode, target.path, target.throughLink));
        if (++links > kMaxLinks) return Status::output("it is a link that leads round in a loop.");
        std::error_code error;
        const fs::path to = fs::read_symlink(target.path, error);
        if (error) return Status::output(systemReason(error.value()));
        // A relative link is relative to its own folder; an absolute one replaces the path.
        target.path = (fs::path(target.path).parent_path() / to).string();
        target.throughLink = true;
    }
}

// The process's umask, read without changing it where the kernel tells it (Linux 4.7 on):
// setting it to read it would give a file created meanwhile by another thread the wrong
// permissions.
mode_t processUmask() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Umask:", 0) == 0) return mode_t(std::stoul(line.substr(6), nullptr, 8));
    static std::mutex setting; // the old way, one thread at a time
    const std::lock_guard lock(setting);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// 0666 less the process's umask: what a new file gets.
mode_t newFileMode() {
    return 0666 & ~processUmask();
}

// The errors with which a file system (or an old kernel) says it has no anonymous files.
bool lacksAnonymousFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOSYS;
}

// Flushes one file's data to its device.
Status flushFile(int fd) {
    if (testing::saveSeams().flushingData) testing::saveSeams().flushingData();
    if (::fsync(fd) != 0) return Status::output(systemReason(errno));
    return Status::ok();
}

// Flushes the whole file system of fd; false when it could not, or reports a write that
// failed since fd was opened.
bool flushFileSystem(int fd) {
    if (testing::saveSeams().flushingData) testing::saveSeams().flushingData();
    return ::syncfs(fd) == 0;
}

// Makes renames in a folder durable; a folder that cannot be flushed does not undo them.
void flushFolder(int folderHandle) {
    const int folder = ::openat(folderHandle, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

} // namespace

Result<AtomicFile> AtomicFile::create(const std::string& path) {
    Result<Target> resolved = resolve(path);
    if (!resolved) return resolved.status();
    const Target& target = resolved.value();

    const fs::path resolvedPath(target.path);
    const std::string leaf = resolvedPath.filename().string();
    if (leaf.empty() || leaf == "." || leaf == "..") return Status::output("it names a folder, not a file.");
    const fs::path folder = resolvedPath.has_parent_path() ? resolvedPath.parent_path() : fs::path(".");

    AtomicFile file;
    file.m_leaf = leaf;
    file.m_mode = target.exists ? target.mode & 0777 : newFileMode();
    file.m_folder = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (file.m_folder < 0) {
        if (errno == ENOENT && target.throughLink)
            return Status::output("it is a link to " + shownName(target.path) +
                                  ", whose folder does not exist.");
        return Status::output(systemReason(errno));
    }
    temporary::removeLeftovers(file.m_folder);
    if (Status opened = file.openTemporary(); !opened) return opened;
    return file;
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : m_folder(std::exchange(other.m_folder, -1)), m_fd(std::exchange(other.m_fd, -1)),
      m_leaf(std::move(other.m_leaf)), m_tempName(std::exchange(other.m_tempName, {})),
      m_pending(std::exchange(other.m_pending, nullptr)), m_mode(other.m_mode), m_written(other.m_written) {}

AtomicFile::~AtomicFile() {
    discard();
}

Status AtomicFile::openTemporary() {
    // An anonymous file is named at the end through /proc (see nameTemporary); without /proc
    // only a privileged process could name it, so the named file is used from the start.
    static const bool canName = ::access("/proc/self/fd", X_OK) == 0 || ::geteuid() == 0;
    if (testing::saveSeams().anonymousTemporaryFiles && canName) {
        m_fd = ::openat(m_folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            temporary::lockAnonymous(m_fd);
            return Status::ok();
        }
        if (!lacksAnonymousFiles(errno)) return Status::output(systemReason(errno));
    }
    // A named file from the start.
    return takePrivateName([this](const std::string& name) {
        m_fd = ::openat(m_folder, name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (m_fd < 0) return false;
        if (testing::saveSeams().createdUnlocked) testing::saveSeams().createdUnlocked();
        if (temporary::lockNamed(m_folder, name, m_fd)) return true;
        ::close(std::exchange(m_fd, -1));
        errno = EEXIST; // taken for a leftover before it was locked: another name
        return false;
    });
}

Status AtomicFile::nameTemporary() {
    // Linking an anonymous file by its descriptor: through /proc, or where /proc is missing by
    // the descriptor itself (which needs privileges).
    const std::string byDescriptor = "/proc/self/fd/" + std::to_string(m_fd);
    return takePrivateName([&](const std::string& name) {
        int linked = ::linkat(AT_FDCWD, byDescriptor.c_str(), m_folder, name.c_str(), AT_SYMLINK_FOLLOW);
        if (linked != 0 && errno == ENOENT)
            linked = ::linkat(m_fd, "", m_folder, name.c_str(), AT_EMPTY_PATH);
        return linked == 0;
    });
}

Status AtomicFile::takePrivateName(const std::function<bool(const std::string& name)>& create) {
    // The name is recorded as it is made, before a signal handler could find it missing.
    const pending::SignalBlock block;
    const pending::NamingWindow naming;
    if (pending::NamingWindow::programEnding()) return Status::output("the program is being ended.");
    pending::Slot& slot = pending::claim();
    for (int i = 0; i < kNameTries; ++i) {
        const std::string name = temporary::makeName();
        if (create(name)) {
            m_tempName = name;
            pending::publish(slot, m_folder, name);
            m_pending = &slot;
            return Status::ok();
        }
        if (errno != EEXIST) break;
    }
    const int error = errno;
    pending::release(slot);
    if (error != EEXIST) return Status::output(systemReason(error));
    return Status::output("no temporary file name beside it was free.");
}

Status AtomicFile::write(std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Status::output(systemReason(errno));
        done += std::size_t(n);
    }
    if (!m_written) {
        m_written = true;
        if (testing::saveSeams().whileWriting) testing::saveSeams().whileWriting();
    }
    return Status::ok();
}

void AtomicFile::startFlush() noexcept {
    // Only a head start: the flush that counts comes later, so a failure here is not one.
    ::sync_file_range(m_fd, 0, 0, SYNC_FILE_RANGE_WRITE);
}

Status AtomicFile::setPermissions() {
    if (::fchmod(m_fd, m_mode) != 0) return Status::output(systemReason(errno));
    return Status::ok();
}

Status AtomicFile::commit() {
    if (Status set = setPermissions(); !set) return set;
    if (Status flushed = flushFile(m_fd); !flushed) return flushed;
    if (Status placed = putInPlace(); !placed) return placed;
    flushFolder(m_folder);
    return Status::ok();
}

Status AtomicFile::putInPlace() {
    if (m_tempName.empty())
        if (Status named = nameTemporary(); !named) return named;
    if (testing::saveSeams().onceNamed) testing::saveSeams().onceNamed();

    // What the target is may have changed since create(): still replace only a regular file.
    struct stat st {};
    if (::fstatat(m_folder, m_leaf.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(st.st_mode))
        return Status::output(refusal(st.st_mode, m_leaf, false));
    {
        const pending::SignalBlock block;
        if (::renameat(m_folder, m_tempName.c_str(), m_folder, m_leaf.c_str()) != 0)
            return Status::output(systemReason(errno));
        forgetName();
    }
    // Closed only now: its lock kept the file from being taken for a dead save's leftover
    // until it had the target's name. Its data is flushed, so closing has nothing to report.
    ::close(std::exchange(m_fd, -1));
    return Status::ok();
}

void AtomicFile::forgetName() noexcept {
    m_tempName.clear();
    if (m_pending != nullptr) pending::release(*std::exchange(m_pending, nullptr));
}

// commitTogether's files and the outcome of each so far. A file that fails is discarded at
// once and takes no further step.
struct AtomicFile::Batch {
    std::span<AtomicFile> files;
    std::vector<Status> outcome;

    std::size_t size() const { return files.size(); }
    bool failed(std::size_t i) const { return !outcome[i]; }
    void fail(std::size_t i, Status failure) {
        outcome[i] = std::move(failure);
        files[i].discard();
    }
};

std::vector<Status> AtomicFile::commitTogether(std::span<AtomicFile> files) {
    Batch batch{files, std::vector<Status>(files.size(), Status::ok())};
    setPermissions(batch);
    flushData(batch);
    putInPlace(batch);
    return std::move(batch.outcome);
}

void AtomicFile::setPermissions(Batch& batch) {
    for (std::size_t i = 0; i < batch.size(); ++i)
        if (Status set = batch.files[i].setPermissions(); !set) batch.fail(i, set);
}

// The data first, all of it: one flush per file system where that flushes every file, else
// (or should that flush fail) each file's own.
void AtomicFile::flushData(Batch& batch) {
    std::vector<dev_t> flushedWhole, flushedByFile;
    const auto among = [](const std::vector<dev_t>& devices, dev_t device) {
        return std::find(devices.begin(), devices.end(), device) != devices.end();
    };
    for (std::size_t i = 0; i < batch.size(); ++i) {
        if (batch.failed(i)) continue;
        const int fd = batch.files[i].m_fd;
        struct stat st {};
        if (::fstat(fd, &st) != 0) {
            batch.fail(i, Status::output(systemReason(errno)));
            continue;
        }
        if (among(flushedWhole, st.st_dev)) continue;
        if (!among(flushedByFile, st.st_dev)) {
            if (fileSystemOf(fd).flushesEveryFile && flushFileSystem(fd)) {
                flushedWhole.push_back(st.st_dev);
                continue;
            }
            flushedByFile.push_back(st.st_dev);
        }
        if (Status flushed = flushFile(fd); !flushed) batch.fail(i, flushed);
    }
}

// Then the renames, and each folder flushed once.
void AtomicFile::putInPlace(Batch& batch) {
    std::vector<std::pair<dev_t, ino_t>> folders;
    std::vector<int> folderHandles;
    for (std::size_t i = 0; i < batch.size(); ++i) {
        if (batch.failed(i)) continue;
        AtomicFile& file = batch.files[i];
        if (Status placed = file.putInPlace(); !placed) {
            batch.fail(i, placed);
            continue;
        }
        struct stat st {};
        if (::fstat(file.m_folder, &st) != 0) continue;
        const std::pair folder(st.st_dev, st.st_ino);
        if (std::find(folders.begin(), folders.end(), folder) != folders.end()) continue;
        folders.push_back(folder);
        folderHandles.push_back(file.m_folder);
    }
    for (int folder : folderHandles)
        flushFolder(folder);
}

void AtomicFile::discard() noexcept {
    // The name goes first, while the file's lock still says it is no leftover.
    if (!m_tempName.empty()) {
        const pending::SignalBlock block;
        ::unlinkat(m_folder, m_tempName.c_str(), 0);
        forgetName();
    }
    if (m_fd >= 0) ::close(std::exchange(m_fd, -1));
    if (m_folder >= 0) ::close(std::exchange(m_folder, -1));
}

namespace testing {
SaveSeams& saveSeams() {
    static SaveSeams seams;
    return seams;
}
} // namespace testing

} // namespace core
