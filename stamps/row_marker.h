#pragma once
// The row marker: the two rows clicked last on the destination canvas, kept as the captions of
// lblY1 (the last click) and lblY2 (the click before), which the band copies read back.

#include <cstdint>
#include <string>

#include "core/status.h"

namespace stamps {

// Rows top .. top + height - 1 of the canvas.
struct Band {
    std::int16_t top = 0;
    std::int16_t height = 0;
};

class RowMarker {
  public:
    // A mouse-down on row y of the destination canvas.
    void mark(double y);
    const std::string& lastCaption() const { return m_lastCaption; }         // lblY1
    const std::string& previousCaption() const { return m_previousCaption; } // lblY2
    // The band between the two marked rows (see row_marker.cpp for the rule).
    core::Result<Band> band() const;

  private:
    std::string m_lastCaption = "Label8";
    std::string m_previousCaption = "Label9";
};

} // namespace stamps
