// BMP files: what a file's header says, and writing one row by row through an atomic
// replacement. Reading a BMP file is the picture loader's (picture_file.cpp), which knows every
// format.

#include <algorithm>
#include <vector>

#include "core/atomic_file.h"
#include "core/codec/bmp.h"
#include "core/codec/bmp_encoder.h"
#include "core/codec/bmp_format.h"
#include "core/codec/file_io.h"
#include "core/file_messages.h"

namespace core {

namespace {

// Rows are written in chunks of about this many bytes (at least one row).
constexpr std::size_t kWriteChunkBytes = std::size_t(256) * 1024;

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

Result<BmpInfo> readBmpInfoFile(const std::string& path) {
    const std::string context = cannotOpen(path);
    Result<codec::ReadableFile> file = codec::ReadableFile::open(path);
    if (!file) return file.status().withContext(context);
    std::uint8_t head[bmp::kMaxHeadersSize];
    Result<std::size_t> got = file.value().readAt(0, {head, std::min(file.value().size(), sizeof head)});
    if (!got) return got.status().withContext(context);
    Result<bmp::Header> header = bmp::readHeader({head, got.value()}, file.value().size());
    if (!header) return header.status().withContext(context);
    return bmp::describe(header.value());
}

Result<AtomicFile> stageBmp(const BmpEncoder& encoder, const std::string& path, int heldFolder) {
    return codec::stageWritten(path, heldFolder, encoder.width(), encoder.rowCount(),
                               [&](AtomicFile& file) { return writeRows(encoder, file); });
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
