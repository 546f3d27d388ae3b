#include "core/library/image_library.h"

#include <cstdio>
#include <cstdlib>

#include "core/codec/bmp.h"

namespace core {

namespace {

struct LibraryImage {
    std::string_view name;
    Holder holder;
};

// Every image in ImageId order, which is holder order and, within a holder, its load order.
#define QUILTANE_IMAGE_ROW(name, holder) {#name, Holder::holder},
constexpr std::array<LibraryImage, kImageCount> kImages{{QUILTANE_LIBRARY_IMAGES(QUILTANE_IMAGE_ROW)}};
#undef QUILTANE_IMAGE_ROW

#define QUILTANE_HOLDER_NAME(name) #name,
constexpr std::array<std::string_view, kHolderCount> kHolderNames{
    QUILTANE_LIBRARY_HOLDERS(QUILTANE_HOLDER_NAME)};
#undef QUILTANE_HOLDER_NAME

} // namespace

std::string_view imageName(ImageId id) {
    return kImages[int(id)].name;
}

std::string_view holderName(Holder holder) {
    return kHolderNames[int(holder)];
}

Holder holderOf(ImageId id) {
    return kImages[int(id)].holder;
}

ImageLibrary& ImageLibrary::shared() {
    static ImageLibrary library;
    return library;
}

const Picture& ImageLibrary::picture(ImageId id) {
    Slot& slot = m_slots[int(id)];
    if (!slot.ready.load(std::memory_order_acquire)) decode(id);
    return slot.picture;
}

void ImageLibrary::decode(ImageId id) {
    Slot& slot = m_slots[int(id)];
    // Another thread may have decoded it between our look and the lock; the release store
    // below is made under this lock, so a relaxed look suffices here.
    const std::lock_guard lock(slot.decoding);
    if (slot.ready.load(std::memory_order_relaxed)) return;
    // Running out of memory throws from here and leaves the slot as it was, for a later try.
    Result<Picture> decoded = decodeBmp(embeddedBmp(id));
    if (!decoded) {
        // The pictures are built into the program, so this is a broken build, not a user's
        // mistake; carrying on would paint with a missing picture.
        std::fprintf(stderr, "Quiltane: the built-in picture %.*s cannot be read: %s\n",
                     int(imageName(id).size()), imageName(id).data(), decoded.message().c_str());
        std::abort();
    }
    slot.picture = std::move(decoded).value();
    m_decodes.fetch_add(1, std::memory_order_relaxed);
    slot.ready.store(true, std::memory_order_release);
}

} // namespace core
