#include "workbench/classic/pane_sides.h"

namespace workbench {
namespace {

constexpr PaneSide kSides[] = {
    {Pane::Source, stamps::CanvasId::picSource, stamps::Action::DeleteSource, "source", "Open Source"},
    {Pane::Destination, stamps::CanvasId::picTarget, stamps::Action::DeleteTarget, "destination",
     "Open Destination"},
};

} // namespace

std::span<const PaneSide> paneSides() {
    return kSides;
}

const PaneSide& sideOf(Pane pane) {
    for (const PaneSide& side : kSides)
        if (side.pane == pane) return side;
    return kSides[0];
}

const PaneSide& sideOf(stamps::CanvasId canvas) {
    for (const PaneSide& side : kSides)
        if (side.canvas == canvas) return side;
    return kSides[0];
}

const PaneSide* sideNamed(std::string_view word) {
    for (const PaneSide& side : kSides)
        if (side.word == word) return &side;
    return nullptr;
}

} // namespace workbench
