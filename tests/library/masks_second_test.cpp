// The masks of frmMasks3, frmMasks4 and frmMasks5 as drawn: black share and black area, and the
// features each garment is cut by: bands, straps, points with their tip pixels, notches with the
// row that closes them, lacing lines and the two halves of the b328 outfit.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "tests/library/mask_test_support.h"
#include "tools/draw_library/library_drawing.h"
#include "tools/draw_library/mask_shapes.h"
#include "tools/draw_library/masks.h"

namespace {

using draw::MaskGrid;
using mask_test::blackRuns;
using mask_test::drawn;

TEST(SecondMasks, EachHasItsShareAndBlackAreaInHolderOrder) {
    struct Case {
        std::string_view name;
        double sharePercent;
        draw::MaskBox box; // left, top, right, bottom
    };
    const Case cases[] = {
        {"imgCouvrelle", 13.0, {89, 17, 255, 118}},  {"imgPJ3", 14.3, {88, 15, 255, 117}},
        {"imgBand2bikini", 4.2, {88, 38, 255, 117}}, {"imgPompette", 20.1, {87, 10, 255, 125}},
        {"imgBandBikini", 6.6, {88, 40, 255, 117}},  {"imgOnePiece", 15.7, {85, 7, 255, 115}},
        {"img404", 76.3, {0, 0, 255, 228}},          {"imgBikini3", 2.9, {87, 10, 255, 117}},
        {"imgB772piece", 55.8, {0, 12, 255, 199}},   {"imgb328", 34.4, {88, 0, 255, 157}},
        {"imgb77onepiece", 65.0, {0, 17, 255, 231}}, {"imgTeddy2", 14.2, {88, 34, 254, 117}},
        {"imgTeddy1", 16.1, {87, 12, 254, 114}},     {"imgCorset3", 11.7, {91, 45, 255, 116}},
        {"imgCorset2", 13.2, {88, 38, 255, 116}},    {"imgB328legs", 31.4, {86, 125, 255, 255}},
    };
    const std::vector<draw::MaskEntry> masks = draw::secondMasks();
    ASSERT_EQ(masks.size(), std::size(cases));
    for (std::size_t i = 0; i < masks.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(std::string(c.name));
        EXPECT_EQ(masks[i].name, c.name);
        const MaskGrid grid = masks[i].draw();
        EXPECT_NEAR(draw::blackShare(grid) * 100, c.sharePercent, 0.5);
        const draw::MaskBox box = draw::blackBox(grid);
        EXPECT_EQ(box.left, c.box.left);
        EXPECT_EQ(box.top, c.box.top);
        EXPECT_EQ(box.right, c.box.right);
        EXPECT_EQ(box.bottom, c.box.bottom);

        // Drawn the same every time, and stored as pure black and pure white in one bit.
        const MaskGrid again = masks[i].draw();
        const draw::DrawnPicture picture = draw::maskPicture(grid, false);
        ASSERT_EQ(picture.bitsPerPixel, 1);
        ASSERT_EQ(picture.palette.size(), 2u);
        EXPECT_EQ(picture.palette[0], (core::Rgb{0, 0, 0}));
        EXPECT_EQ(picture.palette[1], (core::Rgb{255, 255, 255}));
        ASSERT_EQ(picture.indices.size(), 256u * 256u);
        int mismatches = 0;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                mismatches += again.isBlack(x, y) != grid.isBlack(x, y);
                mismatches += picture.indices[y * 256 + x] != (grid.isBlack(x, y) ? 0 : 1);
            }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(SecondMasks, BandsStrapsAndBareAreasAreWhereTheGarmentPutsThem) {
    struct Case {
        std::string_view mask;
        int left, top, right, bottom;
        bool black; // every pixel of the rectangle
    };
    const Case cases[] = {
        // Couvrelle: the back is bare above row 52; the front's two arms start apart.
        {"imgCouvrelle", 89, 61, 255, 93, true},
        {"imgCouvrelle", 0, 0, 172, 51, false},
        {"imgCouvrelle", 198, 17, 215, 17, true},
        {"imgCouvrelle", 216, 17, 221, 17, false},
        {"imgCouvrelle", 222, 17, 238, 17, true},
        // PJs3: two-pixel straps above the band, nothing between them.
        {"imgPJ3", 88, 47, 255, 91, true},
        {"imgPJ3", 113, 15, 114, 46, true},
        {"imgPJ3", 149, 15, 150, 46, true},
        {"imgPJ3", 115, 15, 148, 46, false},
        {"imgPJ3", 197, 15, 198, 35, true},
        {"imgPJ3", 236, 15, 237, 35, true},
        {"imgPJ3", 199, 15, 235, 35, false},
        {"imgPJ3", 193, 45, 243, 46, true},
        {"imgBand2bikini", 88, 42, 255, 45, true},
        {"imgBand2bikini", 88, 87, 255, 91, true},
        {"imgBand2bikini", 0, 38, 186, 41, false},
        {"imgBand2bikini", 0, 46, 186, 86, false},
        {"imgBand2bikini", 250, 38, 255, 41, false},
        {"imgBand2bikini", 250, 46, 255, 86, false},
        // Pompette: two plain bands, the lower one two columns narrower, bumps under the top.
        {"imgPompette", 87, 10, 255, 52, true},
        {"imgPompette", 89, 91, 255, 125, true},
        {"imgPompette", 87, 91, 88, 125, false},
        {"imgPompette", 199, 53, 199, 55, true},
        {"imgPompette", 232, 53, 232, 55, true},
        {"imgPompette", 87, 53, 189, 55, false},
        {"imgPompette", 209, 53, 222, 55, false},
        {"imgPompette", 242, 53, 255, 55, false},
        {"imgPompette", 87, 56, 255, 90, false},
        {"imgBandBikini", 88, 40, 255, 54, true},
        {"imgBandBikini", 88, 86, 255, 91, true},
        {"imgBandBikini", 0, 55, 255, 85, false},
        // One-piece: neck piece, spine strap, front straps, the panel wrapping round by row 52.
        {"imgOnePiece", 107, 7, 163, 7, true},
        {"imgOnePiece", 133, 17, 139, 64, true},
        {"imgOnePiece", 85, 17, 132, 41, false},
        {"imgOnePiece", 201, 14, 208, 14, true},
        {"imgOnePiece", 209, 14, 230, 14, false},
        {"imgOnePiece", 231, 14, 237, 14, true},
        {"imgOnePiece", 157, 52, 255, 52, true},
        {"imgOnePiece", 85, 42, 85, 64, true},
        {"imgOnePiece", 85, 65, 255, 84, true},
        // 404: halter string, sleeves from row 29, bare waist, slacks down to row 227.
        {"img404", 88, 0, 91, 11, true},
        {"img404", 0, 0, 87, 28, false},
        {"img404", 92, 0, 255, 11, false},
        {"img404", 0, 29, 89, 87, true},
        {"img404", 90, 79, 255, 87, false},
        {"img404", 0, 88, 255, 227, true},
        {"img404", 90, 228, 255, 228, true},
        {"img404", 0, 228, 89, 255, false},
        {"img404", 0, 229, 255, 255, false},
        {"imgBikini3", 87, 91, 255, 93, true},
        {"imgBikini3", 87, 55, 255, 55, true},
        {"imgBikini3", 130, 94, 139, 101, true},
        {"imgBikini3", 0, 0, 113, 54, false},
        {"imgBikini3", 0, 56, 86, 255, false},
        {"imgBikini3", 160, 0, 189, 54, false},
        {"imgBikini3", 190, 56, 216, 56, true},
        {"imgBikini3", 218, 56, 244, 56, true},
        {"imgB772piece", 0, 46, 89, 199, true},
        {"imgB772piece", 0, 0, 89, 45, false},
        {"imgB772piece", 90, 80, 255, 88, false},
        {"imgB772piece", 90, 89, 255, 164, true},
        {"imgB772piece", 90, 165, 255, 255, false},
        {"imgb77onepiece", 0, 19, 89, 231, true},
        {"imgb77onepiece", 0, 0, 89, 18, false},
        {"imgb77onepiece", 90, 47, 255, 164, true},
        {"imgb77onepiece", 90, 165, 255, 255, false},
        {"imgTeddy2", 88, 47, 254, 93, true},
        {"imgTeddy2", 255, 0, 255, 255, false},
        {"imgTeddy2", 0, 0, 189, 46, false},
        {"imgTeddy2", 190, 44, 217, 46, true},
        {"imgTeddy2", 219, 44, 246, 46, true},
        // Teddy: four straps, bare between them, each pair widening into a top over its half.
        {"imgTeddy1", 108, 12, 115, 32, true},
        {"imgTeddy1", 152, 12, 159, 32, true},
        {"imgTeddy1", 191, 12, 199, 32, true},
        {"imgTeddy1", 237, 12, 243, 32, true},
        {"imgTeddy1", 116, 12, 151, 32, false},
        {"imgTeddy1", 200, 12, 236, 32, false},
        {"imgTeddy1", 108, 39, 159, 44, true},
        {"imgTeddy1", 87, 33, 107, 44, false},
        {"imgTeddy1", 87, 45, 254, 92, true},
        {"imgCorset3", 91, 48, 255, 50, true},
        {"imgCorset3", 0, 0, 255, 44, false},
        {"imgCorset2", 88, 41, 193, 85, true},
        {"imgCorset2", 88, 86, 199, 89, false},
        {"imgCorset2", 200, 86, 211, 89, true},
        {"imgCorset2", 225, 86, 238, 89, true},
        {"imgCorset2", 239, 86, 255, 89, false},
        {"imgCorset2", 88, 90, 211, 93, true},
        {"imgCorset2", 225, 90, 255, 93, true},
    };
    for (const Case& c : cases) {
        const MaskGrid grid = drawn(c.mask);
        int wrong = 0;
        for (int y = c.top; y <= c.bottom; ++y)
            for (int x = c.left; x <= c.right; ++x)
                wrong += grid.isBlack(x, y) != c.black;
        EXPECT_EQ(wrong, 0) << c.mask << " (" << c.left << ", " << c.top << ")-(" << c.right << ", "
                            << c.bottom << ") should be all " << (c.black ? "black" : "white");
    }
}

TEST(SecondMasks, RowsWithDescribedColumnsHaveExactlyThoseBlackRuns) {
    struct Case {
        std::string_view mask;
        int row;
        std::vector<std::pair<int, int>> runs;
    };
    const Case cases[] = {
        {"imgPJ3", 15, {{113, 114}, {149, 150}, {197, 198}, {236, 237}}},
        {"img404", 62, {{0, 216}, {220, 255}}}, // the opening below the right notch starts three wide
        {"img404", 78, {{0, 203}, {234, 255}}}, // and reaches columns 204-233
        {"img404", 79, {{0, 89}}},
        {"imgB772piece", 12, {{90, 110}, {159, 194}, {243, 255}}},
        {"imgb77onepiece", 17, {{90, 112}, {152, 197}, {239, 255}}},
        {"imgb328", 126, {{95, 175}}},
        {"imgB328legs", 125, {{86, 89}}},
        {"imgB328legs", 126, {{86, 94}, {176, 255}}},
        {"imgCorset2", 38, {{88, 119}, {151, 193}, {244, 255}}},
        {"imgCorset2", 50, {{88, 216}, {220, 255}}}, // the neckline narrowed into the lacing slit
    };
    for (const Case& c : cases)
        EXPECT_EQ(blackRuns(drawn(c.mask), c.row), c.runs) << c.mask << " row " << c.row;
}

TEST(SecondMasks, PointsNarrowSteadilyToTheirTipPixels) {
    struct Case {
        std::string_view mask;
        int windowLeft, windowRight; // the columns that hold this point and no other black below the band
        int fromRow;                 // first row below the band (or below a lacing that splits the point)
        int tipX, tipY;
    };
    const Case cases[] = {
        {"imgCouvrelle", 0, 176, 94, 135, 118},   {"imgCouvrelle", 177, 255, 94, 218, 117},
        {"imgPJ3", 0, 176, 92, 134, 117},         {"imgPJ3", 177, 255, 92, 218, 116},
        {"imgBand2bikini", 0, 176, 92, 134, 117}, {"imgBand2bikini", 177, 255, 92, 218, 116},
        {"imgBandBikini", 0, 176, 92, 134, 117},  {"imgBandBikini", 177, 255, 92, 218, 117},
        {"imgOnePiece", 0, 177, 85, 136, 115},    {"imgOnePiece", 178, 255, 85, 220, 115},
        {"imgBikini3", 0, 176, 94, 134, 115},     {"imgBikini3", 177, 255, 94, 218, 117},
        {"imgb328", 0, 255, 126, 133, 157},       {"imgTeddy2", 0, 176, 94, 134, 117},
        {"imgTeddy2", 177, 255, 94, 218, 117},    {"imgTeddy1", 0, 176, 93, 134, 114},
        {"imgTeddy1", 177, 255, 93, 217, 114},    {"imgCorset3", 0, 172, 84, 133, 111},
        {"imgCorset3", 173, 255, 93, 217, 116},   {"imgCorset2", 0, 172, 94, 134, 106},
        {"imgCorset2", 173, 255, 100, 218, 116},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " tip " + std::to_string(c.tipX) + ", " + std::to_string(c.tipY));
        const MaskGrid grid = drawn(c.mask);
        int previousWidth = c.windowRight - c.windowLeft + 1;
        for (int y = c.fromRow; y <= c.tipY; ++y) {
            const auto runs = blackRuns(grid, y, c.windowLeft, c.windowRight);
            ASSERT_EQ(runs.size(), 1u) << "row " << y;
            EXPECT_LE(runs[0].first, c.tipX) << "row " << y;
            EXPECT_GE(runs[0].second, c.tipX) << "row " << y;
            const int width = runs[0].second - runs[0].first + 1;
            EXPECT_LE(width, previousWidth) << "row " << y;
            previousWidth = width;
        }
        EXPECT_EQ(blackRuns(grid, c.tipY, c.windowLeft, c.windowRight),
                  (std::vector<std::pair<int, int>>{{c.tipX, c.tipX}}));
        for (int y = c.tipY + 1; y < 256; ++y)
            EXPECT_TRUE(blackRuns(grid, y, c.windowLeft, c.windowRight).empty()) << "row " << y;
    }
}

TEST(SecondMasks, NotchesNarrowDownwardsAndCloseByTheirRow) {
    struct Case {
        std::string_view mask;
        int top, left, right; // white columns at the block's top row
        int closedBy;         // first row black all across the notch
    };
    const Case cases[] = {
        {"imgCouvrelle", 17, 216, 221, 38}, // the front arms join into one piece
        {"img404", 12, 108, 157, 27},         {"img404", 12, 185, 251, 50},
        {"imgB772piece", 12, 111, 158, 25},   {"imgB772piece", 12, 195, 242, 31},
        {"imgb77onepiece", 17, 113, 151, 23}, {"imgb77onepiece", 17, 198, 238, 47},
        {"imgCorset2", 38, 120, 150, 41},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " notch at " + std::to_string(c.left));
        const MaskGrid grid = drawn(c.mask);
        EXPECT_TRUE(grid.isBlack(c.left - 1, c.top));
        EXPECT_TRUE(grid.isBlack(c.right + 1, c.top));
        int previousWidth = c.right - c.left + 2;
        for (int y = c.top; y < c.closedBy; ++y) {
            const auto black = blackRuns(grid, y, c.left, c.right);
            // One white run: black only at the two sides.
            int white = 0, runs = 0;
            for (int x = c.left; x <= c.right; ++x) {
                white += !grid.isBlack(x, y);
                runs += !grid.isBlack(x, y) && (x == c.left || grid.isBlack(x - 1, y));
            }
            EXPECT_EQ(runs, 1) << "row " << y;
            EXPECT_LE(white, previousWidth) << "row " << y;
            previousWidth = white;
            if (y == c.top) {
                EXPECT_TRUE(black.empty());
            }
        }
        EXPECT_EQ(blackRuns(grid, c.closedBy, c.left, c.right),
                  (std::vector<std::pair<int, int>>{{c.left, c.right}}));
    }
    // The right notch of 404 narrows to column 218 alone.
    EXPECT_EQ(blackRuns(drawn("img404"), 49, 185, 251),
              (std::vector<std::pair<int, int>>{{185, 217}, {219, 251}}));
    // The cups of PJs3 meet by row 42.
    const MaskGrid pj3 = drawn("imgPJ3");
    EXPECT_FALSE(pj3.isBlack(218, 41));
    EXPECT_TRUE(pj3.isBlack(218, 42));
}

