// Decoding PNG files through libpng's reader. libpng reports bad data by calling an error
// function that must not return: it leaves by longjmp to the setjmp in runLibpng. So that
// function and the callbacks hold nothing with a destructor, and whatever needs one (libpng's
// structures, the buffers) lives in a Decoding that the caller owns.

#include <png.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "core/codec/picture_limits.h"
#include "core/codec/png.h"
#include "core/codec/png_format.h"

namespace core {
namespace png {
namespace {

// A channel c of alpha a laid onto white: (c * a + 255 * (255 - a)) / 255, rounded to the
// nearest (the sum is a whole number, so it is never halfway).
constexpr std::uint8_t onWhite(int c, int a) {
    return std::uint8_t((c * a + 255 * (255 - a) + 127) / 255);
}
static_assert(onWhite(0, 0) == 255 && onWhite(0, 255) == 0 && onWhite(0, 128) == 127 &&
              onWhite(100, 1) == 254);

// libpng's words when an allocation of its own fails.
bool saysOutOfMemory(const char* message) {
    return std::strcmp(message, "Out of memory") == 0 ||
           std::strncmp(message, "Insufficient memory", 19) == 0;
}

class Decoding {
  public:
    explicit Decoding(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    ~Decoding() { png_destroy_read_struct(&m_png, &m_info, nullptr); }
    Decoding(const Decoding&) = delete;
    Decoding& operator=(const Decoding&) = delete;

    // False when libpng has no memory for its structures.
    bool create() {
        m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, onError, onWarning);
        if (m_png == nullptr) return false;
        m_info = png_create_info_struct(m_png);
        png_set_read_fn(m_png, this, readBytes);
        return m_info != nullptr;
    }
    png_structp png() const { return m_png; }

    // The rest is run by runLibpng, inside its setjmp.

