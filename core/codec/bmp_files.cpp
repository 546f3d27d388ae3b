// BMP files: reading one with its header checked first, and writing one row by row through an
// atomic replacement. Running out of memory ends the load or the save with a message, never
// the program.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>

#include "core/atomic_file.h"
#include "core/file_messages.h"
#include "core/codec/bmp.h"
#include "core/codec/bmp_encoder.h"
#include "core/codec/bmp_format.h"

namespace core {

namespace {

// Larger than any file the size caps can justify (64 M pixels at 32 bits, plus headers,
// palette and colour profile), so a huge file is refused before it is read.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t(300) * 1024 * 1024;
// Rows are written in chunks of about this many bytes (at least one row).
constexpr std::size_t kWriteChunkBytes = std::size_t(256) * 1024;

// "32768 × 2048": a size in messages about memory.
std::string sizeText(int width, int height) {
    return std::to_string(width) + " × " + std::to_string(height);
}

class FileHandle {
  public:
    explicit FileHandle(int fd) : m_fd(fd) {}
    ~FileHandle() { ::close(m_fd); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int fd() const { return m_fd; }

  private:
    int m_fd;
};

// Reads up to out.size() bytes from offset on; fewer where the file ends (or shrank) first.
Result<std::size_t> readAt(int fd, std::size_t offset, std::span<std::uint8_t> out) {
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::pread(fd, out.data() + done, out.size() - done, off_t(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Status::input(systemReason(errno));
        if (n == 0) break;
        done += std::size_t(n);
    }
    return done;
}

// A BMP file opened for reading, its header checked on its first bytes alone.
struct OpenedBmp {
    std::unique_ptr<FileHandle> file;
    std::size_t size = 0;
    bmp::Header header;
};

// Failures are the reason alone.
Result<OpenedBmp> openBmp(const std::string& path) {
    // Non-blocking, so that opening a named pipe cannot hang; only regular files are read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return Status::input(errno == ENOENT ? std::string("the file does not exist.") : systemReason(errno));
    OpenedBmp opened;
    opened.file = std::make_unique<FileHandle>(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) return Status::input(systemReason(errno));
    if (S_ISDIR(st.st_mode)) return Status::input("it is a folder, not a file.");
    if (!S_ISREG(st.st_mode)) return Status::input("it is not an ordinary file.");
    if (std::uintmax_t(st.st_size) > kMaxFileBytes)
        return Status::input("the file is too large to be a skin picture.");
    opened.size = std::size_t(st.st_size);

    std::uint8_t head[bmp::kMaxHeadersSize];
    Result<std::size_t> got = readAt(fd, 0, {head, std::min(opened.size, sizeof head)});
    if (!got) return got.status();
    Result<bmp::Header> header = bmp::readHeader({head, got.value()}, opened.size);
    if (!header) return header.status();
    opened.header = header.value();
    return opened;
}

Status writeRows(const BmpEncoder& encoder, AtomicFile& file) {
    if (Status written = file.write(encoder.headers()); !written) return written;
    const std::size_t stride = encoder.rowStride();
    const int rowsPerChunk = int(std::max<std::size_t>(1, kWriteChunkBytes / stride));
    std::vector<std::uint8_t> chunk(std::size_t(std::min(rowsPerChunk, encoder.rowCount())) * stride);
    for (int first = 0; first < encoder.rowCount(); first += rowsPerChunk) {
        const int rows = std::min(rowsPerChunk, encoder.rowCount() - first);
        for (int i = 0; i < rows; ++i)
            encoder.storedRow(first + i, chunk.data() + std::size_t(i) * stride);
        if (Status written = file.write({chunk.data(), std::size_t(rows) * stride}); !written) return written;
    }
    return Status::ok();
}

} // namespace

Result<Picture> loadPicture(const std::string& path) {
    const std::string context = cannotOpen(path);
    Result<OpenedBmp> opened = openBmp(path);
    if (!opened) return opened.status().withContext(context);
    const bmp::Header& header = opened.value().header;
    if (Status fits = bmp::checkPixelData(header, opened.value().size); !fits) return fits.withContext(context);
    try {
        std::vector<std::uint8_t> bytes(opened.value().size);
        Result<std::size_t> got = readAt(opened.value().file->fd(), 0, bytes);
        if (!got) return got.status().withContext(context);
        bytes.resize(got.value()); // the file may have shrunk since its header was read
        // Decoded from the bytes as read, so that whatever changed is checked again.
        Result<Picture> decoded = decodeBmp(bytes);
        if (!decoded) return decoded.status().withContext(context);
        return decoded;
    } catch (const std::bad_alloc&) {
        return Status::outOfMemory("not enough memory to open it (" + sizeText(header.width, header.height) + ").")
            .withContext(context);
    }
}

Result<BmpInfo> readBmpInfoFile(const std::string& path) {
    Result<OpenedBmp> opened = openBmp(path);
    if (!opened) return opened.status().withContext(cannotOpen(path));
    return bmp::describe(opened.value().header);
}

Result<AtomicFile> stageBmp(const BmpEncoder& encoder, const std::string& path, int heldFolder) {
    if (path.empty()) return Status::output("Cannot save: no file name was given.");
    const std::string context = cannotSave(path);
    try {
        Result<AtomicFile> file = AtomicFile::create(path, heldFolder);
        if (!file) return file.status().withContext(context);
        if (Status written = writeRows(encoder, file.value()); !written) return written.withContext(context);
        file.value().startFlush();
        return file;
    } catch (const std::bad_alloc&) {
        return Status::outOfMemory("not enough memory to save it (" + sizeText(encoder.width(), encoder.rowCount()) +
                                   ").")
            .withContext(context);
    }
}

Status commitStaged(Result<AtomicFile> staged, const std::string& path) {
    if (!staged) return staged.status();
    return staged.value().commit().withContext(cannotSave(path));
}

Status saveBmp(const BmpEncoder& encoder, const std::string& path) {
    return commitStaged(stageBmp(encoder, path), path);
}

Result<AtomicFile> stagePicture(const Picture& picture, const std::string& path, int heldFolder) {
    Result<BmpEncoder> encoder = BmpEncoder::trueColour(picture);
    if (!encoder) return encoder.status().withContext(cannotSave(path));
    return stageBmp(encoder.value(), path, heldFolder);
}

Status savePicture(const Picture& picture, const std::string& path) {
    return commitStaged(stagePicture(picture, path), path);
}

} // namespace core
