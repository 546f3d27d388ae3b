// The BMP codec's public face: decoding from bytes, the 24-bit writer, and the file wrappers
// that read a whole file and replace one atomically.

#include "core/bmp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/bmp_encoder.h"
#include "core/bmp_format.h"

namespace core {

namespace {

// Larger than any file the size caps can justify (64 M pixels at 32 bits, plus headers,
// palette and colour profile), so a huge file is refused before it is read.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t(300) * 1024 * 1024;

std::string systemReason(int error) {
    return std::strerror(error);
}

std::string compressionName(bmp::Compression compression) {
    switch (compression) {
    case bmp::Compression::None:
        return "none";
    case bmp::Compression::Rle8:
        return "RLE8";
    case bmp::Compression::Rle4:
        return "RLE4";
    case bmp::Compression::BitFields:
        return "bit fields";
    case bmp::Compression::AlphaBitFields:
        return "alpha bit fields";
    case bmp::Compression::Jpeg:
        return "JPEG";
    case bmp::Compression::Png:
        return "PNG";
    case bmp::Compression::Huffman1D:
        return "Huffman 1D";
    case bmp::Compression::Rle24:
        return "RLE24";
    case bmp::Compression::Unknown:
        break;
    }
    return "unknown";
}

// Reads a whole file; failures are the reason alone.
Result<std::vector<std::uint8_t>> readFile(const std::string& path) {
    // Non-blocking, so that opening a named pipe cannot hang; only regular files are read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return Status::error(errno == ENOENT ? std::string("the file does not exist.")
                                             : systemReason(errno) + ".");
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) return Status::error(systemReason(errno) + ".");
    if (S_ISDIR(st.st_mode)) return Status::error("it is a folder, not a file.");
    if (!S_ISREG(st.st_mode)) return Status::error("it is not an ordinary file.");
    if (std::uintmax_t(st.st_size) > kMaxFileBytes)
        return Status::error("the file is too large to be a skin picture.");
    std::vector<std::uint8_t> bytes(std::size_t(st.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Status::error(systemReason(errno) + ".");
        if (n == 0) break; // the file shrank while being read
        done += std::size_t(n);
    }
    bytes.resize(done);
    return bytes;
}

Status writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Status::error(systemReason(errno));
        done += std::size_t(n);
    }
    return Status::ok();
}

// Reads a whole file and decodes it; a failure reads "Cannot open <path>: <reason>".
template <typename T>
Result<T> decodeFile(const std::string& path, Result<T> (*decode)(std::span<const std::uint8_t>)) {
    const std::string prefix = "Cannot open " + path + ": ";
    Result<std::vector<std::uint8_t>> bytes = readFile(path);
    if (!bytes) return Status::error(prefix + bytes.message());
    Result<T> decoded = decode(bytes.value());
    if (!decoded) return Status::error(prefix + decoded.message());
    return decoded;
}

// The permissions a new file gets: those of the file it replaces, else the usual 0666 less
// the process's umask (the temporary file is created private).
mode_t permissionsFor(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

Result<Picture> decodeBmp(std::span<const std::uint8_t> bytes) {
    Result<bmp::Header> header = bmp::readHeader(bytes);
    if (!header) return header.status();
    return bmp::decodePixels(header.value(), bytes);
}

Result<BmpInfo> readBmpInfo(std::span<const std::uint8_t> bytes) {
    Result<bmp::Header> header = bmp::readHeader(bytes);
    if (!header) return header.status();
    const bmp::Header& h = header.value();
    BmpInfo info;
    info.width = h.width;
    info.height = h.height;
    info.topDown = h.topDown;
    info.bitsPerPixel = h.bitsPerPixel;
    info.compression = compressionName(h.compression);
    info.headerSize = h.headerSize;
    return info;
}

std::vector<std::uint8_t> encodeBmp24(const Picture& picture) {
    auto encoder = BmpEncoder::trueColour(picture);
    return encoder ? encoder.value().bytes() : std::vector<std::uint8_t>{};
}

Result<Picture> loadPicture(const std::string& path) {
    return decodeFile(path, decodeBmp);
}

Result<BmpInfo> readBmpInfoFile(const std::string& path) {
    return decodeFile(path, readBmpInfo);
}

Status savePicture(const Picture& picture, const std::string& path) {
    const std::string prefix = "Cannot save " + path + ": ";
    if (picture.isEmpty()) return Status::error(prefix + "there is no picture to save.");
    if (path.empty()) return Status::error("Cannot save: no file name was given.");
    const std::vector<std::uint8_t> bytes = encodeBmp24(picture);

    // A link is followed, so that the file it points to is replaced and the link stays.
    std::filesystem::path target(path);
    std::error_code error;
    if (std::filesystem::is_symlink(target, error)) {
        std::filesystem::path resolved = std::filesystem::canonical(target, error);
        if (!error) target = std::move(resolved);
    }
    // The temporary file sits in the target's folder, so the rename cannot cross file systems.
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const std::string tempName = std::string(".").append(target.filename().string()).append(".XXXXXX");
    std::string temp = (folder / tempName).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return Status::error(prefix + systemReason(errno) + ".");

    Status written = writeAll(fd, bytes);
    if (written && ::fchmod(fd, permissionsFor(target)) != 0) written = Status::error(systemReason(errno));
    if (written && ::fsync(fd) != 0) written = Status::error(systemReason(errno));
    if (::close(fd) != 0 && written) written = Status::error(systemReason(errno));
    if (written && ::rename(temp.c_str(), target.c_str()) != 0) written = Status::error(systemReason(errno));
    if (!written) {
        ::unlink(temp.c_str());
        return Status::error(prefix + written.message() + ".");
    }
    // Make the rename itself durable; a folder that cannot be synced does not undo the save.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return Status::ok();
}

} // namespace core