TEST(SecondMasks, LacingCutsThroughTheCorsets) {
    // Corset3: a two-pixel white line down columns 217-218 from row 51 to row 92, crossed by
    // black every six rows.
    const MaskGrid corset3 = drawn("imgCorset3");
    std::vector<int> crossings;
    for (int y = 51; y <= 92; ++y) {
        EXPECT_EQ(corset3.isBlack(217, y), corset3.isBlack(218, y)) << "row " << y;
        if (corset3.isBlack(217, y)) crossings.push_back(y);
        EXPECT_TRUE(corset3.isBlack(216, y) && corset3.isBlack(219, y)) << "row " << y;
    }
    EXPECT_FALSE(corset3.isBlack(217, 51));
    EXPECT_FALSE(corset3.isBlack(217, 92));
    ASSERT_GE(crossings.size(), 6u);
    for (std::size_t i = 1; i < crossings.size(); ++i)
        EXPECT_EQ(crossings[i] - crossings[i - 1], 6);
    EXPECT_TRUE(corset3.isBlack(217, 93));

    // Corset2: every white pixel of the front below the neckline, rows 50-99, belongs to the
    // lacing along columns 212-224, and its slit is open all the way.
    const MaskGrid corset2 = drawn("imgCorset2");
    for (int y = 50; y <= 99; ++y) {
        EXPECT_FALSE(corset2.isBlack(218, y)) << "row " << y;
        if (y >= 86 && y <= 89) continue; // the bare waist around the lacing
        for (int x = 194; x <= 243; ++x)
            if (!corset2.isBlack(x, y) && y <= 93) {
                EXPECT_TRUE(x >= 212 && x <= 224) << x << ", " << y;
            }
    }
    EXPECT_TRUE(corset2.isBlack(218, 100));
}

