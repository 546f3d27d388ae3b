#pragma once
// Builds the window's controls from the button table: the buttons, their group headings and
// the "User Copy" frame, and the focus order of everything that takes the focus.

#include <QRect>
#include <QString>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "stamps/button_table.h"

class QLabel;
class QWidget;

namespace workbench {

// A stored position in twips as pixels, 15 twips to the pixel.
QRect pixelRect(const stamps::Twips& place);

QString qString(std::string_view text);

// A label of the layout: top-left aligned and wrapped at word boundaries like the classic
// ones, at its fixed place.
QLabel* makeLabel(QWidget* parent, std::string_view name, std::string_view caption,
                  const stamps::Twips& place, const std::optional<stamps::FontSpec>& font = std::nullopt,
                  std::string_view tooltip = {});

// Collects the controls that take the focus with their tab index and chains them in that order.
class FocusOrder {
  public:
    // Controls without an index (-1) follow all others, in the order they were added.
    void add(int tabIndex, QWidget* widget);
    void apply() const;

  private:
    std::vector<std::pair<int, QWidget*>> m_controls;
};

// Creates the headings, the frame and every button of the table on window, and connects each
// button that does something to clicked with its row.
void buildButtons(QWidget* window, const std::function<void(const stamps::ButtonSpec&)>& clicked,
                  FocusOrder& focusOrder);

} // namespace workbench