    // Reads the chunks up to the image data and sets what libpng turns the rows into: one
    // index a byte for a palette file, else red, green and blue of 8 bits, with alpha where the
    // file has it in any form.
    void readInfo() {
        png_read_info(m_png, m_info);
        const int type = png_get_color_type(m_png, m_info);
        const int depth = png_get_bit_depth(m_png, m_info);
        if (type == PNG_COLOR_TYPE_PALETTE) {
            png_colorp entries = nullptr;
            int count = 0;
            if (png_get_PLTE(m_png, m_info, &entries, &count) == 0)
                png_error(m_png, "no palette (PLTE chunk)");
            if (depth < 8) png_set_packing(m_png);
        } else {
            if (type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(m_png);
            if (png_get_valid(m_png, m_info, PNG_INFO_tRNS) != 0) png_set_tRNS_to_alpha(m_png);
            if (depth == 16) png_set_scale_16(m_png);
            if ((type & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(m_png);
        }
        png_set_interlace_handling(m_png);
        png_read_update_info(m_png, m_info);
    }

    // The buffers the rows are read into, and the rows' places in them. May throw
    // std::bad_alloc; calls nothing that fails through libpng's error function.
    void allocate() {
        const int width = int(png_get_image_width(m_png, m_info));
        const int height = int(png_get_image_height(m_png, m_info));
        m_channels = png_get_channels(m_png, m_info);
        m_rows.resize(std::size_t(height));
        if (m_channels == 4) {
            const std::size_t stride = std::size_t(width) * 4;
            m_rgba.reset(new std::uint8_t[stride * std::size_t(height)]);
            for (int y = 0; y < height; ++y)
                m_rows[std::size_t(y)] = m_rgba.get() + std::size_t(y) * stride;
            return;
        }
        if (m_channels == 1)
            m_buffer.emplace(width, height, filePalette());
        else
            m_buffer.emplace(width, height);
        for (int y = 0; y < height; ++y)
            m_rows[std::size_t(y)] = m_buffer->row(y);
    }

    png_bytepp rows() { return m_rows.data(); }

    // After runLibpng: the picture, and the note when it had transparency.
    LoadedPicture finish() {
        LoadedPicture loaded;
        loaded.format = PictureFormat::Png;
        bool flattened = false;
        if (m_channels == 4) {
            const int width = int(png_get_image_width(m_png, m_info));
            const int height = int(png_get_image_height(m_png, m_info));
            m_buffer.emplace(width, height);
            for (int y = 0; y < height; ++y) {
                const std::uint8_t* in = m_rows[std::size_t(y)];
                std::uint8_t* out = m_buffer->row(y);
                for (int x = 0; x < width; ++x, in += 4, out += 3) {
                    const int a = in[3];
                    flattened |= a != 255;
                    for (int c = 0; c < 3; ++c)
                        out[c] = onWhite(in[c], a);
                }
            }
            m_rgba.reset();
        } else if (m_channels == 1) {
            flattened = usesTranslucentEntry();
        }
        loaded.picture = std::move(*m_buffer).finish();
        if (flattened) loaded.note = kFlattenedNote;
        return loaded;
    }

    // Why runLibpng failed, as the reason alone.
    Status failure(const Header& header) const {
        if (m_truncated)
            return Status::input("the file is truncated: it ends before its picture is complete.");
        if (saysOutOfMemory(m_message.data())) return outOfMemory(header);
        return Status::input("its PNG data is damaged (" + std::string(m_message.data()) + ").");
    }

    static Status outOfMemory(const Header& header) {
        return Status::outOfMemory("not enough memory to open it (" +
                                   codec::sizeText(header.width, header.height) + ").");
    }

  private:
    // The file's palette, each entry laid onto white by its alpha from the tRNS chunk.
    Palette filePalette() {
        png_colorp entries = nullptr;
        int count = 0;
        png_get_PLTE(m_png, m_info, &entries, &count);
        png_bytep alphas = nullptr;
        int alphaCount = 0;
        if (png_get_valid(m_png, m_info, PNG_INFO_tRNS) != 0)
            png_get_tRNS(m_png, m_info, &alphas, &alphaCount, nullptr);
        std::array<Rgb, Palette::kMaxEntries> colours{};
        count = std::min(count, Palette::kMaxEntries);
        for (int i = 0; i < count; ++i) {
            const int a = i < alphaCount ? alphas[i] : 255;
            m_translucent[std::size_t(i)] = a != 255;
            colours[std::size_t(i)] = {onWhite(entries[i].red, a), onWhite(entries[i].green, a),
                                       onWhite(entries[i].blue, a)};
        }
        return Palette(std::span<const Rgb>(colours.data(), std::size_t(count)));
    }

    bool usesTranslucentEntry() const {
        if (std::none_of(m_translucent.begin(), m_translucent.end(), [](bool t) { return t; })) return false;
        const std::size_t width = png_get_image_width(m_png, m_info);
        for (png_bytep row : m_rows)
            for (std::size_t x = 0; x < width; ++x)
                if (m_translucent[row[x]]) return true;
        return false;
    }

    // libpng's callbacks, which must not throw. The error function must not return either.
    [[noreturn]] static void onError(png_structp png, png_const_charp message) {
        auto* self = static_cast<Decoding*>(png_get_error_ptr(png));
        std::strncpy(self->m_message.data(), message, self->m_message.size() - 1);
        png_longjmp(png, 1);
    }
    static void onWarning(png_structp, png_const_charp) {} // a warning changes nothing we read
    static void readBytes(png_structp png, png_bytep out, std::size_t length) {
        auto* self = static_cast<Decoding*>(png_get_io_ptr(png));
        if (length > self->m_bytes.size() - self->m_at) {
            self->m_truncated = true;
            png_error(png, "the file ends early");
        }
        std::memcpy(out, self->m_bytes.data() + self->m_at, length);
        self->m_at += length;
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at = 0; // how far libpng has read
    bool m_truncated = false;
    std::array<char, 256> m_message{}; // libpng's words for the error that stopped it
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;

    int m_channels = 0;                     // of the rows as read: 1 (indices), 3 or 4 (RGBA)
    std::optional<PictureBuffer> m_buffer;  // the picture, read into straight unless it has alpha
    std::unique_ptr<std::uint8_t[]> m_rgba; // rows with alpha, before they are laid onto white
    std::vector<png_bytep> m_rows;          // where each row of the picture is read into
    std::array<bool, Palette::kMaxEntries> m_translucent{}; // palette entries of alpha below 255
};

// libpng's part of the decoding: false when it found the data bad, the reason kept in the
// decoding. libpng leaves this function by longjmp, so it holds nothing with a destructor;
// allocate may throw std::bad_alloc, which leaves it the ordinary way.
bool runLibpng(Decoding& decoding) {
    if (setjmp(png_jmpbuf(decoding.png()))) return false;
    decoding.readInfo();
    decoding.allocate();
    png_read_image(decoding.png(), decoding.rows());
    return true;
}

} // namespace
} // namespace png

Result<LoadedPicture> decodePng(std::span<const std::uint8_t> bytes) {
    Result<png::Header> header = png::readHeader(bytes);
    if (!header) return header.status();
    try {
        png::Decoding decoding(bytes);
        if (!decoding.create()) return png::Decoding::outOfMemory(header.value());
        if (!png::runLibpng(decoding)) return decoding.failure(header.value());
        return decoding.finish();
    } catch (const std::bad_alloc&) {
        return png::Decoding::outOfMemory(header.value());
    }
}

Result<PictureInfo> readPngInfo(std::span<const std::uint8_t> bytes) {
    Result<png::Header> header = png::readHeader(bytes);
    if (!header) return header.status();
    return png::describe(header.value());
}

} // namespace core
