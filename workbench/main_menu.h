#pragma once
// The menu bar above the classic window: File, Edit, View, Outfit and Help, built from one table of
// rows. Each row gives its menu, the command it runs, object name, text and keys; the window
// runs a command by its id and keeps the texts that change (Undo, Redo, Open Recent) up to date.

#include <functional>
#include <map>
#include <string>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace workbench {

// What the menu rows run. "Open Recent" and the version line run nothing themselves.
enum class MenuCommand {
    OpenSource,
    OpenDestination,
    Save,
    SaveAs,
    SaveClassic,
    SaveTones,
    Quit,
    Undo,
    Redo,
    Preview,
    BodyMannequin,
    BodyFromFile,
    MyStamps,
    MaskFromBody,
    MaskFile,
    BodyFile,
    About,
};

struct MainMenu {
    QMenuBar* bar = nullptr;
    std::map<MenuCommand, QAction*> actions;
    QMenu* recent = nullptr; // "Open Recent", a submenu the window fills

    QAction* action(MenuCommand command) const { return actions.at(command); }
    // Undo and Redo name the step they would undo or redo ("Undo Bikini 402"); with no step
    // they show their plain text, greyed.
    void showSteps(const std::string& undoName, const std::string& redoName) const;
    // The menu's keys work in window too (another top-level window, such as the preview), as
    // they do in the window that holds the menu bar.
    void shareKeys(QWidget* window) const;
};

// Builds `menuBar` on window (not a native one, so the window's height is known) and connects
// every row's action to run with its command.
MainMenu buildMainMenu(QWidget* window, const std::function<void(MenuCommand)>& run);

} // namespace workbench
