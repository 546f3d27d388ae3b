// The outfit masks of the holders frmMasks3, frmMasks4 and frmMasks5: swimsuits, bikinis,
// teddies, corsets and the two halves of the b328 outfit. Black is the garment.

#include "tools/draw_library/mask_shapes.h"
#include "tools/draw_library/masks.h"

namespace draw {
namespace {

using core::kArmRight;

// A black block over columns left..right and rows top..bottom whose upper corners are rounded
// off over `topRadius` rows and whose lower corners over `bottomRadius` rows.
void fillRounded(MaskGrid& grid, int left, int top, int right, int bottom, int topRadius, int bottomRadius) {
    const Span full{double(left), double(right)};
    fillTaper(grid, top, {double(left + topRadius), double(right - topRadius)}, top + topRadius, full, 0.5);
    fillRect(grid, left, top + topRadius, right, bottom - bottomRadius);
    fillTaper(grid, bottom, {double(left + bottomRadius), double(right - bottomRadius)},
              bottom - bottomRadius, full, 0.5);
}

MaskGrid couvrelle() {
    MaskGrid grid;
    // Front: two halter arms that widen and meet in a V neckline, flaring out to the sides
    // just above the band.
    fillTaper(grid, 17, {198, 238}, 60, {184, 246}, 2);
    cutNotch(grid, 17, {216, 221}, 38, {218, 219}, 1.2);
    // Back: open above the band but for a panel rising in its middle.
    fillTaper(grid, 52, {126, 140}, 61, {89, kBackHalf.right}, 2.4);
    fillHipBand(grid, 89, 61, kLast, 93, {{121, 149}, 135, 118}, {{204, 232}, 218, 117});
    return grid;
}

MaskGrid pj3() {
    MaskGrid grid;
    // Two overlapping round cups whose lower halves vanish in the band; the dip between them
    // closes by row 42.
    fillEllipse(grid, 207, 51.5, 15, 15.5);
    fillEllipse(grid, 230, 51.5, 15, 15.5);
    // Two-pixel shoulder straps down to the back and the cups.
    fillRect(grid, 113, 15, 114, 46);
    fillRect(grid, 149, 15, 150, 46);
    fillRect(grid, 197, 15, 198, 44);
    fillRect(grid, 236, 15, 237, 44);
    fillHipBand(grid, 88, 47, kLast, 91, {{112, 156}, 134, 117}, {{196, 240}, 218, 116});
    return grid;
}

MaskGrid band2Bikini() {
    MaskGrid grid;
    fillRect(grid, 88, 42, kLast, 45);
    fillRounded(grid, 187, 38, 217, 49, 3, 4);
    fillRounded(grid, 219, 38, 249, 49, 3, 4);
    fillHipBand(grid, 88, 87, kLast, 91, {{120, 148}, 134, 117}, {{204, 232}, 218, 116});
    return grid;
}

MaskGrid pompette() {
    MaskGrid grid;
    fillRect(grid, 87, 10, kLast, 52);
    // The hem of the top rounds down a little under each breast.
    fillBow(grid, {190, 208}, 53, 1, 0, 3);
    fillBow(grid, {223, 241}, 53, 1, 0, 3);
    fillRect(grid, 89, 91, kLast, 125);
    return grid;
}

MaskGrid bandBikini() {
    MaskGrid grid;
    fillRect(grid, 88, 40, kLast, 54);
    fillHipBand(grid, 88, 86, kLast, 91, {{120, 148}, 134, 117}, {{202, 234}, 218, 117});
    return grid;
}

MaskGrid onePiece() {
    MaskGrid grid;
    // Back: a neck piece narrowing into one strap down the spine, met by the sides of the
    // suit closing in from both edges.
    fillRect(grid, 107, 7, 163, 8);
    fillTaper(grid, 9, {107, 163}, 17, {133, 139}, 0.45);
    fillRect(grid, 133, 17, 139, 64);
    fillTaper(grid, 42, {85, 86}, 64, {85, 133}, 0.7);
    fillTaper(grid, 42, {171, 172}, 64, {139, kBackHalf.right}, 0.7);
    // Front: two narrow straps joining into a panel that wraps round to the back at the sides.
    fillTaper(grid, 14, {201, 237}, 52, {157, kLast}, 2);
    fillRect(grid, 157, 52, kLast, 64);
    cutNotch(grid, 14, {209, 230}, 36, {219, 220}, 1.5);
    // Wide rounded points under the full hip band.
    fillHipBand(grid, 85, 65, kLast, 84, {{109, 163}, 136, 115}, {{193, 247}, 220, 115}, 1.7);
    return grid;
}

MaskGrid partyGirl() {
    MaskGrid grid;
    fillRect(grid, 88, 0, 91, 11); // the halter string at the back seam
    fillRect(grid, kArmRight, 12, kLast, 78);
    cutNotch(grid, 12, {108, 157}, 27, {132, 133}, 1.6);
    cutNotch(grid, 12, {185, 251}, 50, {218, 218}, 1.8);
    // The wings of the top part at the front, opening towards the waist.
    fillTaper(grid, 62, {217, 219}, 78, {204, 233}, 1, false);
    fillArms(grid, 29, 87);
    fillRect(grid, 0, 88, kLast, 227);
    fillRect(grid, kArmRight, 228, kLast, 228);
    return grid;
}

MaskGrid bikini3() {
    MaskGrid grid;
    // Two triangle cups and the line under them.
    fillTaper(grid, 30, {203, 204}, 56, {190, 216}, 0.9);
    fillTaper(grid, 30, {230, 231}, 56, {218, 244}, 0.9);
    fillRect(grid, 87, 55, kLast, 55);
    // The neck string, two pixels thick, sagging from row 10 at its ends to row 14 in its middle.
    for (int x = 114; x <= 159; ++x) {
        const double across = (x - 136.5) / 22.5;
        const int top = int(10 + 3 * (1 - across * across) + 0.5);
        fillRect(grid, x, top, x, top + 1);
    }
    fillRect(grid, 87, 91, kLast, 93);
    fillRect(grid, 130, 94, 139, 101);
    fillTaper(grid, 102, {130, 139}, 115, {134, 134}, 0.4);
    fillPoint(grid, 94, {207, 229}, 218, 117);
    return grid;
}

MaskGrid b772Piece() {
    MaskGrid grid;
    fillRect(grid, kArmRight, 12, kLast, 79);
    cutNotch(grid, 12, {111, 158}, 25, {134, 135}, 2.5);
    cutNotch(grid, 12, {195, 242}, 31, {218, 219}, 2.5);
    fillRect(grid, kArmRight, 89, kLast, 164);
    fillArms(grid, 46, 199);
    return grid;
}

// The V under the back that the b328 top ends in and the b328 legs leave open.
void fillB328Point(MaskGrid& grid) {
    fillPoint(grid, 126, {95, 175}, 133, 157, 1.2);
}

MaskGrid b328() {
    MaskGrid grid;
    fillRect(grid, 88, 0, kLast, 125);
    fillB328Point(grid);
    return grid;
}

MaskGrid b328Legs() {
    // The complement of the top within the body area, plus the seam columns beside the arms.
    const MaskGrid top = b328();
    MaskGrid grid;
    for (int y = 0; y <= kLast; ++y)
        for (int x = kArmRight; x <= kLast; ++x)
            grid.set(x, y, !top.isBlack(x, y));
    fillRect(grid, 86, 125, core::lastBefore(kArmRight), kLast);
    return grid;
}

MaskGrid b77OnePiece() {
    MaskGrid grid;
    fillRect(grid, kArmRight, 17, kLast, 164);
    cutNotch(grid, 17, {113, 151}, 23, {127, 137}, 2);
    cutNotch(grid, 17, {198, 238}, 47, {218, 218}, 2.6);
    fillArms(grid, 19, 231);
    return grid;
}

MaskGrid teddy2() {
    MaskGrid grid;
    fillBow(grid, {190, 217}, 46, -1, 0, 13);
    fillBow(grid, {219, 246}, 46, -1, 0, 13);
    fillHipBand(grid, 88, 47, 254, 93, {{118, 150}, 134, 117}, {{202, 234}, 218, 117});
    return grid;
}

MaskGrid teddy1() {
    MaskGrid grid;
    fillRect(grid, 108, 12, 115, 32);
    fillRect(grid, 152, 12, 159, 32);
    fillRect(grid, 191, 12, 199, 32);
    fillRect(grid, 237, 12, 243, 32);
    fillRounded(grid, 108, 33, 159, 44, 6, 0);
    fillRounded(grid, 191, 33, 243, 44, 6, 0);
    fillHipBand(grid, 87, 45, 254, 92, {{120, 148}, 134, 114}, {{203, 231}, 217, 114});
    return grid;
}

// A two-pixel white lacing line down columns 217-218, crossed by black every `period` rows.
void cutLacing(MaskGrid& grid, int top, int bottom, int period, int firstCross) {
    for (int y = top; y <= bottom; ++y) {
        const bool crossed = y >= firstCross && (y - firstCross) % period == 0;
        if (!crossed) fillRect(grid, 217, y, 218, y, false);
    }
}

MaskGrid corset3() {
    MaskGrid grid;
    // Below the block each half narrows along hollow sides to a point.
    fillHipBand(grid, 91, 48, kLast, 83, {{91, kBackHalf.right}, 133, 111}, {kFrontHalf, 217, 116}, 0.35);
    // Scalloped upper edge: a row of small arches rising to row 45.
    for (double centre = 97; centre < kLast + 6; centre += 12)
        fillEllipse(grid, centre, 48, 6, 3);
    cutLacing(grid, 51, 92, 6, 54);
    return grid;
}

MaskGrid corset2() {
    MaskGrid grid;
    fillRect(grid, 88, 38, kLast, 85);
    cutNotch(grid, 38, {120, 150}, 41, {127, 143});
    // The two edges of the laced front reach down over the waist to the band.
    fillRect(grid, 200, 86, 214, 89);
    fillRect(grid, 222, 86, 238, 89);
    fillHipBand(grid, 88, 90, kLast, 93, {{124, 144}, 134, 106}, {{204, 232}, 218, 116});
    // The neckline narrows into the lacing slit, crossed by laces down to the band's point.
    fillTaper(grid, 38, {194, 243}, 50, {217, 219}, 1.4, false);
    fillRect(grid, 217, 50, 219, 99, false);
    for (int y = 52; y + 8 <= 99; y += 8) {
        drawLine(grid, {212.5, y + 0.5}, {224.5, y + 8.5}, 1.3, false);
        drawLine(grid, {224.5, y + 0.5}, {212.5, y + 8.5}, 1.3, false);
    }
    return grid;
}

} // namespace

std::vector<MaskEntry> secondMasks() {
    return {
        {"imgCouvrelle", couvrelle},     {"imgPJ3", pj3},
        {"imgBand2bikini", band2Bikini}, {"imgPompette", pompette},
        {"imgBandBikini", bandBikini},   {"imgOnePiece", onePiece},
        {"img404", partyGirl},           {"imgBikini3", bikini3},
        {"imgB772piece", b772Piece},     {"imgb328", b328},
        {"imgb77onepiece", b77OnePiece}, {"imgTeddy2", teddy2},
        {"imgTeddy1", teddy1},           {"imgCorset3", corset3},
        {"imgCorset2", corset2},         {"imgB328legs", b328Legs},
    };
}

} // namespace draw
