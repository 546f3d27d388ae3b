// CIEDE2000 against the published reference pairs, and sRGB to L*a*b*.

#include <gtest/gtest.h>

#include "core/colour_difference.h"

namespace {

using core::Lab;

struct ReferencePair {
    int number; // the pair's number in the table of Sharma, Wu and Dalal (2005)
    Lab first, second;
    double deltaE;
};

// Pairs from "The CIEDE2000 Color-Difference Formula: Implementation Notes, Supplementary Test
// Data, and Mathematical Observations", Color Research and Application 30 (2005), table 1:
// blue hues, a grey against a colour, hues on either side of 0 degrees (where the mean hue and
// the hue difference need care), large differences, and near-black colours.
const ReferencePair kReferencePairs[] = {
    {1, {50.0000, 2.6772, -79.7751}, {50.0000, 0.0000, -82.7485}, 2.0425},
    {4, {50.0000, -1.3802, -84.2814}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {7, {50.0000, 0.0000, 0.0000}, {50.0000, -1.0000, 2.0000}, 2.3669},
    {9, {50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0009}, 7.1792},
    {11, {50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0011}, 7.2195},
    {13, {50.0000, -0.0010, 2.4900}, {50.0000, 0.0009, -2.4900}, 4.8045},
    {15, {50.0000, -0.0010, 2.4900}, {50.0000, 0.0011, -2.4900}, 4.7461},
    {17, {50.0000, 2.5000, 0.0000}, {73.0000, 25.0000, -18.0000}, 27.1492},
    {19, {50.0000, 2.5000, 0.0000}, {56.0000, -27.0000, -3.0000}, 31.9030},
    {25, {60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
    {29, {22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373},
    {33, {6.7747, -0.2908, -2.4247}, {5.8714, -0.0985, -2.2286}, 0.6377},
    {34, {2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
};

TEST(DeltaE2000, MatchesThePublishedPairsToFourDecimals) {
    for (const ReferencePair& pair : kReferencePairs) {
        SCOPED_TRACE("pair " + std::to_string(pair.number));
        EXPECT_NEAR(core::deltaE2000(pair.first, pair.second), pair.deltaE, 0.00005);
        // The formula is symmetric in its two colours.
        EXPECT_NEAR(core::deltaE2000(pair.second, pair.first), pair.deltaE, 0.00005);
    }
}

TEST(DeltaE2000, IsZeroForEqualColours) {
    EXPECT_EQ(core::deltaE2000({61.2901, 3.7196, -5.3901}, {61.2901, 3.7196, -5.3901}), 0.0);
}

struct RgbCase {
    core::Rgb rgb;
    Lab lab;
};

// L*a*b* of sRGB colours under D65, to two decimals.
const RgbCase kRgbCases[] = {
    {{0, 0, 0}, {0, 0, 0}},
    {{255, 255, 255}, {100, 0, 0}},
    {{255, 0, 0}, {53.24, 80.09, 67.20}},
    {{0, 255, 0}, {87.73, -86.18, 83.18}},
    {{0, 0, 255}, {32.30, 79.19, -107.86}},
    {{128, 128, 128}, {53.59, 0, 0}},
};

TEST(LabFromRgb, ConvertsSrgbUnderD65) {
    for (const RgbCase& c : kRgbCases) {
        SCOPED_TRACE(std::to_string(c.rgb.r) + ", " + std::to_string(c.rgb.g) + ", " +
                     std::to_string(c.rgb.b));
        const Lab lab = core::labFromRgb(c.rgb);
        EXPECT_NEAR(lab.l, c.lab.l, 0.01);
        EXPECT_NEAR(lab.a, c.lab.a, 0.01);
        EXPECT_NEAR(lab.b, c.lab.b, 0.01);
    }
}

} // namespace
