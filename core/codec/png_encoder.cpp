// Writing PNG files through libpng's simplified writer, which keeps its own error handling
// (nothing longjmps through our code) and picks the fewest bits a pixel that hold a palette.
// The file is made whole in memory; a skin's is a few kilobytes.

#include <png.h>

#include <algorithm>
#include <new>
#include <string>

#include "core/codec/picture_limits.h"
#include "core/codec/png.h"
#include "core/file_messages.h"

namespace core {
namespace {

// libpng's simplified description of an 8-bit image of the given format.
png_image imageOf(int width, int height, png_uint_32 format) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = format;
    return image;
}

// The file libpng writes of image from pixels (rows of stride bytes) and, for a palette
// image, its colour map; failures are the reason alone.
Result<std::vector<std::uint8_t>> write(png_image& image, const void* pixels, std::ptrdiff_t stride,
                                        const void* colourMap) {
    try {
        std::vector<std::uint8_t> file(PNG_IMAGE_PNG_SIZE_MAX(image));
        png_alloc_size_t size = file.size();
        if (png_image_write_to_memory(&image, file.data(), &size, 0, pixels, png_int_32(stride), colourMap) ==
            0) {
            const std::string reason = image.message;
            png_image_free(&image);
            return Status::output("the PNG writer failed (" + reason + ").");
        }
        file.resize(size);
        return file;
    } catch (const std::bad_alloc&) {
        return Status::outOfMemory("not enough memory to save it (" +
                                   codec::sizeText(int(image.width), int(image.height)) + ").");
    }
}

} // namespace

Result<std::vector<std::uint8_t>> encodePng(const Picture& picture) {
    if (picture.isEmpty()) return noPictureToSave();
    png_image image = imageOf(picture.width(), picture.height(), PNG_FORMAT_RGB);
    const std::ptrdiff_t stride = std::ptrdiff_t(picture.width()) * Picture::kChannels;
    if (picture.isIndexed()) {
        std::vector<std::uint8_t> rgb;
        try {
            rgb = rgbBytes(picture);
        } catch (const std::bad_alloc&) {
            return Status::outOfMemory("not enough memory to save it (" +
                                       codec::sizeText(picture.width(), picture.height()) + ").");
        }
        return write(image, rgb.data(), stride, nullptr);
    }
    // An RGB picture's rows follow each other in one block: its first row's bytes are all of them.
    return write(image, picture.rgbRow(0, nullptr), stride, nullptr);
}

Result<std::vector<std::uint8_t>> encodePng(const PaletteImage& source) {
    if (source.width < 1 || source.height < 1) return noPictureToSave();
    if (source.indices.size() != std::size_t(source.width) * std::size_t(source.height))
        return Status::output("its pixel indices do not match its size.");
    if (source.palette.size() > std::size_t(Palette::kMaxEntries))
        return Status::output("its palette of " + std::to_string(source.palette.size()) +
                              " colours does not fit a PNG file.");
    // Every index a pixel has needs an entry: those beyond the palette show black.
    const std::size_t entries = std::max<std::size_t>(
        source.palette.size(),
        std::size_t(*std::max_element(source.indices.begin(), source.indices.end())) + 1);
    std::vector<Rgb> colourMap(source.palette);
    colourMap.resize(entries);
    static_assert(sizeof(Rgb) == 3, "a colour map entry is red, green, blue");
    png_image image = imageOf(source.width, source.height, PNG_FORMAT_RGB_COLORMAP);
    image.colormap_entries = png_uint_32(entries);
    return write(image, source.indices.data(), source.width, colourMap.data());
}

} // namespace core
