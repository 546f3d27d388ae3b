#pragma once
// Helpers the mask tests share: a mask drawn by name, and the black runs of one row.

#include <gtest/gtest.h>

#include <string_view>
#include <utility>
#include <vector>

#include "tools/draw_library/masks.h"

namespace mask_test {

// The mask called name, drawn anew; a name that no holder's list knows fails the test.
inline draw::MaskGrid drawn(std::string_view name) {
    for (const std::vector<draw::MaskEntry>& masks : {draw::firstMasks(), draw::secondMasks()})
        for (const draw::MaskEntry& entry : masks)
            if (entry.name == name) return entry.draw();
    ADD_FAILURE() << "no mask " << name;
    return {};
}

// The black runs of one row between columns `from` and `to`, left to right, as inclusive
// column pairs.
inline std::vector<std::pair<int, int>> blackRuns(const draw::MaskGrid& grid, int row, int from = 0,
                                                  int to = 255) {
    std::vector<std::pair<int, int>> runs;
    for (int x = from; x <= to; ++x) {
        if (!grid.isBlack(x, row)) continue;
        if (!runs.empty() && runs.back().second == x - 1)
            runs.back().second = x;
        else
            runs.push_back({x, x});
    }
    return runs;
}

} // namespace mask_test
