// Where a skin pixel lies on the body, as the zoom view names it.

#include <gtest/gtest.h>

#include "preview/skin_layout.h"

namespace {

struct RegionCase {
    int x, y;
    const char* region;
};

const RegionCase kRegions[] = {
    {0, 0, "arm strip"},
    {89, 255, "arm strip"},
    {90, 0, "back, torso"},
    {172, 81, "back, torso"},
    {173, 81, "front, torso"},
    {255, 82, "front, hips"},
    {133, 125, "back, hips"},
    {133, 126, "back, left leg"},
    {134, 126, "back, right leg"},
    {217, 200, "front, right leg"},
    {218, 200, "front, left leg"},
    {90, 237, "back, left leg"},
    {90, 238, "back, left foot"},
    {255, 255, "front, left foot"},
    {173, 250, "front, right foot"},
};

TEST(RegionName, NamesTheHalfAndThePartOfEveryPixel) {
    for (const RegionCase& c : kRegions)
        EXPECT_EQ(preview::regionName(c.x, c.y), c.region) << "at " << c.x << ", " << c.y;
}

} // namespace
