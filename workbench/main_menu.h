#pragma once
// The menu bar above the classic window: File, Edit, View and Help, built from one table of
// commands. Each row gives its menu, object name, text and keys; the window runs a command by
// its id and keeps the texts that change (Undo, Redo, Open Recent) up to date.

#include <functional>
#include <map>
#include <string>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace workbench {

enum class MenuCommand {
    OpenSource,
    OpenDestination,
    Save,
    SaveAs,
    OpenRecent, // a submenu the window fills
    Quit,
    Undo,
    Redo,
    Preview,
    About,
    Version, // a greyed line that shows the version
};

struct MainMenu {
    QMenuBar* bar = nullptr;
    std::map<MenuCommand, QAction*> actions;
    QMenu* recent = nullptr; // "Open Recent"

    QAction* action(MenuCommand command) const { return actions.at(command); }
    // Undo and Redo name the step they would undo or redo ("Undo Bikini 402"); with no step
    // they show their plain text, greyed.
    void showSteps(const std::string& undoName, const std::string& redoName) const;
};

// Builds `menuBar` on window (not a native one, so the window's height is known) and connects
// every row's action to run with its command.
MainMenu buildMainMenu(QWidget* window, const std::function<void(MenuCommand)>& run);

} // namespace workbench
