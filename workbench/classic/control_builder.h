#pragma once
// Builds controls from their control rows, whichever table holds them: places any control at
// its row's place with its font and tooltip, makes the labels of every window, chains the focus
// order by tab index, and creates the main window's buttons, their headings and the "User Copy"
// frame from the button table.

#include <QString>
#include <functional>
#include <string_view>
#include <vector>

#include "stamps/button_table.h"
#include "workbench/classic/form_layouts.h"

class QLabel;
class QPushButton;
class QWidget;

namespace workbench {

QString qString(std::string_view text);

// Gives widget its row's object name, place, font, tooltip and text colour; the text itself
// is the caller's, as each kind of control shows it its own way.
void placeControl(QWidget* widget, const ControlRow& row);

// A label of a layout or a group's heading: top-left aligned and wrapped at word boundaries like
// the classic ones, showing its row's caption.
QLabel* makeLabel(QWidget* parent, const ControlRow& row);

// A plain push button of a dialog, showing its row's caption.
QPushButton* makeButton(QWidget* parent, const ControlRow& row);

// Collects the controls that take the focus with their tab index and chains them in that order.
class FocusOrder {
  public:
    // Controls without an index (kNoTabIndex) follow all others, in the order they were added.
    void add(int tabIndex, QWidget* widget);
    // Every control of the layout that form holds and that can take the focus, with its row's
    // tab index.
    void addForm(QWidget* form, const FormSpec& layout);
    void apply() const;

  private:
    std::vector<std::pair<int, QWidget*>> m_controls;
};

// Creates the headings, the frame and every button of the table on window, and connects every
// button to clicked with its row.
void buildButtons(QWidget* window, const std::function<void(const stamps::ButtonSpec&)>& clicked,
                  FocusOrder& focusOrder);

} // namespace workbench
