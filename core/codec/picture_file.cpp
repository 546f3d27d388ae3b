// The picture formats as a table, and the one loader that reads a file of any of them (see
// picture_file.h). A format is a row: its name, its extension, what its first bytes are, how
// its header is read and checked before the rest of a file, and its decoder.

#include "core/codec/picture_file.h"

#include <algorithm>
#include <array>
#include <new>

#include "core/codec/bmp.h"
#include "core/codec/bmp_format.h"
#include "core/codec/file_io.h"
#include "core/codec/picture_limits.h"
#include "core/codec/png.h"
#include "core/codec/png_format.h"
#include "core/file_messages.h"

namespace core {
namespace {

using Bytes = std::span<const std::uint8_t>;

struct Codec {
    PictureFormatSpec about; // its name, extension and format
    Bytes signature;         // the bytes every file of the format begins with
    // What the header says, read from the file's first bytes (at least kHeadBytes of them, or
    // all of a shorter file) of a file of fileSize bytes.
    Result<PictureInfo> (*readInfo)(Bytes head, std::size_t fileSize);
    // Whether a file of fileSize bytes can hold the picture its header describes, checked on
    // the same first bytes before the rest of the file is read.
    Status (*checkBody)(Bytes head, std::size_t fileSize);
    Result<LoadedPicture> (*decode)(Bytes bytes);
};

constexpr std::array<std::uint8_t, 2> kBmpSignature = {'B', 'M'};

Result<PictureInfo> bmpInfo(Bytes head, std::size_t fileSize) {
    Result<bmp::Header> header = bmp::readHeader(head, fileSize);
    if (!header) return header.status();
    const BmpInfo bmpInfo = bmp::describe(header.value());
    return PictureInfo{PictureFormat::Bmp, bmpInfo.width, bmpInfo.height, bmpInfo.bitsPerPixel,
                       bmpInfo.compression};
}

Status bmpBody(Bytes head, std::size_t fileSize) {
    Result<bmp::Header> header = bmp::readHeader(head, fileSize);
    if (!header) return header.status();
    return bmp::checkPixelData(header.value(), fileSize);
}

Result<LoadedPicture> bmpDecode(Bytes bytes) {
    Result<Picture> picture = decodeBmp(bytes);
    if (!picture) return picture.status();
    return LoadedPicture{std::move(picture).value(), PictureFormat::Bmp, {}};
}

Result<PictureInfo> pngInfo(Bytes head, std::size_t) {
    return readPngInfo(head);
}

// Nothing beyond the header, which readInfo checks, tells how large the compressed data must be.
Status pngBody(Bytes, std::size_t) {
    return Status::ok();
}

const Codec kCodecs[] = {
    {{PictureFormat::Bmp, "BMP", ".bmp"}, kBmpSignature, bmpInfo, bmpBody, bmpDecode},
    {{PictureFormat::Png, "PNG", ".png"}, png::kSignature, pngInfo, pngBody, decodePng},
};

// The first bytes every format's header check needs.
constexpr std::size_t kHeadBytes = std::max(bmp::kMaxHeadersSize, png::kHeadBytes);

// The row of the format the bytes begin with, or null.
const Codec* codecOf(Bytes head) {
    for (const Codec& codec : kCodecs)
        if (head.size() >= codec.signature.size() &&
            std::equal(codec.signature.begin(), codec.signature.end(), head.begin()))
            return &codec;
    return nullptr;
}

// "it is not a BMP or PNG file."
Status unknownFormat() {
    std::string names;
    for (const Codec& codec : kCodecs)
        names += (names.empty() ? "" : " or ") + std::string(codec.about.name);
    return Status::input("it is not a " + names + " file.");
}

// A file opened, its first bytes read and its format recognised.
struct OpenedFile {
    codec::ReadableFile file;
    const Codec* codec = nullptr;
    std::array<std::uint8_t, kHeadBytes> head{};
    std::size_t headSize = 0;
    Bytes headBytes() const { return {head.data(), headSize}; }
};

// Failures are the reason alone.
Result<OpenedFile> openPicture(const std::string& path) {
    Result<codec::ReadableFile> file = codec::ReadableFile::open(path);
    if (!file) return file.status();
    OpenedFile opened{std::move(file).value()};
    Result<std::size_t> got =
        opened.file.readAt(0, {opened.head.data(), std::min(opened.file.size(), opened.head.size())});
    if (!got) return got.status();
    opened.headSize = got.value();
    opened.codec = codecOf(opened.headBytes());
    if (opened.codec == nullptr) return unknownFormat();
    return opened;
}

} // namespace

std::span<const PictureFormatSpec> allPictureFormats() {
    static const std::array<PictureFormatSpec, std::size(kCodecs)> formats = [] {
        std::array<PictureFormatSpec, std::size(kCodecs)> rows{};
        std::transform(std::begin(kCodecs), std::end(kCodecs), rows.begin(),
                       [](const Codec& c) { return c.about; });
        return rows;
    }();
    return formats;
}

const PictureFormatSpec& pictureFormatSpec(PictureFormat format) {
    for (const Codec& codec : kCodecs)
        if (codec.about.format == format) return codec.about;
    return kCodecs[0].about;
}

bool hasExtension(std::string_view name, PictureFormat format) {
    const std::string_view extension = pictureFormatSpec(format).extension;
    return name.size() >= extension.size() &&
           std::equal(extension.begin(), extension.end(), name.end() - std::ptrdiff_t(extension.size()),
                      [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? char(b - 'A' + 'a') : b); });
}

Result<LoadedPicture> decodePicture(std::span<const std::uint8_t> bytes) {
    const Codec* codec = codecOf(bytes);
    if (codec == nullptr) return unknownFormat();
    return codec->decode(bytes);
}

Result<LoadedPicture> readPictureFile(const std::string& path) {
    const std::string context = cannotOpen(path);
    Result<OpenedFile> opened = openPicture(path);
    if (!opened) return opened.status().withContext(context);
    const OpenedFile& o = opened.value();
    const std::size_t size = o.file.size();
    Result<PictureInfo> info = o.codec->readInfo(o.headBytes(), size);
    if (!info) return info.status().withContext(context);
    if (Status fits = o.codec->checkBody(o.headBytes(), size); !fits) return fits.withContext(context);
    try {
        std::vector<std::uint8_t> bytes(size);
        Result<std::size_t> got = o.file.readAt(0, bytes);
        if (!got) return got.status().withContext(context);
        bytes.resize(got.value()); // the file may have shrunk since its header was read
        // Decoded from the bytes as read, by the format its header showed, so that whatever
        // changed is checked again.
        Result<LoadedPicture> decoded = o.codec->decode(bytes);
        if (!decoded) return decoded.status().withContext(context);
        return decoded;
    } catch (const std::bad_alloc&) {
        return Status::outOfMemory("not enough memory to open it (" +
                                   codec::sizeText(info.value().width, info.value().height) + ").")
            .withContext(context);
    }
}

Result<Picture> loadPicture(const std::string& path) {
    Result<LoadedPicture> loaded = readPictureFile(path);
    if (!loaded) return loaded.status();
    return std::move(loaded.value().picture);
}

Result<PictureInfo> readPictureInfoFile(const std::string& path) {
    Result<OpenedFile> opened = openPicture(path);
    if (!opened) return opened.status().withContext(cannotOpen(path));
    const OpenedFile& o = opened.value();
    Result<PictureInfo> info = o.codec->readInfo(o.headBytes(), o.file.size());
    if (!info) return info.status().withContext(cannotOpen(path));
    return info;
}

} // namespace core
