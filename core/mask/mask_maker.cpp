// The mask maker (see mask_maker.h). Most of a skin's pixels repeat a few hundred colours (an
// 8-bit body, an 8-bit skin), so colours are turned into L*a*b* and pairs of colours judged
// through small caches, which keeps the CIEDE2000 formula to a few thousand pixels a skin.

#include "core/mask/mask_maker.h"

#include <array>
#include <vector>

#include "core/colour_difference.h"

namespace core {
namespace {

// Colours in L*a*b*, remembered by colour in a table of kSlots, each slot holding the last
// colour whose hash fell there.
class LabCache {
  public:
    const Lab& operator()(Rgb colour) {
        const std::uint32_t key = packed(colour);
        Slot& slot = m_slots[hash(key) % kSlots];
        if (slot.key != key) slot = {key, labFromRgb(colour)};
        return slot.lab;
    }

  private:
    static constexpr std::size_t kSlots = 4096;
    static constexpr std::uint32_t kNone = 0xFFFFFFFF; // no colour packs to this
    static std::uint32_t hash(std::uint32_t key) { return (key * 0x9E3779B1u) >> 12; }
    struct Slot {
        std::uint32_t key = kNone;
        Lab lab;
    };
    std::array<Slot, kSlots> m_slots{};
};

// Whether two colours differ by more than the tolerance, remembered by pair as above.
class DifferenceCache {
  public:
    explicit DifferenceCache(double tolerance) : m_tolerance(tolerance) {}

    bool differs(Rgb skin, Rgb body) {
        if (skin == body) return false;
        const std::uint64_t key = std::uint64_t(packed(skin)) << 24 | packed(body);
        Slot& slot = m_slots[std::size_t((key * 0x9E3779B97F4A7C15ull) >> 50) % kSlots];
        if (slot.key != key) {
            const double difference = deltaE2000(m_skinLab(skin), m_bodyLab(body));
            slot = {key, difference > m_tolerance};
        }
        return slot.differs;
    }

  private:
    static constexpr std::size_t kSlots = 16384;
    static constexpr std::uint64_t kNone = ~std::uint64_t(0); // no pair packs to this
    struct Slot {
        std::uint64_t key = kNone;
        bool differs = false;
    };
    double m_tolerance;
    LabCache m_skinLab, m_bodyLab;
    std::vector<Slot> m_slots = std::vector<Slot>(kSlots);
};

} // namespace

GarmentMap differingPixels(const Picture& skin, const Picture& body, double tolerance) {
    GarmentMap map;
    DifferenceCache cache(tolerance);
    constexpr std::size_t kRowBytes = std::size_t(kSkinSize) * Picture::kChannels;
    std::array<std::uint8_t, kRowBytes> skinScratch, bodyScratch;
    for (int y = 0; y < kSkinSize; ++y) {
        const std::uint8_t* s = skin.rgbRow(y, skinScratch.data());
        const std::uint8_t* b = body.rgbRow(y, bodyScratch.data());
        std::uint8_t* garment = &map.garment[std::size_t(y) * kSkinSize];
        for (int x = 0; x < kSkinSize; ++x, s += Picture::kChannels, b += Picture::kChannels)
            garment[x] = cache.differs({s[0], s[1], s[2]}, {b[0], b[1], b[2]}) ? 1 : 0;
    }
    return map;
}

Result<MadeMask> makeMask(const Picture& skin, const Picture& body, double tolerance) {
    if (Status sized = checkSkinSized(skin); !sized) return sized.withContext("The skin cannot be masked");
    if (Status sized = checkSkinSized(body); !sized) return sized.withContext("The body cannot be used");
    if (!(tolerance >= 0)) return Status::usage("The tolerance must be a difference of 0 or more.");
    GarmentMap map = differingPixels(skin, body, tolerance);
    MadeMask made;
    made.tidied = tidyMask(map);
    made.garmentPixels = map.garmentPixels();
    made.mask = maskPicture(map);
    return made;
}

} // namespace core
