#include "workbench/classic/pane_sides.h"

#include <algorithm>
#include <iterator>

namespace workbench {
namespace {

constexpr PaneSide kSides[] = {
    {Pane::Source, stamps::CanvasId::picSource, stamps::Action::DeleteSource, "source", "Open Source"},
    {Pane::Destination, stamps::CanvasId::picTarget, stamps::Action::DeleteTarget, "destination",
     "Open Destination"},
};

// The side whose field holds value, or null; every pane and every canvas has one.
template <typename Field, typename Value> const PaneSide* find(Field PaneSide::*field, const Value& value) {
    const PaneSide* found = std::ranges::find(kSides, value, field);
    return found == std::end(kSides) ? nullptr : found;
}

} // namespace

std::span<const PaneSide> paneSides() {
    return kSides;
}

const PaneSide& sideOf(Pane pane) {
    return *find(&PaneSide::pane, pane);
}

const PaneSide& sideOf(stamps::CanvasId canvas) {
    return *find(&PaneSide::canvas, canvas);
}

const PaneSide* sideNamed(std::string_view word) {
    return find(&PaneSide::word, word);
}

} // namespace workbench
