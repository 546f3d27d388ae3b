// Properties that every row of the button table must have, checked over the whole table rather
// than against a copy of it: so an edit that moves a button onto another, gives two buttons one
// tab index, or points a paint outside the canvas fails here even when the row-by-row test was
// edited the same way.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/library/image_library.h"
#include "stamps/button_table.h"

namespace {

using stamps::ButtonSpec;
using stamps::Twips;

// The main window's client area and the "User Copy" frame, in twips.
constexpr Twips kClientArea{0, 0, 10515, 8595};

// How far two places overlap, in pixels, across and down; 0 when they do not touch.
std::pair<int, int> overlap(const Twips& a, const Twips& b) {
    const int across = std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
    const int down = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
    if (across <= 0 || down <= 0) return {0, 0};
    return {across / stamps::kTwipsPerPixel, down / stamps::kTwipsPerPixel};
}

bool inside(const Twips& place, const Twips& area) {
    return place.left >= 0 && place.top >= 0 && place.left + place.width <= area.width &&
           place.top + place.height <= area.height;
}

const stamps::GroupSpec& frame() {
    for (const stamps::GroupSpec& group : stamps::allGroups())
        if (group.isFrame) return group;
    throw std::logic_error("no frame");
}

TEST(ButtonTableProperties, ButtonsNeverOverlapBeyondASharedEdge) {
    // Neighbouring classic buttons share their one-pixel border line, so an overlap one pixel
    // deep is the layout; anything deeper hides part of a button.
    const auto buttons = stamps::allButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        for (std::size_t j = i + 1; j < buttons.size(); ++j) {
            const ButtonSpec &a = buttons[i], &b = buttons[j];
            if ((a.group == stamps::Group::UserCopy) != (b.group == stamps::Group::UserCopy)) continue;
            const auto [across, down] = overlap(a.place, b.place);
            EXPECT_LE(std::min(across, down), 1)
                << a.name << " and " << b.name << " overlap " << across << " x " << down << " pixels";
        }
    // The frame is a control of the window too.
    for (const ButtonSpec& b : buttons) {
        if (b.group == stamps::Group::UserCopy) continue;
        const auto [across, down] = overlap(b.place, frame().place);
        EXPECT_LE(std::min(across, down), 1) << b.name << " overlaps the frame";
    }
}

TEST(ButtonTableProperties, EveryButtonLiesInsideTheWindowOrItsFrame) {
    EXPECT_TRUE(inside(frame().place, kClientArea));
    for (const ButtonSpec& b : stamps::allButtons()) {
        const bool inFrame = b.group == stamps::Group::UserCopy;
        EXPECT_TRUE(inside(b.place, inFrame ? frame().place : kClientArea))
            << b.name << (inFrame ? " reaches outside the frame" : " reaches outside the window");
    }
}

TEST(ButtonTableProperties, TabIndexesAreUnique) {
    std::map<int, std::string_view> taken;
    const auto take = [&](int tabIndex, std::string_view name) {
        if (tabIndex < 0) return;
        const auto [it, fresh] = taken.emplace(tabIndex, name);
        EXPECT_TRUE(fresh) << name << " has tab index " << tabIndex << ", like " << it->second;
    };
    for (const ButtonSpec& b : stamps::allButtons())
        take(b.tabIndex, b.name);
    for (const stamps::GroupSpec& g : stamps::allGroups())
        take(g.tabIndex, g.name);
    // 0-5 belong to the canvases and the file panes.
    EXPECT_GT(taken.begin()->first, 5);
}

// The strips that the design places one row past the bottom, so that their last row is dropped.
bool losesItsLastRowByDesign(std::string_view name) {
    for (std::string_view strip : {"Command27", "Command26", "Command25", "Command7"})
        if (name == strip) return true;
    return false;
}

TEST(ButtonTableProperties, EveryPaintStaysOnTheCanvasAndInsideItsPicture) {
    core::ImageLibrary library;
    constexpr int kCanvas = 256;
    for (const ButtonSpec& b : stamps::allButtons()) {
        for (const stamps::PaintStep& step : b.steps) {
            SCOPED_TRACE(std::string(b.name));
            const core::PaintArgs& a = step.args;
            // Band copies take their rows from the marker, which holds canvas rows only.
            const int y1 = step.bandRows ? 0 : int(a.y1), h1 = step.bandRows ? 1 : a.height1;
            EXPECT_GE(int(a.x1), 0);
            EXPECT_GE(y1, 0);
            EXPECT_GT(a.width1, 0);
            EXPECT_GT(h1, 0);
            EXPECT_LE(int(a.x1) + a.width1, kCanvas);
            EXPECT_LE(y1 + h1, kCanvas + (losesItsLastRowByDesign(b.name) ? 1 : 0));

            // The source rectangle lies inside its picture: a library image as it is, or a 256 x 256
            // skin, which every stamp is made for.
            int width = kCanvas, height = kCanvas;
            if (step.source == stamps::PictureSource::Library) {
                ASSERT_FALSE(core::embeddedBmp(step.image).empty()) << core::imageName(step.image);
                const core::Picture& picture = library.picture(step.image);
                ASSERT_FALSE(picture.isEmpty()) << core::imageName(step.image);
                width = picture.width();
                height = picture.height();
            }
            const int y2 = step.bandRows ? 0 : a.y2;
            EXPECT_GE(a.x2, 0);
            EXPECT_GE(y2, 0);
            EXPECT_LE(a.x2 + a.width2.value_or(std::int16_t(width - a.x2)), width);
            if (!step.bandRows) {
                EXPECT_LE(y2 + a.height2.value_or(std::int16_t(height - y2)), height);
            }
        }
    }
}

} // namespace