TEST(SecondMasks, B328TopAndLegsAreComplementsOverTheBody) {
    const MaskGrid top = drawn("imgb328"), legs = drawn("imgB328legs");
    int overlapping = 0, uncovered = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 90; x < 256; ++x) {
            overlapping += top.isBlack(x, y) && legs.isBlack(x, y);
            uncovered += !top.isBlack(x, y) && !legs.isBlack(x, y);
        }
    EXPECT_EQ(overlapping, 0);
    EXPECT_EQ(uncovered, 0);
    // Beside the arm strip the top reaches column 88 down to row 125 and the legs column 86
    // from row 125 on; further left both are bare.
    for (int y = 0; y < 256; ++y) {
        EXPECT_EQ(blackRuns(top, y, 0, 89).empty(), y > 125) << "row " << y;
        EXPECT_EQ(blackRuns(legs, y, 0, 89).empty(), y < 125) << "row " << y;
    }
    EXPECT_EQ(blackRuns(top, 0, 0, 89), (std::vector<std::pair<int, int>>{{88, 89}}));
    EXPECT_EQ(blackRuns(legs, 200, 0, 89), (std::vector<std::pair<int, int>>{{86, 89}}));
}

TEST(SecondMasks, Bikini3NeckStringIsOneThinUnbrokenCurve) {
    const MaskGrid grid = drawn("imgBikini3");
    int previousTop = -1;
    for (int x = 114; x <= 159; ++x) {
        const std::vector<int> rows = [&] {
            std::vector<int> found;
            for (int y = 0; y < 30; ++y)
                if (grid.isBlack(x, y)) found.push_back(y);
            return found;
        }();
        ASSERT_FALSE(rows.empty()) << x;
        EXPECT_GE(rows.front(), 10) << x;
        EXPECT_LE(rows.back(), 14) << x;
        EXPECT_LE(rows.size(), 2u) << x;
        if (previousTop >= 0) {
            EXPECT_LE(std::abs(rows.front() - previousTop), 1) << x;
        }
        previousTop = rows.front();
    }
    EXPECT_TRUE(blackRuns(grid, 12, 0, 113).empty());
    EXPECT_TRUE(blackRuns(grid, 12, 160, 189).empty());
}

} // namespace
