#pragma once
// The image library: the 54 pictures the program carries (outfit masks, bare bodies,
// accessories), grouped into seven holders. The first request for any image of a holder
// decodes the whole holder; later requests decode nothing. Pictures are read-only.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/library_images.h"
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
    // The program's one library, for the window and the command-line tool.
    static ImageLibrary& shared();

    // The image's picture; loads its holder first if needed. The same picture all run long.
    const Picture& picture(ImageId id);
    bool isLoaded(Holder holder) const { return m_loaded[int(holder)]; }
    // How many holders have been decoded so far, for tests and benchmarks. Each holder is
    // decoded once, on its first request.
    int decodeCount() const { return int(std::count(m_loaded.begin(), m_loaded.end(), true)); }

  private:
    void load(Holder holder);

    std::array<Picture, kImageCount> m_pictures;
    std::array<bool, kHolderCount> m_loaded{};
};

// The BMP file of an image, embedded into the program at build time from assets/.
std::span<const std::uint8_t> embeddedBmp(ImageId id);

} // namespace core
