// The colour test of fill and replace, through CIEDE2000.

#include "preview/colour_match.h"

#include <array>
#include <memory>

#include "core/colour_difference.h"

namespace preview {
namespace {

// What the test remembers: the picked colour in L*a*b* and the answers given so far, in a
// table of slots chosen by the colour (a slot asked about another colour is measured again).
struct Likeness {
    static constexpr std::size_t kSlots = 4096;
    struct Slot {
        std::uint32_t key = 0; // the colour packed, plus one; 0 for none yet
        bool alike = false;
    };
    core::Lab picked;
    double tolerance;
    std::array<Slot, kSlots> slots{};

    bool operator()(core::Rgb c) {
        const std::uint32_t key = core::packed(c) + 1;
        Slot& slot = slots[(key * 2654435761u) >> 20]; // the top 12 bits of a multiplicative hash
        if (slot.key != key) slot = {key, core::deltaE2000(picked, core::labFromRgb(c)) <= tolerance};
        return slot.alike;
    }
};
static_assert(Likeness::kSlots == std::size_t(1) << 12, "the hash keeps 12 bits");

} // namespace

core::retouch::ColourTest likeColour(core::Rgb picked, double tolerance) {
    if (tolerance <= 0) return core::retouch::exactly(picked);
    auto likeness = std::make_shared<Likeness>(Likeness{core::labFromRgb(picked), tolerance});
    return [likeness](core::Rgb c) { return (*likeness)(c); };
}

} // namespace preview
