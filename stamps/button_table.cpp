#include "stamps/button_table.h"

#include <array>

#include "core/skin_layout.h"
#include "stamps/cookie_cutter.h"

namespace stamps {
namespace {

using core::ImageId;
using core::kArmRight, core::kBodyWidth, core::kSkinSize;
using core::RasterOp;

// The rectangles of one paint. Destination and source share their corner unless y2 says
// otherwise; sizes given on one side are given on both.
constexpr core::PaintArgs sameRect(int x, int y, int w, int h, RasterOp op = RasterOp::SRCCOPY) {
    return {float(x),        float(y),        std::int16_t(w),
            std::int16_t(h), std::int16_t(x), std::int16_t(y),
            std::int16_t(w), std::int16_t(h), op};
}
// The source runs from (x, y2) to the picture's right and bottom edges.
constexpr core::PaintArgs toEdges(int x, int y, int w, int h, int y2) {
    return {.x1 = float(x),
            .y1 = float(y),
            .width1 = std::int16_t(w),
            .height1 = std::int16_t(h),
            .x2 = std::int16_t(x),
            .y2 = std::int16_t(y2),
            .width2 = std::nullopt,
            .height2 = std::nullopt};
}
// A region of the source file as loaded, to the same place of the destination.
constexpr PaintStep region(int x, int y, int w, int h) {
    return {PictureSource::SourcePicture, {}, CanvasId::picTarget, sameRect(x, y, w, h)};
}
constexpr PaintStep regionToEdges(int x, int y, int w, int h, int y2) {
    return {PictureSource::SourcePicture, {}, CanvasId::picTarget, toEdges(x, y, w, h, y2)};
}

// The body area from row y to the bottom of the canvas, read from row y2 of the source to the
// picture's bottom edge.
constexpr PaintStep bodyToBottom(int y, int y2) {
    return regionToEdges(kArmRight, y, kBodyWidth, kSkinSize - y, y2);
}

// Single-step region copies, one array per rectangle.
template <int X, int Y, int W, int H> constexpr PaintStep kRegion[] = {region(X, Y, W, H)};
// Rows Y to Y + H - 1 of the body area, or of the arm strip.
template <int Y, int H> constexpr auto& kBodyRows = kRegion<kArmRight, Y, kBodyWidth, H>;
template <int Y, int H> constexpr auto& kArmRows = kRegion<0, Y, kArmRight, H>;
// Leg copies: from row Y of the body area to the bottom right corner of the canvas, source
// sizes omitted.
template <int Y> constexpr PaintStep kLegs[] = {bodyToBottom(Y, Y)};
// Arm copies: a band at the top and a taller one at the bottom of the arm strip, W columns wide.
template <int W, int TopH, int BottomY>
constexpr PaintStep kArms[] = {region(0, 0, W, TopH), region(0, BottomY, W, kSkinSize - BottomY)};

// "Shorts b001F": the small back piece of "+", then the leg region that contains it.
constexpr PaintStep kShortsB001F[] = {region(103, 162, 68, 2), bodyToBottom(131, 131)};
// "b475": rows 222 to the bottom of the source, shrunk onto rows 227-255.
constexpr PaintStep kB475[] = {bodyToBottom(227, 222)};

// Outfit masks and body fills from the library (stamps/cookie_cutter.h).
template <ImageId Mask> constexpr auto kMask = maskSteps(PictureSource::Library, Mask);
template <ImageId Body> constexpr auto kBodyFill = bodyFillSteps(PictureSource::Library, Body);
// "test": the first paint of the light female body fill only.
constexpr std::span<const PaintStep> kBodyFillFirstPaint =
    std::span(kBodyFill<ImageId::imgLightBody>).first(1);

// "Mask" of the "User Copy" frame: the second paint of a body fill on its own.
constexpr std::span<const PaintStep> kSourceImageAnd = std::span(kBodyFill<ImageId::imgLightBody>).last(1);

// Band copies: the body area's columns of the marked band, same place in source and
// destination. The rows come from the row marker when the step runs.
constexpr core::PaintArgs kBandColumns{kArmRight, 0, kBodyWidth, 0, kArmRight, 0, kBodyWidth, 0};
constexpr PaintStep kTopBand[] = {
    {PictureSource::SourcePicture, {}, CanvasId::picTarget, kBandColumns, true}};
template <ImageId Body>
constexpr PaintStep kBodyBand[] = {{PictureSource::Library, Body, CanvasId::picTarget, kBandColumns, true}};

// Accessories: the whole library image at one fixed place of the destination.
template <ImageId Image, int X, int Y, int W, int H, RasterOp Op>
constexpr PaintStep kAccessory[] = {
    {PictureSource::Library, Image, CanvasId::picTarget, {float(X), float(Y), W, H, 0, 0, W, H, Op}}};
// A strip as wide as the body area, H rows from row Y on.
template <ImageId Image, int Y, int H, RasterOp Op>
constexpr auto& kBodyStrip = kAccessory<Image, kArmRight, Y, kBodyWidth, H, Op>;
// The shoe strips drawn on white, ANDed onto the feet.
template <ImageId Image> constexpr auto& kShoes19 = kBodyStrip<Image, core::kFeetTop, 19, RasterOp::SRCAND>;
template <ImageId Image> constexpr auto& kSmallBoots = kBodyStrip<Image, 233, 23, RasterOp::SRCCOPY>;
// The bare midriff over the top rows of the hips, where the torso's garments end.
template <ImageId Image> constexpr auto& kMidriff = kBodyStrip<Image, core::kHipsTop, 7, RasterOp::SRCCOPY>;
// The 3 x 3 navel ring, centred on the navel's column.
template <ImageId Image>
constexpr auto& kRing = kAccessory<Image, core::kNavelColumn - 1, 85, 3, 3, RasterOp::SRCCOPY>;

// Resize: a canvas's own loaded picture, whole, onto the given square at (0, 0).
constexpr PaintStep kResizeSource256[] = {
    {PictureSource::SourcePicture, {}, CanvasId::picSource, toEdges(0, 0, kSkinSize, kSkinSize, 0)}};
constexpr PaintStep kResizeSource128[] = {
    {PictureSource::SourcePicture, {}, CanvasId::picSource, toEdges(0, 0, 128, 128, 0)}};
constexpr PaintStep kResizeTarget256[] = {
    {PictureSource::TargetPicture, {}, CanvasId::picTarget, toEdges(0, 0, kSkinSize, kSkinSize, 0)}};

constexpr std::span<const PaintStep> kNoSteps{};

constexpr std::optional<FontSpec> kDefault = std::nullopt;
constexpr std::optional<FontSpec> kSerif6 = FontSpec{"MS Serif", 6, false};
constexpr std::optional<FontSpec> kSerif675 = FontSpec{"MS Serif", 6.75, false};
constexpr FontSpec kHeadingFont{"MS Sans Serif", 8.25, true};

constexpr Action P = Action::Paint;

// One row per button, groups in window order. Positions in twips; buttons of "User Copy"
// are placed relative to the frame.
// clang-format off
constexpr ButtonSpec kButtons[] = {
    {"Command36", "About", Group::Ungrouped, {240, 120, 855, 255}, kDefault, "", kNoTabIndex, Action::About, kNoSteps},
    {"Command28", "Delete", Group::Ungrouped, {3360, 2160, 615, 375}, kDefault, "", kNoTabIndex, Action::DeleteSource, kNoSteps},
    {"Command37", "Delete", Group::Ungrouped, {0, 6000, 375, 495}, kDefault,
     "Deletes the file selected in the box to the right! Be careful!", kNoTabIndex, Action::DeleteTarget, kNoSteps},

    // Copy Legs
    {"Command1", "Miniskirt 200/69/24", Group::CopyLegs, {0, 6720, 1095, 375}, kDefault,
     "Good for the female meshes b024, b069, and b200. Probably some male kilt meshes as well", 6, P, kLegs<core::kLegsTop>},
    {"Command6", "Midskirt7/77/8", Group::CopyLegs, {0, 7080, 1095, 255}, kSerif6,
     "Good for the middle length skirt", 14, P, kLegs<165>},
    {"Command29", "Shorts b001F", Group::CopyLegs, {0, 7320, 1095, 255}, kDefault, "", 38, P, kShortsB001F},
    {"Command30", "Shortsb001M", Group::CopyLegs, {0, 7560, 1095, 255}, kDefault, "", 40, P, kLegs<143>},
    {"Command91", "B20 Fa Fit", Group::CopyLegs, {0, 7800, 1095, 255}, kDefault, "", 111, P, kLegs<201>},
    {"Command96", "b475", Group::CopyLegs, {0, 8040, 1095, 255}, kDefault, "", 116, P, kB475},

    // Arms: "Tiny", "Short" and "SGloves" are 91 columns wide and take column 90 along.
    {"Command34", "Tiny", Group::Arms, {1080, 6720, 735, 375}, kDefault, "", 45, P, kArms<kArmRight + 1, 8, 241>},
    {"Command31", "Short", Group::Arms, {1080, 7080, 735, 375}, kDefault, "", 42, P, kArms<kArmRight + 1, 24, 225>},
    {"Command35", "SGloves", Group::Arms, {1080, 7440, 735, 375}, kDefault, "", 46, P, kArms<kArmRight + 1, 64, 185>},
    {"Command33", "Medium", Group::Arms, {1080, 7800, 735, 375}, kDefault, "", 44, P, kArms<kArmRight, 73, 178>},
    {"Command32", "Lots", Group::Arms, {1080, 8160, 735, 375}, kDefault, "", 43, P, kArms<kArmRight, 83, 165>},

    // Sleeves
    {"Command15", "Short Sleeves", Group::Sleeves, {1800, 6720, 735, 495}, kDefault, "", 23, P, kArmRows<84, 81>},
    {"Command14", "Medium Sleeves", Group::Sleeves, {1800, 7320, 735, 495}, kDefault, "", 22, P, kArmRows<55, 142>},
    {"Command13", "Long Sleeves", Group::Sleeves, {1800, 7920, 735, 615}, kDefault, "", 21, P, kArmRows<0, kSkinSize>},

    // Clothing Regions
    {"Command8", "Shirt", Group::ClothingRegions, {2520, 6840, 855, 495}, kDefault, "", 16, P, kBodyRows<0, core::kHipsTop>},
    {"Command9", "LongerShirt", Group::ClothingRegions, {2520, 7320, 855, 495}, kDefault, "", 17, P, kBodyRows<0, 89>},
    {"Command10", "Shirt", Group::ClothingRegions, {2520, 7800, 855, 495}, kDefault, "", 18, P, kBodyRows<0, 100>},
    {"Command12", "Shorts (b002 Male)", Group::ClothingRegions, {3360, 7080, 855, 495}, kSerif675,
     "Shorts (male b002)", 20, P, kBodyRows<89, 54>},
    {"Command16", "MidSkirtb008", Group::ClothingRegions, {3360, 7560, 615, 495}, kDefault,
     "This copies a section for a middle length skirt. Many meshes use this legnth B004,b007,b008, b0077, more",
     24, P, kBodyRows<core::kHipsTop, 80>},
    {"Command17", "+", Group::ClothingRegions, {3960, 7560, 255, 255}, kDefault,
     "This copies a little tiny piece to the back, which is needed for b008, b004, b007.", 25, P,
     kRegion<103, 162, 68, 2>},
    {"Command18", "+", Group::ClothingRegions, {3960, 7800, 255, 255}, kDefault, "", 26, Action::Nothing, kNoSteps},
    {"Command3", "MiniSkirt", Group::ClothingRegions, {4200, 6720, 735, 375}, kDefault,
     "Sort of a large mini skirt, this is for mesh b069, b200, and b024", 11, P, kBodyRows<core::kHipsTop, core::kLegsTop - core::kHipsTop>},
    {"Command4", "Tiny Miniskirt", Group::ClothingRegions, {4200, 7080, 735, 495}, kDefault,
     "A very small mini skirt (b069, b024, b200)", 12, P, kBodyRows<89, 37>},
    {"Command5", "Mid Skirt", Group::ClothingRegions, {4200, 7560, 735, 375}, kDefault,
     "This is sort of a smallish medium length skirt", 13, P, kBodyRows<100, 65>},
    {"Command11", "Slacks", Group::ClothingRegions, {4200, 7920, 735, 375}, kDefault,
     "This is for slacks worn by men (b004), but could work for other meshes", 19, P, kBodyRows<87, 169>},

    // Outfit Masks, left column
    {"Command92", "B328", Group::OutfitMasks, {4200, 360, 615, 255}, kDefault, "", 112, P, kMask<ImageId::imgb328>},
    {"Command88", "Teddy", Group::OutfitMasks, {4200, 600, 615, 375}, kDefault, "", 108, P, kMask<ImageId::imgTeddy1>},
    {"Command89", "Teddy2", Group::OutfitMasks, {4200, 960, 615, 375}, kSerif6, "", 109, P, kMask<ImageId::imgTeddy2>},
    {"Command85", "mini dress", Group::OutfitMasks, {4200, 1320, 615, 375}, kSerif6, "", 105, P, kMask<ImageId::imgMiniDress>},
    {"Command71", "B077 2 piece", Group::OutfitMasks, {4200, 1680, 615, 375}, kSerif6, "", 91, P, kMask<ImageId::imgB772piece>},
    {"Command90", "B077 1 piece", Group::OutfitMasks, {4200, 2040, 615, 375}, kSerif6, "", 110, P, kMask<ImageId::imgb77onepiece>},
    {"Command81", "Long Blouse", Group::OutfitMasks, {4200, 2400, 615, 255}, kSerif6, "", 101, P, kMask<ImageId::imgBlouseLong>},
    {"Command65", "b001 Tamsine", Group::OutfitMasks, {4200, 2640, 615, 375}, kSerif6, "", 84, P, kMask<ImageId::imgTamsine>},
    {"Command54", "Virelle", Group::OutfitMasks, {4200, 3000, 615, 375}, kDefault,
     "The outfit Virelle wears in her own skins.", 71, P, kMask<ImageId::imgVirelle>},
    {"Command64", "Lurette", Group::OutfitMasks, {4200, 3360, 615, 255}, kDefault, "The dress Lurette wears", 83, P,
     kMask<ImageId::imgLurette>},
    {"Command56", "Bikini 402", Group::OutfitMasks, {4200, 3600, 615, 495}, kDefault, "", 73, P, kMask<ImageId::imgBikini>},
    {"Command63", "Flirt 422", Group::OutfitMasks, {4200, 4080, 615, 375}, kDefault, "", 80, P, kMask<ImageId::imgFlirt>},
    {"Command55", "Surfer Boxer", Group::OutfitMasks, {4200, 4440, 615, 495}, kDefault, "Surfer/Boxer for men.", 72, P,
     kMask<ImageId::imgSurfer>},
    {"Command46", "PJs1", Group::OutfitMasks, {4200, 4920, 615, 255}, kDefault, "More lingerie than PJs...", 63, P,
     kMask<ImageId::imgPJs1>},
    {"Command78", "PJs3", Group::OutfitMasks, {4200, 5160, 615, 255}, kDefault, "More lingerie than PJs...", 98, P,
     kMask<ImageId::imgPJ3>},
    {"Command51", "Briefs (male)", Group::OutfitMasks, {4200, 5400, 615, 375}, kDefault,
     "For me, either as a swimsuit or sleepwear", 68, P, kMask<ImageId::imgSpeedo>},
    {"Command76", "Pompette", Group::OutfitMasks, {4200, 5760, 615, 375}, kDefault,
     "Very short top, very short skirt. Style insprired by one of the many many Pompette skins, apparently based on a video where she was a cheerleader.",
     96, P, kMask<ImageId::imgPompette>},
    {"Command79", "Couvrelle", Group::OutfitMasks, {4200, 6120, 615, 375}, kDefault,
     "One of the swimsuits in Nightout", 99, P, kMask<ImageId::imgCouvrelle>},

    // Outfit Masks, right column
    {"Command93", "b328 L", Group::OutfitMasks, {4800, 360, 615, 255}, kDefault, "", 113, P, kMask<ImageId::imgB328legs>},
    {"Command83", "Corset", Group::OutfitMasks, {4800, 600, 615, 375}, kDefault, "", 103, P, kMask<ImageId::imgCorset>},
    {"Command86", "Corset2", Group::OutfitMasks, {4800, 960, 615, 375}, kSerif6, "", 106, P, kMask<ImageId::imgCorset2>},
    {"Command87", "Corset3", Group::OutfitMasks, {4800, 1320, 615, 375}, kSerif6, "", 107, P, kMask<ImageId::imgCorset3>},
    {"Command84", "minicorset", Group::OutfitMasks, {4800, 1680, 615, 375}, kSerif675, "", 104, P, kMask<ImageId::imgMinicorset>},
    {"Command80", "L405m", Group::OutfitMasks, {4800, 2040, 615, 255}, kDefault,
     "This is basically boxer shorts and a robe, for men", 100, P, kMask<ImageId::imgRobeBoxer>},
    {"Command72", "Bikini", Group::OutfitMasks, {4800, 2280, 615, 375}, kDefault, "", 92, P, kMask<ImageId::imgBikini3>},
    {"Command66", "Bimbo", Group::OutfitMasks, {4800, 2640, 615, 375}, kDefault,
     "This is the outfit in the 'Fit' skin pack, a skimpy top and long pants.", 85, P, kMask<ImageId::imgBimbo>},
    {"Command49", "Tank", Group::OutfitMasks, {4800, 3000, 615, 375}, kDefault, "", 66, P, kMask<ImageId::imgTankTop>},
    // "1Piece" uses the corset mask, exactly like "Corset".
    {"Command48", "1Piece", Group::OutfitMasks, {4800, 3360, 615, 255}, kDefault, "", 65, P, kMask<ImageId::imgCorset>},
    {"Command47", "Thong Bikini", Group::OutfitMasks, {4800, 3600, 615, 495}, kDefault, "", 64, P, kMask<ImageId::imgThong>},
    {"Command45", "Bodysuit", Group::OutfitMasks, {4800, 4080, 615, 375}, kSerif6, "", 61, P, kMask<ImageId::imgBodySuit>},
    {"Command74", "1Piece Swims", Group::OutfitMasks, {4800, 4440, 615, 495}, kSerif6, "", 94, P, kMask<ImageId::imgOnePiece>},
    {"Command50", "PJs2", Group::OutfitMasks, {4800, 4920, 615, 255}, kDefault, "More lingerie than PJs...", 67, P,
     kMask<ImageId::imgPJs2>},
    {"Command82", "PJs4", Group::OutfitMasks, {4800, 5160, 615, 255}, kDefault, "", 102, P, kMask<ImageId::imgPJs4>},
    {"Command73", "404 Party Girl", Group::OutfitMasks, {4800, 5400, 615, 375}, kSerif6,
     "This is a mesh that comes with Nightout - long slacks with sort of a butterfly shaped top", 93, P,
     kMask<ImageId::img404>},
    {"Command75", "Band Bikini", Group::OutfitMasks, {4800, 5760, 615, 375}, kSerif6,
     "For women, although I supposed fat men could wear this...", 95, P, kMask<ImageId::imgBandBikini>},
    {"Command77", "Band Bikini2", Group::OutfitMasks, {4800, 6120, 615, 375}, kSerif6, "See above", 97, P,
     kMask<ImageId::imgBand2bikini>},

    // Body Copy:
    {"Command95", "test", Group::BodyCopy, {3480, 3720, 495, 255}, kDefault, "", 115, P, kBodyFillFirstPaint},
    {"cmddjfld", "Light  Fem", Group::BodyCopy, {3480, 3960, 495, 495}, kDefault, "", 62, P, kBodyFill<ImageId::imgLightBody>},
    {"Command52", "Med Fem", Group::BodyCopy, {3480, 4440, 495, 495}, kDefault, "", 69, P, kBodyFill<ImageId::imgMedBody>},
    {"Command53", "Dark Fem", Group::BodyCopy, {3480, 4920, 495, 375}, kDefault, "", 70, P, kBodyFill<ImageId::imgDarkBody>},
    {"Command57", "Light Male", Group::BodyCopy, {3480, 5280, 495, 375}, kDefault, "", 74, P, kBodyFill<ImageId::imgMaleLight>},
    {"Command58", "Med Male", Group::BodyCopy, {3480, 5640, 495, 375}, kDefault, "", 75, P, kBodyFill<ImageId::imgMaleMed>},
    {"Command59", "Dark Male", Group::BodyCopy, {3480, 6000, 495, 375}, kDefault, "", 76, P, kBodyFill<ImageId::imgMaleDark>},

    // Accessories
    {"Command27", "Black Sneakers", Group::Accessories, {9360, 360, 1095, 495}, kDefault, "", 35, P,
     kShoes19<ImageId::imgBlackSneakers>},
    {"Command26", "Red Sneakers", Group::Accessories, {9360, 840, 1095, 375}, kDefault, "", 34, P,
     kShoes19<ImageId::imgRedSneakers>},
    {"Command25", "Sandals", Group::Accessories, {9360, 1200, 1095, 375}, kDefault, "", 33, P,
     kBodyStrip<ImageId::imgSandals, 244, 13, RasterOp::SRCAND>},
    {"Command24", "Small Black Boots", Group::Accessories, {9360, 1560, 1095, 495}, kDefault, "", 32, P,
     kSmallBoots<ImageId::imgSmallBlackBoots>},
    {"Command23", "Small Brown Boots", Group::Accessories, {9360, 2040, 1095, 495}, kDefault, "", 31, P,
     kSmallBoots<ImageId::imgSmallBrownBoots>},
    {"Command22", "Big Black Boots", Group::Accessories, {9360, 2520, 1095, 495}, kDefault, "", 30, P,
     kBodyStrip<ImageId::imgBigBlackBoots, 185, 71, RasterOp::SRCCOPY>},
    {"Command7", "High Heels", Group::Accessories, {9360, 3000, 1095, 375}, kDefault, "", 15, P,
     kShoes19<ImageId::imgHighHeels>},
    {"Command19", "Lgt Fit Midriff", Group::Accessories, {9360, 3360, 1095, 255}, kDefault, "", 27, P,
     kMidriff<ImageId::imgMidriffLgt>},
    {"Command20", "Med Fit Midrif", Group::Accessories, {9360, 3600, 1095, 195}, kDefault, "", 28, P,
     kMidriff<ImageId::imgMidriffMed>},
    {"Command21", "Drk Fit Midriff", Group::Accessories, {9360, 3840, 1095, 195}, kDefault, "", 29, P,
     kMidriff<ImageId::imgMidriffDrk>},
    {"Command42", "Silver Navel Ring", Group::Accessories, {9360, 4080, 1095, 195}, kSerif6, "", 58, P,
     kRing<ImageId::imgSilverRing>},
    {"Command43", "Gold Navel Ring", Group::Accessories, {9360, 4320, 1095, 195}, kSerif6, "", 59, P,
     kRing<ImageId::imgGoldRing>},
    // The tooltip speaks of clicked rows, but the button paints the fixed collar.
    {"Command44", "Maid Collar", Group::Accessories, {9360, 4560, 1095, 255}, kDefault,
     "Copies a region specified by user clicks the coordinates are shown to the right of the Destination label", 60, P,
     kAccessory<ImageId::imgMaidCollar, 121, 8, 119, 13, RasterOp::SRCAND>},

    // Resize To: "256" stands at the left edge of the destination pane.
    {"Command70", "256", Group::ResizeTo, {0, 4080, 375, 495}, kSerif6, "", 90, P, kResizeTarget256},
    {"Command67", "256 x 256", Group::ResizeTo, {3360, 480, 735, 495}, kDefault, "", 86, P, kResizeSource256},
    {"Command68", "128 x128", Group::ResizeTo, {3360, 960, 735, 495}, kDefault, "", 88, P, kResizeSource128},

    // User Copy (inside Frame1)
    {"Command94", "Mask", Group::UserCopy, {120, 240, 855, 255}, kDefault, "", 114, P, kSourceImageAnd},
    {"Command69", "All Top", Group::UserCopy, {120, 480, 855, 255}, kDefault, "", 89, Action::Nothing, kNoSteps},
    {"Command39", "Top", Group::UserCopy, {120, 720, 855, 255}, kDefault, "", 55, P, kTopBand},
    {"Command38", "Light Fem Body", Group::UserCopy, {120, 960, 855, 495}, kDefault, "", 54, P, kBodyBand<ImageId::imgLightBody>},
    {"Command40", "Med Fem Body", Group::UserCopy, {120, 1440, 855, 495}, kDefault, "", 56, P, kBodyBand<ImageId::imgMedBody>},
    {"Command41", "Dark Fem Body", Group::UserCopy, {120, 1920, 855, 495}, kDefault, "", 57, P, kBodyBand<ImageId::imgDarkBody>},
    {"Command60", "Light Male Body", Group::UserCopy, {120, 2400, 855, 375}, kDefault, "", 77, P, kBodyBand<ImageId::imgMaleLight>},
    {"Command61", "Med Male Body", Group::UserCopy, {120, 2760, 855, 375}, kDefault, "", 78, P, kBodyBand<ImageId::imgMaleMed>},
    {"Command62", "Dark Male Body", Group::UserCopy, {120, 3120, 855, 375}, kDefault, "", 79, P, kBodyBand<ImageId::imgMaleDark>},
};

constexpr GroupSpec kGroups[] = {
    {Group::CopyLegs, "Label4", "Copy Legs", false, {0, 6480, 975, 255}, kHeadingFont, "", 39},
    {Group::Arms, "Label5", "Arms", false, {1080, 6480, 495, 255}, kHeadingFont,
     "These buttons will copy the arm regions. Note that they are not symmetrical. For some reason, the bottom arm area is bigger...", 41},
    {Group::Sleeves, "Label6", "Sleeves", false, {1680, 6480, 735, 255}, kHeadingFont, "", 47},
    {Group::ClothingRegions, "Label7", "Clothing Regions", false, {2520, 6480, 1695, 255}, kHeadingFont, "", 48},
    {Group::OutfitMasks, "Label9", "Outfit Masks", false, {4200, 120, 1215, 255}, kHeadingFont,
     "The Buttons Beneath will apply a mask to the destination skin. Basically, its like a cookie cutter. You then pick the apropriate/desired body type.", 82},
    {Group::BodyCopy, "Label8", "Body Copy:", false, {3360, 3360, 735, 375}, FontSpec{"MS Serif", 6.75, true},
     "Buttons underneath will copy the body over the destination pick (use with the masks)", 81},
    {Group::Accessories, "Label3", "Accessories", false, {9240, 120, 1335, 495}, FontSpec{"MS Sans Serif", 9.75, true}, "", 37},
    {Group::ResizeTo, "Label10", "Resize To", false, {3360, 240, 735, 255}, kDefault, "", 87},
    {Group::UserCopy, "Frame1", "User Copy", true, {9360, 4800, 1095, 3735}, kDefault, "", 53},
};
// clang-format on

static_assert(std::size(kButtons) == 96, "the main window has 96 buttons");

} // namespace

std::span<const ButtonSpec> allButtons() {
    return kButtons;
}
std::span<const GroupSpec> allGroups() {
    return kGroups;
}

// The heading's caption, without the colon that "Body Copy:" carries.
std::string_view groupName(Group group) {
    for (const GroupSpec& heading : kGroups) {
        if (heading.group != group) continue;
        std::string_view name = heading.caption;
        if (name.ends_with(':')) name.remove_suffix(1);
        return name;
    }
    return ""; // Ungrouped
}

const ButtonSpec* findButton(std::string_view name) {
    for (const ButtonSpec& button : kButtons)
        if (button.name == name) return &button;
    return nullptr;
}

} // namespace stamps
