// Replacing a file atomically (see atomic_file.h). Below the target's folder everything goes
// through a handle on that folder (openat, linkat, renameat, unlinkat), so only the length
// of the target's own name matters and the temporary file cannot land in another folder.

#include "core/atomic_file.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

namespace core {

namespace fs = std::filesystem;

namespace {

// Links a path may pass through before it counts as a loop: the kernel's own limit.
constexpr int kMaxLinks = 40;
// Tries at a free private name before giving up; with 62^6 names a clash is already rare.
constexpr int kNameTries = 100;

std::string systemReason(int error) {
    return std::string(std::strerror(error)) + ".";
}

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
            return Status::error(systemReason(errno));
        }
        if (S_ISREG(st.st_mode)) {
            target.exists = true;
            target.mode = st.st_mode;
            return target;
        }
        if (!S_ISLNK(st.st_mode)) return Status::error(refusal(st.st_mode, target.path, target.throughLink));
        if (++links > kMaxLinks) return Status::error("it is a link that leads round in a loop.");
        std::error_code error;
        const fs::path to = fs::read_symlink(target.path, error);
        if (error) return Status::error(systemReason(error.value()));
        // A relative link is relative to its own folder; an absolute one replaces the path.
        target.path = (fs::path(target.path).parent_path() / to).string();
        target.throughLink = true;
    }
}

// 0666 less the process's umask: what a new file gets.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// ".quiltane-" and six random letters or digits: short, so any target name fits beside it.
std::string privateName() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::atomic<std::uint64_t> counter{0};
    std::uint64_t random = 0;
    if (::getrandom(&random, sizeof random, GRND_NONBLOCK) != ssize_t(sizeof random)) // no entropy yet
        random = std::uint64_t(::getpid()) << 32 ^ std::uint64_t(::time(nullptr)) ^ counter++ << 48;
    std::string name = ".quiltane-";
    for (int i = 0; i < 6; ++i, random /= sizeof kLetters - 1)
        name += kLetters[random % (sizeof kLetters - 1)];
    return name;
}

// The errors with which a file system (or an old kernel) says it has no anonymous files.
bool lacksAnonymousFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOSYS;
}

// Keeps the terminating signals away while a temporary name appears or disappears, so the
// name is always recorded when a handler could see it.
class SignalBlock {
  public:
    SignalBlock() {
        sigset_t set;
        sigemptyset(&set);
        for (int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&set, signal);
        pthread_sigmask(SIG_BLOCK, &set, &m_old);
    }
    ~SignalBlock() { pthread_sigmask(SIG_SETMASK, &m_old, nullptr); }
    SignalBlock(const SignalBlock&) = delete;
    SignalBlock& operator=(const SignalBlock&) = delete;

  private:
    sigset_t m_old;
};

// The temporary names that exist now, for the signal handlers: a folder handle and a name
// each. A handler may run at any moment, so a slot is claimed, filled and only then
// published with its folder; lock-free atomics are safe to read in a handler.
struct PendingName {
    static constexpr int kFree = -1, kClaimed = -2;
    std::atomic<int> folder{kFree};
    char name[32] = {};
};
// More saves at once than this are not cleaned up by a signal (the program saves one at a time).
PendingName g_pending[8];

void remember(int folder, const std::string& name) {
    for (PendingName& slot : g_pending) {
        int expected = PendingName::kFree;
        if (!slot.folder.compare_exchange_strong(expected, PendingName::kClaimed)) continue;
        std::snprintf(slot.name, sizeof slot.name, "%s", name.c_str());
        slot.folder.store(folder);
        return;
    }
}

void forget(int folder) {
    for (PendingName& slot : g_pending) {
        int expected = folder;
        slot.folder.compare_exchange_strong(expected, PendingName::kFree);
    }
}

extern "C" void onTerminatingSignal(int signal) {
    const int savedErrno = errno;
    discardSavesInProgress();
    // End as the signal would have: the default action, delivered once this handler returns.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    errno = savedErrno;
}

} // namespace

