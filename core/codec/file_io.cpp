// Opening picture files for reading and staging saved ones (see file_io.h). Running out of
// memory ends a save with a message, never the program.

#include "core/codec/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "core/codec/picture_limits.h"
#include "core/file_messages.h"

namespace core::codec {

Result<ReadableFile> ReadableFile::open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return Status::input(errno == ENOENT ? std::string("the file does not exist.") : systemReason(errno));
    ReadableFile file(fd, 0); // closes the file on every way out
    struct stat st {};
    if (::fstat(fd, &st) != 0) return Status::input(systemReason(errno));
    if (S_ISDIR(st.st_mode)) return Status::input("it is a folder, not a file.");
    if (!S_ISREG(st.st_mode)) return Status::input("it is not an ordinary file.");
    if (std::uintmax_t(st.st_size) > kMaxFileBytes)
        return Status::input("the file is too large to be a skin picture.");
    file.m_size = std::size_t(st.st_size);
    return file;
}

ReadableFile::~ReadableFile() {
    if (m_fd >= 0) ::close(m_fd);
}

Result<std::size_t> ReadableFile::readAt(std::size_t offset, std::span<std::uint8_t> out) const {
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::pread(m_fd, out.data() + done, out.size() - done, off_t(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Status::input(systemReason(errno));
        if (n == 0) break;
        done += std::size_t(n);
    }
    return done;
}

Result<AtomicFile> stageWritten(const std::string& path, int heldFolder, int width, int height,
                                const std::function<Status(AtomicFile& file)>& write) {
    if (path.empty()) return Status::output("Cannot save: no file name was given.");
    const std::string context = cannotSave(path);
    try {
        Result<AtomicFile> file = AtomicFile::create(path, heldFolder);
        if (!file) return file.status().withContext(context);
        if (Status written = write(file.value()); !written) return written.withContext(context);
        file.value().startFlush();
        return file;
    } catch (const std::bad_alloc&) {
        return Status::outOfMemory("not enough memory to save it (" + sizeText(width, height) + ").")
            .withContext(context);
    }
}

} // namespace core::codec
