#pragma once
// The file side of every picture format, internal to the codec: a file opened for reading with
// the checks every reader wants first (it exists, it is an ordinary file, it is not too large
// to be a picture), read at an offset; and a save's bytes written into an atomic replacement
// (core/atomic_file.h) with the messages every save shares.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "core/atomic_file.h"
#include "core/status.h"

namespace core::codec {

class ReadableFile {
  public:
    // Opens path without blocking (a named pipe cannot hang the program) and checks that it is
    // an ordinary file of at most kMaxFileBytes. Failures are the reason alone ("the file does
    // not exist."), to follow "Cannot open <path>: ".
    static Result<ReadableFile> open(const std::string& path);

    ReadableFile(ReadableFile&& other) noexcept : m_fd(other.m_fd), m_size(other.m_size) { other.m_fd = -1; }
    ReadableFile& operator=(ReadableFile&&) = delete;
    ~ReadableFile();

    // The file's size when it was opened.
    std::size_t size() const { return m_size; }
    // Reads up to out.size() bytes from offset on; fewer where the file ends (or shrank) first.
    Result<std::size_t> readAt(std::size_t offset, std::span<std::uint8_t> out) const;

  private:
    ReadableFile(int fd, std::size_t size) : m_fd(fd), m_size(size) {}

    int m_fd = -1;
    std::size_t m_size = 0;
};

// Larger than any file the size caps can justify (64 M pixels at 32 bits, plus headers,
// palette and colour profile), so a huge file is refused before it is read.
inline constexpr std::size_t kMaxFileBytes = std::size_t(300) * 1024 * 1024;

// Creates the replacement of path, has write fill it and starts its flush: a save staged, for
// commitStaged (core/codec/bmp.h) or AtomicFile::commitTogether. Errors read "Cannot save
// <path>: <reason>"; running out of memory while writing gives "not enough memory to save it"
// and the picture's size, width × height. heldFolder: as AtomicFile::create takes it.
Result<AtomicFile> stageWritten(const std::string& path, int heldFolder, int width, int height,
                                const std::function<Status(AtomicFile& file)>& write);

} // namespace core::codec
