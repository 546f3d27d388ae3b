// The retouching actions of quiltane-cli (see retouch_actions.h).

#include "cli/retouch_actions.h"

#include <cmath>

#include "cli/actions.h"
#include "cli/argument_words.h"
#include "core/codec/bmp.h"
#include "core/retouch/colour_text.h"
#include "core/retouch/fill.h"
#include "core/skin_layout.h"
#include "preview/colour_match.h"
#include "preview/seam_blend.h"
#include "stamps/outfit_masks.h"
#include "stamps/retouch.h"

namespace cli {
namespace {

constexpr int kLast = core::lastBefore(core::kSkinSize); // the canvas's last column and row

// The number a word spells when it lies from low to high, else nothing.
std::optional<double> numberWithin(const std::string& word, double low, double high) {
    const std::optional<double> number = decimalSpelledBy(word);
    if (!number || !(*number >= low && *number <= high)) return std::nullopt;
    return number;
}

core::Result<core::Rgb> colourNamed(std::string_view option, const char* name, const std::string& word) {
    const std::optional<core::Rgb> colour = core::retouch::parseColour(word);
    if (!colour) return needs(option, std::string(name) + ", a colour as #rrggbb", word);
    return *colour;
}

core::Result<int> placeNamed(std::string_view option, const char* name, const char* what,
                             const std::string& word) {
    const std::optional<int> place = numberSpelledBy<int>(word);
    if (!place || *place < 0 || *place > kLast)
        return needs(option,
                     std::string(name) + ", a " + what +
                         " of the destination canvas, a whole number from 0 to " + std::to_string(kLast),
                     word);
    return *place;
}

} // namespace

core::Result<ColourTolerance> colourTolerance(std::string_view option, Words words) {
    const std::optional<double> difference = numberWithin(words[0], 0, preview::kMaxTolerance);
    if (!difference)
        return needs(option,
                     "DE, a colour difference (CIEDE2000) from 0 to " +
                         std::to_string(int(preview::kMaxTolerance)),
                     words[0]);
    return ColourTolerance{*difference};
}

core::Result<FillPlace> fillPlace(std::string_view option, Words words) {
    auto x = placeNamed(option, "X", "column", words[0]);
    if (!x) return x.status();
    auto y = placeNamed(option, "Y", "row", words[1]);
    if (!y) return y.status();
    auto colour = colourNamed(option, "COLOUR", words[2]);
    if (!colour) return colour.status();
    return FillPlace{{x.value(), y.value()}, colour.value()};
}

core::Result<ColourChange> colourChange(std::string_view option, Words words) {
    auto from = colourNamed(option, "FROM", words[0]);
    if (!from) return from.status();
    auto to = colourNamed(option, "TO", words[1]);
    if (!to) return to.status();
    return ColourChange{from.value(), to.value()};
}

core::Result<MirrorSide> mirrorSide(std::string_view option, Words words) {
    if (words[0] == "left") return MirrorSide{core::retouch::Side::Left};
    if (words[0] == "right") return MirrorSide{core::retouch::Side::Right};
    return needs(option, "SIDE, left or right (the body's own side that is copied)", words[0]);
}

core::Result<HslChange> hslChange(std::string_view option, Words words) {
    using core::retouch::kMaxHueShift, core::retouch::kMaxPercentShift;
    const std::optional<double> hue = numberWithin(words[0], -kMaxHueShift, kMaxHueShift);
    if (!hue) return needs(option, "HUE, degrees from -180 to 180", words[0]);
    const std::optional<double> saturation = numberWithin(words[1], -kMaxPercentShift, kMaxPercentShift);
    if (!saturation) return needs(option, "SATURATION, a percentage from -100 to 100", words[1]);
    const std::optional<double> lightness = numberWithin(words[2], -kMaxPercentShift, kMaxPercentShift);
    if (!lightness) return needs(option, "LIGHTNESS, a percentage from -100 to 100", words[2]);
    return HslChange{{*hue, *saturation, *lightness}};
}

core::Result<MaskArea> maskArea(std::string_view option, Words words) {
    const std::string& name = words[0];
    core::Picture mask;
    if (const stamps::OutfitMask* outfit = stamps::findOutfitMask(name)) {
        mask = core::ImageLibrary::shared().picture(outfit->image);
    } else {
        auto loaded = core::loadPicture(name);
        if (!loaded) return loaded.status().withContext(std::string(option));
        mask = std::move(loaded).value();
    }
    auto garment = core::retouch::PixelArea::ofMask(mask, core::kSkinSize, core::kSkinSize);
    if (!garment)
        return core::Status::usage(std::string(option) + " " + name + ": " + garment.message() + ".");
    return MaskArea{std::move(garment).value()};
}

core::Result<SeamWidth> seamWidth(std::string_view option, Words words) {
    const std::optional<int> width = numberSpelledBy<int>(words[0]);
    if (!width || *width < preview::kMinBlendWidth || *width > preview::kMaxBlendWidth)
        return needs(option,
                     "WIDTH, pixels each side of a seam, a whole number from " +
                         std::to_string(preview::kMinBlendWidth) + " to " +
                         std::to_string(preview::kMaxBlendWidth),
                     words[0]);
    return SeamWidth{*width};
}

core::Result<SeamWidth> seamAndWidth(std::string_view option, Words words) {
    const preview::SeamSpec* found = nullptr;
    std::string keys;
    for (const preview::SeamSpec& seam : preview::allSeams()) {
        if (seam.key == words[0] || seam.name == words[0]) found = &seam;
        keys += (keys.empty() ? "" : ", ") + std::string(seam.key);
    }
    if (!found)
        return needs(option, "SEAM, one of " + keys + " (or its name as --seams prints it)", words[0]);
    auto width = seamWidth(option, words.subspan(1));
    if (!width) return width.status();
    return SeamWidth{width.value().width, found};
}

core::Status setTolerance(const ColourTolerance& tolerance, Session& session) {
    session.tolerance = tolerance.difference;
    return core::Status::ok();
}

core::Status fillArea(const FillPlace& fill, Session& session) {
    return stamps::retouch(
        session.workspace, std::string(stamps::kFillStep), [&](core::retouch::Raster& skin) {
            core::retouch::fill(skin, fill.at, fill.colour,
                                preview::likeColour(skin.pixel(fill.at), session.tolerance.value_or(0)));
        });
}

core::Status replaceColour(const ColourChange& change, Session& session) {
    return stamps::retouch(
        session.workspace, std::string(stamps::kReplaceStep), [&](core::retouch::Raster& skin) {
            core::retouch::replace(skin, change.to,
                                   preview::likeColour(change.from, session.tolerance.value_or(0)));
        });
}

core::Status mirrorBody(const MirrorSide& side, Session& session) {
    return stamps::retouch(session.workspace, stamps::mirrorStepName(side.copied),
                           [&](core::retouch::Raster& skin) { core::retouch::mirror(skin, side.copied); });
}

core::Status setWithin(const MaskArea& mask, Session& session) {
    session.within = mask.garment;
    return core::Status::ok();
}

core::Status recolour(const HslChange& change, Session& session) {
    const core::retouch::PixelArea everywhere =
        core::retouch::PixelArea::whole(core::kSkinSize, core::kSkinSize);
    const core::retouch::PixelArea& within = session.within ? *session.within : everywhere;
    return stamps::retouch(
        session.workspace, std::string(stamps::kRecolourStep),
        [&](core::retouch::Raster& skin) { core::retouch::recolour(skin, change.shift, within); });
}

core::Status blendSeams(const SeamWidth& width, Session& session) {
    if (width.seam)
        return stamps::retouch(
            session.workspace, stamps::blendSeamStepName(width.seam->name),
            [&](core::retouch::Raster& skin) { preview::blendSeam(skin, *width.seam, width.width); });
    return stamps::retouch(session.workspace, std::string(stamps::kBlendSeamsStep),
                           [&](core::retouch::Raster& skin) { preview::blendSeams(skin, width.width); });
}

} // namespace cli
