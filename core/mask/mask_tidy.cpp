// Tidying a mask (see mask_tidy.h): each pass labels the areas of one kind with a flood fill
// and turns the small ones into the other kind.

#include "core/mask/mask_tidy.h"

#include <vector>

namespace core {
namespace {

// Turns every area of pixels whose garment value is `kind` and whose size is at most largest
// into the other kind; how many areas it turned.
int flipSmallAreas(GarmentMap& map, std::uint8_t kind, int largest) {
    constexpr int kSize = kSkinSize;
    std::vector<std::uint8_t> seen(GarmentMap::kPixels, 0);
    std::vector<int> area, pending;
    int flipped = 0;
    for (int start = 0; start < GarmentMap::kPixels; ++start) {
        if (seen[start] || map.garment[start] != kind) continue;
        area.clear();
        pending.assign(1, start);
        seen[start] = 1;
        while (!pending.empty()) {
            const int at = pending.back();
            pending.pop_back();
            area.push_back(at);
            const int x = at % kSize, y = at / kSize;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= kSize || ny >= kSize) continue;
                    const int next = ny * kSize + nx;
                    if (seen[next] || map.garment[next] != kind) continue;
                    seen[next] = 1;
                    pending.push_back(next);
                }
        }
        if (int(area.size()) > largest) continue;
        for (int at : area)
            map.garment[at] = kind ? 0 : 1;
        ++flipped;
    }
    return flipped;
}

} // namespace

TidyCounts tidyMask(GarmentMap& map, int largest) {
    TidyCounts counts;
    counts.specksCleared = flipSmallAreas(map, 1, largest);
    counts.holesFilled = flipSmallAreas(map, 0, largest);
    return counts;
}

} // namespace core
