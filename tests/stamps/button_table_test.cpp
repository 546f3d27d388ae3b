// Every row of the button table against the window's layout and the paint steps written out
// by hand: each step is described as "picture -> canvas X1,Y1,W1,H1 <- X2,Y2,W2,H2 OP", with
// "*" for an omitted source size and "band" for rows taken from the row marker.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "stamps/button_table.h"

namespace {

using stamps::ButtonSpec;
using stamps::PaintStep;
using stamps::PictureSource;
using G = stamps::Group;

std::string describe(const PaintStep& step) {
    std::string text;
    switch (step.source) {
    case PictureSource::SourcePicture:
        text = "picSource.Picture";
        break;
    case PictureSource::TargetPicture:
        text = "picTarget.Picture";
        break;
    case PictureSource::SourceImage:
        text = "picSource.Image";
        break;
    case PictureSource::Library:
        text = std::string(core::imageName(step.image));
        break;
    }
    text += step.destination == stamps::CanvasId::picSource ? " -> picSource " : " -> picTarget ";
    const core::PaintArgs& a = step.args;
    const auto num = [](auto v) { return std::to_string(int(v)); };
    const auto row = [&](auto v) { return step.bandRows ? std::string("band") : num(v); };
    const auto size2 = [&](const std::optional<std::int16_t>& v, bool isRow) {
        if (!v) return std::string("*");
        return isRow ? row(*v) : num(*v);
    };
    text += num(a.x1) + "," + row(a.y1) + "," + num(a.width1) + "," + row(a.height1) + " <- ";
    text += num(a.x2) + "," + row(a.y2) + "," + size2(a.width2, false) + "," + size2(a.height2, true) + " ";
    text += core::rasterOpName(a.op);
    return text;
}

// A region of the loaded source picture, copied unscaled to the same place of the destination.
std::string copy(int x, int y, int w, int h) {
    const std::string r =
        std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(w) + "," + std::to_string(h);
    return "picSource.Picture -> picTarget " + r + " <- " + r + " SRCCOPY";
}
// A leg copy: columns 90-255 from row y down, source sizes omitted.
std::string legs(int y, int h) {
    const std::string y_ = std::to_string(y);
    return "picSource.Picture -> picTarget 90," + y_ + ",166," + std::to_string(h) + " <- 90," + y_ +
           ",*,* SRCCOPY";
}
std::vector<std::string> mask(const std::string& image) {
    return {image + " -> picTarget 0,0,256,256 <- 0,0,256,256 SRCPAINT",
            image + " -> picSource 0,0,256,256 <- 0,0,256,256 NOTSRCCOPY"};
}
std::vector<std::string> fill(const std::string& body) {
    return {body + " -> picSource 0,0,256,256 <- 0,0,256,256 SRCPAINT",
            "picSource.Image -> picTarget 0,0,256,256 <- 0,0,256,256 SRCAND"};
}
std::string band(const std::string& picture) {
    return picture + " -> picTarget 90,band,166,band <- 90,band,166,band SRCCOPY";
}

// Left, top, width, height: comparable as a whole, printed by the test framework.
std::vector<int> twips(const stamps::Twips& t) {
    return {t.left, t.top, t.width, t.height};
}
std::string font(const std::optional<stamps::FontSpec>& f) {
    if (!f) return "default";
    return std::string(f->family) + " " + std::to_string(f->points) + (f->bold ? " bold" : "");
}

struct Expected {
    std::string name;
    std::string caption;
    G group;
    stamps::Twips place;
    int tabIndex; // -1: no fixed place in the focus order
    std::vector<std::string> steps;
};

// clang-format off
const std::vector<Expected> kExpected = {
    {"Command36", "About", G::Ungrouped, {240, 120, 855, 255}, -1, {}},
    {"Command28", "Delete", G::Ungrouped, {3360, 2160, 615, 375}, -1, {}},
    {"Command37", "Delete", G::Ungrouped, {0, 6000, 375, 495}, -1, {}},
    {"Command1", "Miniskirt 200/69/24", G::CopyLegs, {0, 6720, 1095, 375}, 6, {legs(126, 130)}},
    {"Command6", "Midskirt7/77/8", G::CopyLegs, {0, 7080, 1095, 255}, 14, {legs(165, 91)}},
    {"Command29", "Shorts b001F", G::CopyLegs, {0, 7320, 1095, 255}, 38, {copy(103, 162, 68, 2), legs(131, 125)}},
    {"Command30", "Shortsb001M", G::CopyLegs, {0, 7560, 1095, 255}, 40, {legs(143, 113)}},
    {"Command91", "B20 Fa Fit", G::CopyLegs, {0, 7800, 1095, 255}, 111, {legs(201, 55)}},
    {"Command96", "b475", G::CopyLegs, {0, 8040, 1095, 255}, 116, {"picSource.Picture -> picTarget 90,227,166,29 <- 90,222,*,* SRCCOPY"}},
    {"Command34", "Tiny", G::Arms, {1080, 6720, 735, 375}, 45, {copy(0, 0, 91, 8), copy(0, 241, 91, 15)}},
    {"Command31", "Short", G::Arms, {1080, 7080, 735, 375}, 42, {copy(0, 0, 91, 24), copy(0, 225, 91, 31)}},
    {"Command35", "SGloves", G::Arms, {1080, 7440, 735, 375}, 46, {copy(0, 0, 91, 64), copy(0, 185, 91, 71)}},
    {"Command33", "Medium", G::Arms, {1080, 7800, 735, 375}, 44, {copy(0, 0, 90, 73), copy(0, 178, 90, 78)}},
    {"Command32", "Lots", G::Arms, {1080, 8160, 735, 375}, 43, {copy(0, 0, 90, 83), copy(0, 165, 90, 91)}},
    {"Command15", "Short Sleeves", G::Sleeves, {1800, 6720, 735, 495}, 23, {copy(0, 84, 90, 81)}},
    {"Command14", "Medium Sleeves", G::Sleeves, {1800, 7320, 735, 495}, 22, {copy(0, 55, 90, 142)}},
    {"Command13", "Long Sleeves", G::Sleeves, {1800, 7920, 735, 615}, 21, {copy(0, 0, 90, 256)}},
    {"Command8", "Shirt", G::ClothingRegions, {2520, 6840, 855, 495}, 16, {copy(90, 0, 166, 82)}},
    {"Command9", "LongerShirt", G::ClothingRegions, {2520, 7320, 855, 495}, 17, {copy(90, 0, 166, 89)}},
    {"Command10", "Shirt", G::ClothingRegions, {2520, 7800, 855, 495}, 18, {copy(90, 0, 166, 100)}},
    {"Command12", "Shorts (b002 Male)", G::ClothingRegions, {3360, 7080, 855, 495}, 20, {copy(90, 89, 166, 54)}},
    {"Command16", "MidSkirtb008", G::ClothingRegions, {3360, 7560, 615, 495}, 24, {copy(90, 82, 166, 80)}},
    {"Command17", "+", G::ClothingRegions, {3960, 7560, 255, 255}, 25, {copy(103, 162, 68, 2)}},
    {"Command18", "+", G::ClothingRegions, {3960, 7800, 255, 255}, 26, {}},
    {"Command3", "MiniSkirt", G::ClothingRegions, {4200, 6720, 735, 375}, 11, {copy(90, 82, 166, 44)}},
    {"Command4", "Tiny Miniskirt", G::ClothingRegions, {4200, 7080, 735, 495}, 12, {copy(90, 89, 166, 37)}},
    {"Command5", "Mid Skirt", G::ClothingRegions, {4200, 7560, 735, 375}, 13, {copy(90, 100, 166, 65)}},
    {"Command11", "Slacks", G::ClothingRegions, {4200, 7920, 735, 375}, 19, {copy(90, 87, 166, 169)}},
    {"Command92", "B328", G::OutfitMasks, {4200, 360, 615, 255}, 112, mask("imgb328")},
    {"Command88", "Teddy", G::OutfitMasks, {4200, 600, 615, 375}, 108, mask("imgTeddy1")},
    {"Command89", "Teddy2", G::OutfitMasks, {4200, 960, 615, 375}, 109, mask("imgTeddy2")},
    {"Command85", "mini dress", G::OutfitMasks, {4200, 1320, 615, 375}, 105, mask("imgMiniDress")},
    {"Command71", "B077 2 piece", G::OutfitMasks, {4200, 1680, 615, 375}, 91, mask("imgB772piece")},
    {"Command90", "B077 1 piece", G::OutfitMasks, {4200, 2040, 615, 375}, 110, mask("imgb77onepiece")},
    {"Command81", "Long Blouse", G::OutfitMasks, {4200, 2400, 615, 255}, 101, mask("imgBlouseLong")},
    {"Command65", "b001 Tamsine", G::OutfitMasks, {4200, 2640, 615, 375}, 84, mask("imgTamsine")},
    {"Command54", "Virelle", G::OutfitMasks, {4200, 3000, 615, 375}, 71, mask("imgVirelle")},
    {"Command64", "Lurette", G::OutfitMasks, {4200, 3360, 615, 255}, 83, mask("imgLurette")},
    {"Command56", "Bikini 402", G::OutfitMasks, {4200, 3600, 615, 495}, 73, mask("imgBikini")},
    {"Command63", "Flirt 422", G::OutfitMasks, {4200, 4080, 615, 375}, 80, mask("imgFlirt")},
    {"Command55", "Surfer Boxer", G::OutfitMasks, {4200, 4440, 615, 495}, 72, mask("imgSurfer")},
    {"Command46", "PJs1", G::OutfitMasks, {4200, 4920, 615, 255}, 63, mask("imgPJs1")},
    {"Command78", "PJs3", G::OutfitMasks, {4200, 5160, 615, 255}, 98, mask("imgPJ3")},
    {"Command51", "Briefs (male)", G::OutfitMasks, {4200, 5400, 615, 375}, 68, mask("imgSpeedo")},
    {"Command76", "Pompette", G::OutfitMasks, {4200, 5760, 615, 375}, 96, mask("imgPompette")},
    {"Command79", "Couvrelle", G::OutfitMasks, {4200, 6120, 615, 375}, 99, mask("imgCouvrelle")},
    {"Command93", "b328 L", G::OutfitMasks, {4800, 360, 615, 255}, 113, mask("imgB328legs")},
    {"Command83", "Corset", G::OutfitMasks, {4800, 600, 615, 375}, 103, mask("imgCorset")},
    {"Command86", "Corset2", G::OutfitMasks, {4800, 960, 615, 375}, 106, mask("imgCorset2")},
    {"Command87", "Corset3", G::OutfitMasks, {4800, 1320, 615, 375}, 107, mask("imgCorset3")},
    {"Command84", "minicorset", G::OutfitMasks, {4800, 1680, 615, 375}, 104, mask("imgMinicorset")},
    {"Command80", "L405m", G::OutfitMasks, {4800, 2040, 615, 255}, 100, mask("imgRobeBoxer")},
    {"Command72", "Bikini", G::OutfitMasks, {4800, 2280, 615, 375}, 92, mask("imgBikini3")},
    {"Command66", "Bimbo", G::OutfitMasks, {4800, 2640, 615, 375}, 85, mask("imgBimbo")},
    {"Command49", "Tank", G::OutfitMasks, {4800, 3000, 615, 375}, 66, mask("imgTankTop")},
    {"Command48", "1Piece", G::OutfitMasks, {4800, 3360, 615, 255}, 65, mask("imgCorset")},
    {"Command47", "Thong Bikini", G::OutfitMasks, {4800, 3600, 615, 495}, 64, mask("imgThong")},
    {"Command45", "Bodysuit", G::OutfitMasks, {4800, 4080, 615, 375}, 61, mask("imgBodySuit")},
    {"Command74", "1Piece Swims", G::OutfitMasks, {4800, 4440, 615, 495}, 94, mask("imgOnePiece")},
    {"Command50", "PJs2", G::OutfitMasks, {4800, 4920, 615, 255}, 67, mask("imgPJs2")},
    {"Command82", "PJs4", G::OutfitMasks, {4800, 5160, 615, 255}, 102, mask("imgPJs4")},
    {"Command73", "404 Party Girl", G::OutfitMasks, {4800, 5400, 615, 375}, 93, mask("img404")},
    {"Command75", "Band Bikini", G::OutfitMasks, {4800, 5760, 615, 375}, 95, mask("imgBandBikini")},
    {"Command77", "Band Bikini2", G::OutfitMasks, {4800, 6120, 615, 375}, 97, mask("imgBand2bikini")},
    {"Command95", "test", G::BodyCopy, {3480, 3720, 495, 255}, 115, {"imgLightBody -> picSource 0,0,256,256 <- 0,0,256,256 SRCPAINT"}},
    {"cmddjfld", "Light  Fem", G::BodyCopy, {3480, 3960, 495, 495}, 62, fill("imgLightBody")},
    {"Command52", "Med Fem", G::BodyCopy, {3480, 4440, 495, 495}, 69, fill("imgMedBody")},
    {"Command53", "Dark Fem", G::BodyCopy, {3480, 4920, 495, 375}, 70, fill("imgDarkBody")},
    {"Command57", "Light Male", G::BodyCopy, {3480, 5280, 495, 375}, 74, fill("imgMaleLight")},
    {"Command58", "Med Male", G::BodyCopy, {3480, 5640, 495, 375}, 75, fill("imgMaleMed")},
    {"Command59", "Dark Male", G::BodyCopy, {3480, 6000, 495, 375}, 76, fill("imgMaleDark")},
    {"Command27", "Black Sneakers", G::Accessories, {9360, 360, 1095, 495}, 35, {"imgBlackSneakers -> picTarget 90,238,166,19 <- 0,0,166,19 SRCAND"}},
    {"Command26", "Red Sneakers", G::Accessories, {9360, 840, 1095, 375}, 34, {"imgRedSneakers -> picTarget 90,238,166,19 <- 0,0,166,19 SRCAND"}},
    {"Command25", "Sandals", G::Accessories, {9360, 1200, 1095, 375}, 33, {"imgSandals -> picTarget 90,244,166,13 <- 0,0,166,13 SRCAND"}},
    {"Command24", "Small Black Boots", G::Accessories, {9360, 1560, 1095, 495}, 32, {"imgSmallBlackBoots -> picTarget 90,233,166,23 <- 0,0,166,23 SRCCOPY"}},
    {"Command23", "Small Brown Boots", G::Accessories, {9360, 2040, 1095, 495}, 31, {"imgSmallBrownBoots -> picTarget 90,233,166,23 <- 0,0,166,23 SRCCOPY"}},
    {"Command22", "Big Black Boots", G::Accessories, {9360, 2520, 1095, 495}, 30, {"imgBigBlackBoots -> picTarget 90,185,166,71 <- 0,0,166,71 SRCCOPY"}},
    {"Command7", "High Heels", G::Accessories, {9360, 3000, 1095, 375}, 15, {"imgHighHeels -> picTarget 90,238,166,19 <- 0,0,166,19 SRCAND"}},
    {"Command19", "Lgt Fit Midriff", G::Accessories, {9360, 3360, 1095, 255}, 27, {"imgMidriffLgt -> picTarget 90,82,166,7 <- 0,0,166,7 SRCCOPY"}},
    {"Command20", "Med Fit Midrif", G::Accessories, {9360, 3600, 1095, 195}, 28, {"imgMidriffMed -> picTarget 90,82,166,7 <- 0,0,166,7 SRCCOPY"}},
    {"Command21", "Drk Fit Midriff", G::Accessories, {9360, 3840, 1095, 195}, 29, {"imgMidriffDrk -> picTarget 90,82,166,7 <- 0,0,166,7 SRCCOPY"}},
    {"Command42", "Silver Navel Ring", G::Accessories, {9360, 4080, 1095, 195}, 58, {"imgSilverRing -> picTarget 217,85,3,3 <- 0,0,3,3 SRCCOPY"}},
    {"Command43", "Gold Navel Ring", G::Accessories, {9360, 4320, 1095, 195}, 59, {"imgGoldRing -> picTarget 217,85,3,3 <- 0,0,3,3 SRCCOPY"}},
    {"Command44", "Maid Collar", G::Accessories, {9360, 4560, 1095, 255}, 60, {"imgMaidCollar -> picTarget 121,8,119,13 <- 0,0,119,13 SRCAND"}},
    {"Command70", "256", G::ResizeTo, {0, 4080, 375, 495}, 90, {"picTarget.Picture -> picTarget 0,0,256,256 <- 0,0,*,* SRCCOPY"}},
    {"Command67", "256 x 256", G::ResizeTo, {3360, 480, 735, 495}, 86, {"picSource.Picture -> picSource 0,0,256,256 <- 0,0,*,* SRCCOPY"}},
    {"Command68", "128 x128", G::ResizeTo, {3360, 960, 735, 495}, 88, {"picSource.Picture -> picSource 0,0,128,128 <- 0,0,*,* SRCCOPY"}},
    {"Command94", "Mask", G::UserCopy, {120, 240, 855, 255}, 114, {"picSource.Image -> picTarget 0,0,256,256 <- 0,0,256,256 SRCAND"}},
    {"Command69", "All Top", G::UserCopy, {120, 480, 855, 255}, 89, {}},
    {"Command39", "Top", G::UserCopy, {120, 720, 855, 255}, 55, {band("picSource.Picture")}},
    {"Command38", "Light Fem Body", G::UserCopy, {120, 960, 855, 495}, 54, {band("imgLightBody")}},
    {"Command40", "Med Fem Body", G::UserCopy, {120, 1440, 855, 495}, 56, {band("imgMedBody")}},
    {"Command41", "Dark Fem Body", G::UserCopy, {120, 1920, 855, 495}, 57, {band("imgDarkBody")}},
    {"Command60", "Light Male Body", G::UserCopy, {120, 2400, 855, 375}, 77, {band("imgMaleLight")}},
    {"Command61", "Med Male Body", G::UserCopy, {120, 2760, 855, 375}, 78, {band("imgMaleMed")}},
    {"Command62", "Dark Male Body", G::UserCopy, {120, 3120, 855, 375}, 79, {band("imgMaleDark")}},
};
// clang-format on

TEST(ButtonTable, EveryRowMatchesTheWindowAndItsPaintSteps) {
    const auto buttons = stamps::allButtons();
    ASSERT_EQ(buttons.size(), kExpected.size());
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ButtonSpec& b = buttons[i];
        const Expected& e = kExpected[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(b.name, e.name);
        EXPECT_EQ(b.caption, e.caption);
        EXPECT_EQ(b.group, e.group);
        EXPECT_EQ(twips(b.place), twips(e.place));
        EXPECT_EQ(b.tabIndex, e.tabIndex);
        std::vector<std::string> steps;
        for (const PaintStep& step : b.steps)
            steps.push_back(describe(step));
        EXPECT_EQ(steps, e.steps);
    }
}

TEST(ButtonTable, ButtonsWithoutPaintStepsDoWhatTheWindowSays) {
    const std::map<std::string, stamps::Action> special = {
        {"Command36", stamps::Action::About},        {"Command28", stamps::Action::DeleteSource},
        {"Command37", stamps::Action::DeleteTarget}, {"Command18", stamps::Action::Nothing},
        {"Command69", stamps::Action::Nothing},
    };
    for (const ButtonSpec& b : stamps::allButtons()) {
        SCOPED_TRACE(std::string(b.name));
        const auto it = special.find(std::string(b.name));
        EXPECT_EQ(b.action, it == special.end() ? stamps::Action::Paint : it->second);
        if (b.action == stamps::Action::Paint) {
            EXPECT_FALSE(b.steps.empty());
        }
    }
}

TEST(ButtonTable, FontsAreTheWindowDefaultExceptTheSmallSerifButtons) {
    const std::set<std::string> serif6 = {"Command6",  "Command89", "Command85", "Command71", "Command90",
                                          "Command81", "Command65", "Command86", "Command87", "Command45",
                                          "Command74", "Command73", "Command75", "Command77", "Command42",
                                          "Command43", "Command70"};
    const std::set<std::string> serif675 = {"Command12", "Command84"};
    for (const ButtonSpec& b : stamps::allButtons()) {
        const std::string name(b.name);
        SCOPED_TRACE(name);
        const std::optional<stamps::FontSpec> expected =
            serif6.count(name)     ? std::optional(stamps::FontSpec{"MS Serif", 6, false})
            : serif675.count(name) ? std::optional(stamps::FontSpec{"MS Serif", 6.75, false})
                                   : std::nullopt;
        EXPECT_EQ(font(b.font), font(expected));
    }
}

TEST(ButtonTable, TooltipsAreExactAndOnlyWhereTheWindowHasThem) {
    const std::map<std::string, std::string> exact = {
        {"Command37", "Deletes the file selected in the box to the right! Be careful!"},
        {"Command1",
         "Good for the female meshes b024, b069, and b200. Probably some male kilt meshes as well"},
        {"Command6", "Good for the middle length skirt"},
        {"Command12", "Shorts (male b002)"},
        {"Command16",
         "This copies a section for a middle length skirt. Many meshes use this legnth B004,b007,b008, "
         "b0077, more"},
        {"Command17", "This copies a little tiny piece to the back, which is needed for b008, b004, b007."},
        {"Command3", "Sort of a large mini skirt, this is for mesh b069, b200, and b024"},
        {"Command4", "A very small mini skirt (b069, b024, b200)"},
        {"Command5", "This is sort of a smallish medium length skirt"},
        {"Command11", "This is for slacks worn by men (b004), but could work for other meshes"},
        {"Command64", "The dress Lurette wears"},
        {"Command55", "Surfer/Boxer for men."},
        {"Command46", "More lingerie than PJs..."},
        {"Command78", "More lingerie than PJs..."},
        {"Command50", "More lingerie than PJs..."},
        {"Command51", "For me, either as a swimsuit or sleepwear"},
        {"Command76",
         "Very short top, very short skirt. Style insprired by one of the many many Pompette skins, "
         "apparently based on a video where she was a cheerleader."},
        {"Command79", "One of the swimsuits in Nightout"},
        {"Command80", "This is basically boxer shorts and a robe, for men"},
        {"Command66", "This is the outfit in the 'Fit' skin pack, a skimpy top and long pants."},
        {"Command73",
         "This is a mesh that comes with Nightout - long slacks with sort of a butterfly shaped top"},
        {"Command75", "For women, although I supposed fat men could wear this..."},
        {"Command77", "See above"},
        {"Command44",
         "Copies a region specified by user clicks the coordinates are shown to the right of the "
         "Destination label"},
    };
    for (const ButtonSpec& b : stamps::allButtons()) {
        const std::string name(b.name);
        SCOPED_TRACE(name);
        if (name == "Command54") {
            EXPECT_FALSE(b.tooltip.empty()); // its wording is ours: where the outfit comes from
        } else if (auto it = exact.find(name); it != exact.end()) {
            EXPECT_EQ(b.tooltip, it->second);
        } else {
            EXPECT_TRUE(b.tooltip.empty());
        }
    }
}

TEST(ButtonTable, NamesAreUniqueAndPlacesAreWholePixels) {
    std::set<std::string_view> names;
    for (const ButtonSpec& b : stamps::allButtons()) {
        SCOPED_TRACE(std::string(b.name));
        EXPECT_TRUE(names.insert(b.name).second);
        EXPECT_EQ(stamps::findButton(b.name), &b);
        for (int v : twips(b.place))
            EXPECT_EQ(v % stamps::kTwipsPerPixel, 0);
    }
    EXPECT_EQ(stamps::findButton("Command2"), nullptr);
    EXPECT_EQ(stamps::findButton("Light  Fem"), nullptr); // captions are not control names
}

TEST(ButtonTable, GroupHeadingsAndTheUserCopyFrame) {
    struct Heading {
        G group;
        std::string name, caption;
        bool isFrame;
        stamps::Twips place;
        std::optional<stamps::FontSpec> font;
        std::string tooltip;
        int tabIndex;
    };
    const stamps::FontSpec bold825{"MS Sans Serif", 8.25, true};
    const std::vector<Heading> expected = {
        {G::CopyLegs, "Label4", "Copy Legs", false, {0, 6480, 975, 255}, bold825, "", 39},
        {G::Arms,
         "Label5",
         "Arms",
         false,
         {1080, 6480, 495, 255},
         bold825,
         "These buttons will copy the arm regions. Note that they are not symmetrical. For some reason, the "
         "bottom "
         "arm area is bigger...",
         41},
        {G::Sleeves, "Label6", "Sleeves", false, {1680, 6480, 735, 255}, bold825, "", 47},
        {G::ClothingRegions, "Label7", "Clothing Regions", false, {2520, 6480, 1695, 255}, bold825, "", 48},
        {G::OutfitMasks,
         "Label9",
         "Outfit Masks",
         false,
         {4200, 120, 1215, 255},
         bold825,
         "The Buttons Beneath will apply a mask to the destination skin. Basically, its like a cookie "
         "cutter. You "
         "then pick the apropriate/desired body type.",
         82},
        {G::BodyCopy,
         "Label8",
         "Body Copy:",
         false,
         {3360, 3360, 735, 375},
         stamps::FontSpec{"MS Serif", 6.75, true},
         "Buttons underneath will copy the body over the destination pick (use with the masks)",
         81},
        {G::Accessories,
         "Label3",
         "Accessories",
         false,
         {9240, 120, 1335, 495},
         stamps::FontSpec{"MS Sans Serif", 9.75, true},
         "",
         37},
        {G::ResizeTo, "Label10", "Resize To", false, {3360, 240, 735, 255}, std::nullopt, "", 87},
        {G::UserCopy, "Frame1", "User Copy", true, {9360, 4800, 1095, 3735}, std::nullopt, "", 53},
    };
    const auto groups = stamps::allGroups();
    ASSERT_EQ(groups.size(), expected.size());
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const auto& g = groups[i];
        const Heading& e = expected[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(g.group, e.group);
        EXPECT_EQ(g.name, e.name);
        EXPECT_EQ(g.caption, e.caption);
        EXPECT_EQ(g.isFrame, e.isFrame);
        EXPECT_EQ(twips(g.place), twips(e.place));
        EXPECT_EQ(font(g.font), font(e.font));
        EXPECT_EQ(g.tooltip, e.tooltip);
        EXPECT_EQ(g.tabIndex, e.tabIndex);
        EXPECT_FALSE(stamps::groupName(g.group).empty());
    }
    EXPECT_EQ(stamps::groupName(G::Ungrouped), "");
}

} // namespace
