#pragma once
// The image library: the 54 pictures the program carries (outfit masks, bare bodies,
// accessories), grouped into seven holders. Each picture is decoded on its own first request,
// so a cookie cutter decodes one mask and one body. Pictures are read-only; any number of
// threads may ask for them at once, and each is decoded exactly once.

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <string_view>

#include "core/library/library_images.h"
#include "core/picture.h"

namespace core {

#define QUILTANE_ENUMERATOR(name, ...) name,
#define QUILTANE_ONE(...) +1
enum class Holder { QUILTANE_LIBRARY_HOLDERS(QUILTANE_ENUMERATOR) };
constexpr int kHolderCount = 0 QUILTANE_LIBRARY_HOLDERS(QUILTANE_ONE);

// In holder order, each holder's images in its own order.
enum class ImageId { QUILTANE_LIBRARY_IMAGES(QUILTANE_ENUMERATOR) };
constexpr int kImageCount = 0 QUILTANE_LIBRARY_IMAGES(QUILTANE_ONE);
#undef QUILTANE_ONE
#undef QUILTANE_ENUMERATOR

std::string_view imageName(ImageId id);     // "imgBodySuit"
std::string_view holderName(Holder holder); // "frmPics"
Holder holderOf(ImageId id);

class ImageLibrary {
  public:
    ImageLibrary() = default;
    ImageLibrary(const ImageLibrary&) = delete;
    ImageLibrary& operator=(const ImageLibrary&) = delete;

    // The program's one library, for the window, the command-line tool and their threads.
    static ImageLibrary& shared();

    // The image's picture, decoded on the first request for it. The same picture, at the same
    // address and unchanged, for the library's whole life. Safe to call from many threads at
    // once: a thread asking for a picture another is decoding waits for it.
    const Picture& picture(ImageId id);
    // Whether the image's picture has been decoded.
    bool isDecoded(ImageId id) const { return m_slots[int(id)].ready.load(std::memory_order_acquire); }
    // How many decodes have run so far, for tests and benchmarks: one per picture asked for.
    int decodedPictureCount() const { return m_decodes.load(std::memory_order_relaxed); }

  private:
    // One picture and its decode state. ready turns true, once, after picture is written;
    // picture is never written again, so a reader that has seen ready needs no lock.
    struct Slot {
        std::atomic<bool> ready{false};
        std::mutex decoding;
        Picture picture;
    };
    void decode(ImageId id);

    std::array<Slot, kImageCount> m_slots;
    std::atomic<int> m_decodes{0};
};

// The BMP file of an image, embedded into the program at build time from assets/.
std::span<const std::uint8_t> embeddedBmp(ImageId id);

} // namespace core
