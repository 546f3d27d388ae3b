// The outfit masks of the holders frmPics (the bodysuit), frmMasks and frmMasks2: bodysuits,
// pyjamas, blouses, briefs, tops, corsets, bikinis and dresses. Black is the garment.

#include "tools/draw_library/mask_shapes.h"
#include "tools/draw_library/masks.h"

namespace draw {
namespace {

using core::kArmRight;

MaskGrid bodySuit() {
    MaskGrid grid;
    fillArms(grid, 5, 250);
    fillHipBand(grid, kArmRight, 14, kLast, 94, {{124, 144}, 134, 116}, {{208, 228}, 218, 114}, 0.8);
    cutNotch(grid, 14, {110, 158}, 29, {133, 135}, 2.4);
    cutNotch(grid, 14, {192, 243}, 26, {216, 219}, 2.4);
    return grid;
}

// The top shared by the fourth pyjamas and the long blouse: a round neck at the back and a
// deep one at the front, and sleeves over the upper arms.
void fillPJs4Top(MaskGrid& grid, int bottom) {
    fillRect(grid, kArmRight, 12, kLast, bottom);
    cutNotch(grid, 12, {119, 149}, 19, {133, 135}, 1.5);
    cutNotch(grid, 12, {192, 242}, 36, {216, 218}, 1.8);
    fillArms(grid, 84, 170);
}

MaskGrid pjs4() {
    MaskGrid grid;
    fillPJs4Top(grid, 74);
    fillHipBand(grid, kArmRight, 88, kLast, 91, {{122, 146}, 134, 117}, {{206, 230}, 218, 116});
    return grid;
}

MaskGrid blouseLong() {
    MaskGrid grid;
    fillPJs4Top(grid, 236);
    // The hem curves up towards the side seams.
    fillBow(grid, kBackHalf, 236, -1, 5, 0, false);
    fillBow(grid, kFrontHalf, 236, -1, 5, 0, false);
    return grid;
}

MaskGrid robeBoxer() {
    MaskGrid grid;
    fillArms(grid, 0, kLast);
    fillRect(grid, kArmRight, 8, kLast, 140);
    cutNotch(grid, 8, {117, 151}, 18, {130, 138}, 2);
    // The robe hangs open at the front: a slit, wider at the collar.
    fillRect(grid, 202, 8, 234, 11, false);
    fillRect(grid, 205, 12, 230, 91, false);
    // The boxer legs part below the crotch.
    fillTaper(grid, 140, {120, 148}, 120, {134, 134}, 1, false);
    fillTaper(grid, 140, {204, 232}, 120, {218, 218}, 1, false);
    return grid;
}

MaskGrid speedo() {
    MaskGrid grid;
    fillRect(grid, 92, 96, kLast, 106);
    fillTaper(grid, 107, {100, 168}, 121, {120, 147}, 1);
    fillTaper(grid, 107, {190, 246}, 120, {215, 221}, 1);
    return grid;
}

MaskGrid pjs2() {
    MaskGrid grid;
    fillRect(grid, 89, 47, kLast, 77);
    fillRect(grid, 114, 29, 153, 46);
    fillBow(grid, {189, 246}, 46, -1, 12, 18);
    fillRect(grid, 116, 14, 117, 28);
    fillRect(grid, 150, 14, 151, 28);
    fillRect(grid, 196, 14, 197, 32);
    fillRect(grid, 238, 14, 239, 32);
    drawLine(grid, {90, 85.5}, {127, 104}, 2);
    drawLine(grid, {172, 85.5}, {141, 104}, 2);
    drawLine(grid, {173, 85.5}, {211, 103}, 2);
    drawLine(grid, {kLast, 85.5}, {225, 103}, 2);
    fillPoint(grid, 104, {127, 141}, 134, 118);
    fillPoint(grid, 103, {211, 225}, 218, 117);
    return grid;
}

MaskGrid tankTop() {
    MaskGrid grid;
    fillRect(grid, 89, 43, kLast, 125);
    fillRect(grid, 110, 11, 156, 24);
    fillRect(grid, 197, 11, 239, 24);
    fillTaper(grid, 24, {110, 156}, 43, {89, kBackHalf.right}, 3.2);
    fillTaper(grid, 24, {197, 239}, 43, kFrontHalf, 3.2);
    return grid;
}

MaskGrid corset() {
    MaskGrid grid;
    fillHipBand(grid, 89, 45, kLast, 93, {{118, 150}, 134, 119}, {{202, 234}, 218, 117});
    for (int y = 46; y <= 91; ++y)
        if ((y - 46) % 5 != 4) fillRect(grid, 217, y, 218, y, false);
    return grid;
}

MaskGrid thong() {
    MaskGrid grid;
    fillRect(grid, 86, 46, kLast, 48);
    fillTaper(grid, 36, {198, 199}, 54, {188, 209});
    fillTaper(grid, 36, {238, 239}, 54, {226, 251});
    for (int y = 14; y < 36; y += 3) {
        fillRect(grid, 198, y, 199, y);
        fillRect(grid, 238, y, 239, y);
    }
    fillHipBand(grid, 86, 90, kLast, 93, {{122, 148}, 135, 119}, {{205, 231}, 218, 117}, 0.8);
    return grid;
}

MaskGrid pjs1() {
    MaskGrid grid;
    fillRect(grid, 89, 37, kLast, 79);
    fillBow(grid, {100, 168}, 36, -1, 0, 7);
    fillBow(grid, {184, 252}, 36, -1, 0, 7);
    fillTaper(grid, 11, {115, 116}, 32, {116, 117});
    fillTaper(grid, 11, {152, 153}, 32, {151, 152});
    fillTaper(grid, 11, {196, 197}, 32, {199, 200});
    fillTaper(grid, 11, {240, 241}, 32, {238, 239});
    fillHipBand(grid, 89, 88, kLast, 91, {{119, 149}, 134, 117}, {{203, 233}, 218, 116});
    return grid;
}

MaskGrid miniDress() {
    MaskGrid grid;
    fillRect(grid, kArmRight, 14, kLast, 125);
    cutNotch(grid, 14, {115, 150}, 24, {132, 133}, 2.5);
    cutNotch(grid, 14, {196, 239}, 41, {217, 218}, 2.5);
    fillArms(grid, 31, 216);
    return grid;
}

MaskGrid minicorset() {
    MaskGrid grid;
    fillRect(grid, 86, 48, kLast, 67);
    for (int y = 49; y + 6 <= 67; y += 6) {
        drawLine(grid, {127.5, y + 0.0}, {141.5, y + 6.0}, 1.2, false);
        drawLine(grid, {141.5, y + 0.0}, {127.5, y + 6.0}, 1.2, false);
    }
    fillBow(grid, {186, 216}, 47, -1, 2, 10);
    fillBow(grid, {218, 248}, 47, -1, 2, 10);
    fillHipBand(grid, 86, 88, kLast, 91, {{120, 148}, 134, 117}, {{204, 232}, 218, 116});
    return grid;
}

MaskGrid bimbo() {
    MaskGrid grid;
    fillRect(grid, kArmRight, 11, kLast, 58);
    cutNotch(grid, 11, {119, 149}, 24, {133, 135}, 2.2);
    cutNotch(grid, 11, {195, 238}, 46, {214, 219}, 2.2);
    fillRect(grid, 0, 90, kLast, 156);
    fillRect(grid, 92, 157, kLast, kLast);
    return grid;
}

MaskGrid tamsine() {
    MaskGrid grid;
    fillRect(grid, 100, 15, kLast, 66);
    fillRect(grid, 191, 12, 197, 14);
    fillRect(grid, 239, 12, 245, 14);
    cutNotch(grid, 15, {121, 147}, 27, {133, 135}, 2.5);
    cutNotch(grid, 15, {198, 238}, 39, {217, 219}, 2.5);
    fillRect(grid, 92, 84, kLast, 131);
    fillBow(grid, {92, kBackHalf.right}, 83, -1, 0, 5);
    fillBow(grid, kFrontHalf, 83, -1, 0, 5);
    // The shorts' legs part below the crotch.
    fillTaper(grid, 131, {122, 146}, 119, {134, 134}, 1, false);
    fillTaper(grid, 131, {206, 230}, 119, {218, 218}, 1, false);
    fillArms(grid, 94, 153);
    return grid;
}

MaskGrid lurette() {
    MaskGrid grid;
    fillRect(grid, 91, 65, kLast, 161);
    fillBow(grid, {91, kBackHalf.right}, 162, 1, 0, 3);
    fillBow(grid, {180, 214}, 42, -1, 0, 7);
    fillBow(grid, {215, 249}, 42, -1, 0, 7);
    fillTaper(grid, 42, {180, 249}, 65, kFrontHalf, 3);
    fillTaper(grid, 47, {110, 118}, 65, {91, 131}, 3.2);
    fillTaper(grid, 47, {146, 154}, 65, {132, kBackHalf.right}, 3.2);
    return grid;
}

MaskGrid flirt() {
    MaskGrid grid;
    fillRect(grid, kArmRight, 9, kLast, 150);
    cutNotch(grid, 9, {116, 151}, 22, {133, 134}, 3);
    cutNotch(grid, 9, {193, 242}, 48, {217, 218}, 3);
    fillBow(grid, kBackHalf, 151, 1, 0, 3);
    fillArms(grid, 97, 150);
    return grid;
}

MaskGrid bikini() {
    MaskGrid grid;
    fillRect(grid, 88, 49, kLast, 51);
    fillTaper(grid, 32, {203, 204}, 55, {191, 217});
    fillTaper(grid, 32, {232, 233}, 55, {219, 245});
    drawLine(grid, {204, 32}, {208, 21}, 1.5);
    drawLine(grid, {232, 32}, {228, 21}, 1.5);
    fillRect(grid, 125, 16, 141, 16);
    drawLine(grid, {130.5, 52}, {136.5, 64}, 1.5);
    fillHipBand(grid, 88, 91, kLast, 93, {{105, 163}, 134, 118}, {{189, 247}, 218, 117});
    drawLine(grid, {108.5, 94}, {100.5, 104}, 1.5);
    drawLine(grid, {164.5, 94}, {166.5, 104}, 1.5);
    return grid;
}

MaskGrid surfer() {
    MaskGrid grid;
    fillRect(grid, kArmRight, 92, kLast, 170);
    fillRect(grid, 97, 171, 171, 171);
    return grid;
}

MaskGrid virelle() {
    MaskGrid grid;
    fillArms(grid, 0, kLast);
    fillRect(grid, kArmRight, 13, kLast, 82);
    cutNotch(grid, 13, {119, 149}, 27, {130, 138}, 2.5);
    cutNotch(grid, 13, {197, 242}, 39, {212, 227}, 2.5);
    fillRect(grid, kArmRight, 91, kLast, 125);
    // Leg openings.
    fillBow(grid, kBackHalf, 125, -1, 18, 0, false);
    fillBow(grid, kFrontHalf, 125, -1, 18, 0, false);
    return grid;
}

} // namespace

std::vector<MaskEntry> firstMasks() {
    return {
        {"imgBodySuit", bodySuit},   {"imgPJs4", pjs4},           {"imgBlouseLong", blouseLong},
        {"imgRobeBoxer", robeBoxer}, {"imgSpeedo", speedo},       {"imgPJs2", pjs2},
        {"imgTankTop", tankTop},     {"imgCorset", corset},       {"imgThong", thong},
        {"imgPJs1", pjs1},           {"imgMiniDress", miniDress}, {"imgMinicorset", minicorset},
        {"imgBimbo", bimbo},         {"imgTamsine", tamsine},     {"imgLurette", lurette},
        {"imgFlirt", flirt},         {"imgBikini", bikini},       {"imgSurfer", surfer},
        {"imgVirelle", virelle},
    };
}

} // namespace draw
