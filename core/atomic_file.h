#pragma once
// Replacing a file atomically: the data goes into a temporary file in the target's folder,
// is flushed, and only then takes the target's name, so a reader sees the old file or the
// new one and a failed save leaves the old file as it was. Only a regular file is replaced
// (or a new one created); devices, pipes, sockets, folders and link loops are refused.
//
// The temporary file is anonymous (O_TMPFILE) while its data is written and flushed and gets
// a short private name (".quiltane-XXXXXX") only for the final rename, so a name of any length
// the file system takes can be saved and a killed process leaves no half-written file. Where
// the file system has no anonymous files, the short name is used from the start, and the
// signal handlers of cleanUpSavesOnSignals() remove it when the program is interrupted.
// A process killed outright (kill -9) while a name exists leaves that file behind. Every
// temporary file is locked while its save is alive, so a process's first save into a folder
// tells such a leftover from a live save's file and removes it (see core/temporary_names.h).
//
// Many saves can be made durable together (commitTogether): every file's data is written
// first, then flushed in one go, and only then is each renamed over its target. A crash at any
// moment still leaves each target old or new and complete, at the cost of one flush for all.
// Any number of saves may be in progress at once, on any threads.

#include <csignal>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <sys/types.h>
#include <vector>

#include "core/status.h"

namespace core {

namespace pending {
struct Slot;
}

class AtomicFile {
  public:
    // Finds what `path` names and opens a temporary file beside it. A link to a regular file is
    // followed and kept; a link that leads nowhere creates its target, when the target's folder
    // exists. Failures are the reason alone ("it is a device, not a file."), to follow
    // "Cannot save <path>: ".
    static Result<AtomicFile> create(const std::string& path);

    AtomicFile(AtomicFile&& other) noexcept;
    AtomicFile& operator=(AtomicFile&&) = delete;
    // Discards the temporary file unless commit() succeeded.
    ~AtomicFile();

    Status write(std::span<const std::uint8_t> bytes);
    // Starts writing the data written so far to the device, without waiting for it, so that
    // a later flush of many files (commitTogether) finds most of it done.
    void startFlush() noexcept;
    // Gives the file the permissions of the file it replaces (the ordinary ones: never
    // set-user-ID, set-group-ID or sticky) or, for a new file, 0666 less the umask; flushes it;
    // renames it over the target and flushes the folder.
    Status commit();

    // Commits several files whose data is written, as commit() does each but with one flush
    // for all: the permissions set, the data of every file flushed (one flush of a whole file
    // system where that is known to flush every file's data, else an fsync of each), then each
    // renamed over its target, then each folder flushed once. The outcome per file, in order,
    // as the reason alone; a file that fails is discarded and its target left as it was.
    static std::vector<Status> commitTogether(std::span<AtomicFile> files);

  private:
    struct Batch;

    AtomicFile() = default;
    Status openTemporary();
    Status nameTemporary();
    // Makes a free private name beside the target with create, which says whether it made it,
    // and records it for the signal handlers.
    Status takePrivateName(const std::function<bool(const std::string& name)>& create);
    // The permissions the file takes (m_mode): the first step of a commit.
    Status setPermissions();
    // The last steps of a commit, once the data is flushed: the temporary file named, renamed
    // over the target and closed. The folder is not flushed.
    Status putInPlace();
    // The temporary name is gone (renamed over the target, or removed): not recorded any more.
    void forgetName() noexcept;
    void discard() noexcept;

    // commitTogether's three steps, each over the files that have not failed yet.
    static void setPermissions(Batch& batch);
    static void flushData(Batch& batch);
    static void putInPlace(Batch& batch);

    int m_folder = -1;                  // the target's folder, as a handle for the *at calls
    int m_fd = -1;                      // the temporary file
    std::string m_leaf;                 // the target's name inside m_folder
    std::string m_tempName;             // empty while the temporary file is anonymous
    pending::Slot* m_pending = nullptr; // where m_tempName is recorded for the signal handlers
    mode_t m_mode = 0;
    bool m_written = false; // some bytes have been written
};

// Removes the temporary name of every save in progress. Safe to call from a signal handler.
void discardSavesInProgress() noexcept;

// The signals that end the program and that cleanUpSavesOnSignals() handles.
inline constexpr int kTerminatingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Handlers for kTerminatingSignals that discard saves in progress and then end the program as
// the signal would have (its usual exit status). A signal that is ignored stays ignored. The
// front ends call this once at start-up.
void cleanUpSavesOnSignals();

namespace testing {
// Seams for the tests: the fallback for file systems without anonymous temporary files, file
// systems as a network's, and hooks at the moments a save can be interrupted or raced and at
// each flush of file data.
struct SaveSeams {
    bool anonymousTemporaryFiles = true;
    std::function<void()> whileWriting;    // after the first bytes are written
    std::function<void()> onceNamed;       // the data complete, flushed and named, before the rename
    std::function<void()> flushingData;    // before each fsync of a file, or syncfs of a file system
    bool wholeFileSystemFlush = true;      // false: commitTogether fsyncs each file, as where the
                                           // file system's syncfs is not known to flush everything
    bool sharedFileSystem = false;         // true: every folder is taken to lie on a file system
                                           // that other machines may write, as a network one
    std::function<void()> createdUnlocked; // a named temporary file created, before it is locked
};
SaveSeams& saveSeams();
} // namespace testing

} // namespace core