Result<AtomicFile> AtomicFile::create(const std::string& path) {
    Result<Target> resolved = resolve(path);
    if (!resolved) return resolved.status();
    const Target& target = resolved.value();

    const fs::path resolvedPath(target.path);
    const std::string leaf = resolvedPath.filename().string();
    if (leaf.empty() || leaf == "." || leaf == "..") return Status::error("it names a folder, not a file.");
    const fs::path folder = resolvedPath.has_parent_path() ? resolvedPath.parent_path() : fs::path(".");

    AtomicFile file;
    file.m_leaf = leaf;
    file.m_mode = target.exists ? target.mode & 0777 : newFileMode();
    file.m_folder = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (file.m_folder < 0) {
        if (errno == ENOENT && target.throughLink)
            return Status::error("it is a link to " + target.path + ", whose folder does not exist.");
        return Status::error(systemReason(errno));
    }
    if (Status opened = file.openTemporary(); !opened) return opened;
    return file;
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : m_folder(std::exchange(other.m_folder, -1)), m_fd(std::exchange(other.m_fd, -1)),
      m_leaf(std::move(other.m_leaf)), m_tempName(std::exchange(other.m_tempName, {})), m_mode(other.m_mode),
      m_written(other.m_written), m_committed(other.m_committed) {}

AtomicFile::~AtomicFile() {
    discard();
}

Status AtomicFile::openTemporary() {
    // An anonymous file is named at the end through /proc (see nameTemporary); without /proc
    // only a privileged process could name it, so the named file is used from the start.
    static const bool canName = ::access("/proc/self/fd", X_OK) == 0 || ::geteuid() == 0;
    if (testing::saveSeams().anonymousTemporaryFiles && canName) {
        m_fd = ::openat(m_folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (m_fd >= 0) return Status::ok();
        if (!lacksAnonymousFiles(errno)) return Status::error(systemReason(errno));
    }
    // A named file from the start, recorded before a handler could find it missing.
    const SignalBlock block;
    for (int i = 0; i < kNameTries; ++i) {
        const std::string name = privateName();
        m_fd = ::openat(m_folder, name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            m_tempName = name;
            remember(m_folder, name);
            return Status::ok();
        }
        if (errno != EEXIST) return Status::error(systemReason(errno));
    }
    return Status::error("no temporary file name beside it was free.");
}

Status AtomicFile::nameTemporary() {
    // Linking an anonymous file by its descriptor: through /proc, or where /proc is missing by
    // the descriptor itself (which needs privileges).
    const std::string byDescriptor = "/proc/self/fd/" + std::to_string(m_fd);
    const SignalBlock block;
    for (int i = 0; i < kNameTries; ++i) {
        const std::string name = privateName();
        int linked = ::linkat(AT_FDCWD, byDescriptor.c_str(), m_folder, name.c_str(), AT_SYMLINK_FOLLOW);
        if (linked != 0 && errno == ENOENT)
            linked = ::linkat(m_fd, "", m_folder, name.c_str(), AT_EMPTY_PATH);
        if (linked == 0) {
            m_tempName = name;
            remember(m_folder, name);
            return Status::ok();
        }
        if (errno != EEXIST) return Status::error(systemReason(errno));
    }
    return Status::error("no temporary file name beside it was free.");
}

Status AtomicFile::write(std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Status::error(systemReason(errno));
        done += std::size_t(n);
    }
    if (!m_written) {
        m_written = true;
        if (testing::saveSeams().whileWriting) testing::saveSeams().whileWriting();
    }
    return Status::ok();
}

Status AtomicFile::commit() {
    if (::fchmod(m_fd, m_mode) != 0 || ::fsync(m_fd) != 0) return Status::error(systemReason(errno));
    if (m_tempName.empty())
        if (Status named = nameTemporary(); !named) return named;
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0) return Status::error(systemReason(errno));
    if (testing::saveSeams().onceNamed) testing::saveSeams().onceNamed();

    // What the target is may have changed since create(): still replace only a regular file.
    struct stat st {};
    if (::fstatat(m_folder, m_leaf.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(st.st_mode))
        return Status::error(refusal(st.st_mode, m_leaf, false));
    {
        const SignalBlock block;
        if (::renameat(m_folder, m_tempName.c_str(), m_folder, m_leaf.c_str()) != 0)
            return Status::error(systemReason(errno));
        forget(m_folder);
        m_tempName.clear();
    }
    m_committed = true;
    // Make the rename itself durable; a folder that cannot be synced does not undo the save.
    const int folder = ::openat(m_folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return Status::ok();
}

void AtomicFile::discard() noexcept {
    if (m_fd >= 0) ::close(std::exchange(m_fd, -1));
    if (!m_tempName.empty()) {
        const SignalBlock block;
        ::unlinkat(m_folder, m_tempName.c_str(), 0);
        forget(m_folder);
        m_tempName.clear();
    }
    if (m_folder >= 0) ::close(std::exchange(m_folder, -1));
}

void discardSavesInProgress() noexcept {
    for (PendingName& slot : g_pending) {
        const int folder = slot.folder.load();
        if (folder >= 0) ::unlinkat(folder, slot.name, 0);
    }
}

void cleanUpSavesOnSignals() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        ::sigaction(signal, nullptr, &current);
        if (current.sa_handler == SIG_IGN) continue; // started with nohup, say
        struct sigaction action {};
        action.sa_handler = onTerminatingSignal;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

namespace testing {
SaveSeams& saveSeams() {
    static SaveSeams seams;
    return seams;
}
} // namespace testing

} // namespace core
