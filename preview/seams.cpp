#include "preview/seams.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <vector>

#include "core/colour_difference.h"
#include "preview/mannequin.h"

namespace preview {
namespace {

// How far a mark reaches: pixels to each side of the seam, rows above and below the named row.
constexpr int kMarkColumns = 3;
constexpr int kMarkRows = 1;

MarkArea markArea(const SeamSide& side, int row) {
    const int left = side.inward > 0 ? side.column : side.column - (kMarkColumns - 1);
    return {left, row - kMarkRows, left + kMarkColumns, row + kMarkRows + 1};
}

} // namespace

SeamScore checkSeam(const core::Picture& skin, const SeamSpec& seam) {
    SeamScore score;
    score.seam = &seam;
    std::vector<double> differences;
    for (int row = seam.topRow; row < seam.bottomRow; ++row)
        differences.push_back(core::deltaE2000(core::labFromRgb(skin.pixel(seam.first.column, row)),
                                               core::labFromRgb(skin.pixel(seam.second.column, row))));
    if (differences.empty()) return score;
    score.meanDifference =
        std::accumulate(differences.begin(), differences.end(), 0.0) / double(differences.size());

    std::vector<int> rows(differences.size());
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return differences[a] > differences[b]; });
    for (int i : rows) {
        if (int(score.worstRows.size()) == kWorstRowCount || differences[i] == 0) break;
        score.worstRows.push_back(seam.topRow + i);
    }
    return score;
}

std::vector<SeamScore> checkSeams(const core::Picture& skin) {
    std::vector<SeamScore> scores;
    for (const SeamSpec& seam : allSeams())
        scores.push_back(checkSeam(skin, seam));
    return scores;
}

View viewOfSeam(const SeamSpec& seam, std::span<const int> rows, float zoom) {
    const int row = rows.empty() ? (seam.topRow + seam.bottomRow) / 2 : rows.front();
    const Vec3 facing = facingAt(float(seam.first.column) + 0.5f, float(row) + 0.5f);
    const float pitch = std::asin(std::clamp(facing.y, -1.0f, 1.0f)) * 180 / std::numbers::pi_v<float>;
    return clampedView({seam.yaw, pitch, zoom});
}

std::array<MarkArea, 2> markAreas(const SeamSpec& seam, int row) {
    return {markArea(seam.first, row), markArea(seam.second, row)};
}

core::Picture markRows(const core::Picture& skin, const SeamSpec& seam, std::span<const int> rows) {
    std::vector<std::uint8_t> rgb = core::rgbBytes(skin);
    for (int row : rows)
        for (const MarkArea& area : markAreas(seam, row))
            for (int y = std::max(area.top, 0); y < std::min(area.bottom, skin.height()); ++y)
                for (int x = std::max(area.left, 0); x < std::min(area.right, skin.width()); ++x) {
                    std::uint8_t* p = &rgb[(std::size_t(y) * skin.width() + x) * core::Picture::kChannels];
                    p[0] = kMarkColour.r;
                    p[1] = kMarkColour.g;
                    p[2] = kMarkColour.b;
                }
    return core::Picture(skin.width(), skin.height(), rgb);
}

} // namespace preview
