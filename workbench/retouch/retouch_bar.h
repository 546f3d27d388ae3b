#pragma once
// The retouching tool bar `barRetouch` above the preview's zoom view: a button per tool, the
// colour and the second colour (a click chooses one), the last colours used, the pencil's size
// and the tolerance, then mirror, recolour and seam blending with its width. The buttons and
// the keys are made from the tool and command tables; the keys work wherever the focus is in
// the preview's skin column (click the skin to bring it there).

#include <QWidget>
#include <map>

#include "workbench/retouch/retouch_table.h"

class QAction;
class QDoubleSpinBox;
class QSpinBox;
class QToolButton;

namespace stamps {
struct Workspace;
}

namespace workbench {

class PreviewWindow;
class RetouchController;

class RetouchBar : public QWidget {
    Q_OBJECT
  public:
    // keys: the widget within which the keys work.
    RetouchBar(RetouchController& controller, QWidget* keys, QWidget* parent);

    QAction* action(RetouchCommand command) const { return m_commands.at(command); }
    QAction* action(RetouchTool tool) const { return m_tools.at(tool); }

    // Shows the controller's state: the tool, the colours, the size, what can run now.
    void showState();

  private:
    QWidget* makeToolRow();
    QWidget* makeColourRow();
    QWidget* makeCommandRow();
    QToolButton* commandButton(RetouchCommand command, const char* name);

    RetouchController& m_controller;
    std::map<RetouchTool, QAction*> m_tools;
    std::map<RetouchCommand, QAction*> m_commands;
    QToolButton* m_colour = nullptr;
    QToolButton* m_secondColour = nullptr;
    std::vector<QToolButton*> m_recent;
    QSpinBox* m_size = nullptr;
    QDoubleSpinBox* m_tolerance = nullptr;
    QSpinBox* m_blendWidth = nullptr;
};

// Adds retouching to the preview window: the bar above its zoom view and the controller on
// the zoom view, working on the workspace's destination. The preview owns both.
RetouchController& addRetouching(PreviewWindow& preview, stamps::Workspace& workspace);

} // namespace workbench
