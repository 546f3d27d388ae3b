#include "workbench/main_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QString>

#include "workbench/version.h"

namespace workbench {
namespace {

// The menus of the bar, then the submenus that a row of another menu holds.
enum class Menu { File, Edit, View, Outfit, Help, Body };

struct MenuTitle {
    Menu menu;
    const char* name;  // object name
    const char* title; // with its mnemonic
};
constexpr MenuTitle kMenus[] = {
    {Menu::File, "menuFile", "&File"}, {Menu::Edit, "menuEdit", "&Edit"},
    {Menu::View, "menuView", "&View"}, {Menu::Outfit, "menuOutfit", "&Outfit"},
    {Menu::Help, "menuHelp", "&Help"},
};

// What a row puts into its menu.
enum class Item {
    Command,     // an action that runs the row's command
    Choice,      // likewise, one of the menu's choices: the window checks the one in use
    Submenu,     // the submenu of the row's `opens`, holding that menu's rows
    RecentFiles, // "Open Recent": the submenu that the window fills with the recent files
    Note,        // a greyed line that only shows its text
};

struct MenuRow {
    Menu menu;
    Item item;
    MenuCommand command; // Item::Command and Item::Choice only
    const char* name;    // object name
    const char* text;
    const char* keys = ""; // portable text, several sequences parted by "; "
    bool separatorBefore = false;
    Menu opens = Menu::File; // Item::Submenu only
};

// In menu order. Undo and Redo show these texts while there is nothing to undo or redo.
constexpr MenuRow kRows[] = {
    {Menu::File, Item::Command, MenuCommand::OpenSource, "actOpenSource", "Open &Source…", "Ctrl+O"},
    {Menu::File, Item::Command, MenuCommand::OpenDestination, "actOpenDestination", "Open &Destination…",
     "Ctrl+Shift+O"},
    {Menu::File, Item::Command, MenuCommand::Save, "actSave", "&Save Destination", "Ctrl+S", true},
    {Menu::File, Item::Command, MenuCommand::SaveAs, "actSaveAs", "Save Destination &As…", "Ctrl+Shift+S"},
    {Menu::File, Item::Command, MenuCommand::SaveClassic, "actSaveClassic", "Save in the &Classic Dialog…"},
    {Menu::File, Item::Command, MenuCommand::SaveTones, "actSaveTones", "Save in Every &Tone…", "Ctrl+T"},
    {Menu::File, Item::RecentFiles, {}, "menuRecent", "Open &Recent", "", true},
    {Menu::File, Item::Command, MenuCommand::Quit, "actQuit", "&Quit", "Ctrl+Q", true},
    {Menu::Edit, Item::Command, MenuCommand::Undo, "actUndo", "&Undo", "Ctrl+Z"},
    {Menu::Edit, Item::Command, MenuCommand::Redo, "actRedo", "&Redo", "Ctrl+Shift+Z; Ctrl+Y"},
    {Menu::View, Item::Command, MenuCommand::Preview, "actPreview", "&Preview", "F3"},
    {.menu = Menu::View,
     .item = Item::Submenu,
     .command = {},
     .name = "menuBody",
     .text = "&Body",
     .opens = Menu::Body},
    {Menu::Body, Item::Choice, MenuCommand::BodyMannequin, "actBodyMannequin", "&Mannequin"},
    {Menu::Body, Item::Choice, MenuCommand::BodyFromFile, "actBodyFromFile", "&From File…"},
    {Menu::Outfit, Item::Command, MenuCommand::MyStamps, "actMyStamps", "&My Stamps", "F4"},
    {Menu::Outfit, Item::Command, MenuCommand::MaskFromBody, "actMaskFromBody", "Mask from &Bare Body…",
     "Ctrl+B", true},
    {Menu::Outfit, Item::Command, MenuCommand::MaskFile, "actMaskFile", "Cut with a Mask &File…"},
    {Menu::Outfit, Item::Command, MenuCommand::BodyFile, "actBodyFile", "Fill with a B&ody File…"},
    {Menu::Help, Item::Command, MenuCommand::About, "actAbout", "&About Quiltane"},
    {Menu::Help, Item::Note, {}, "actVersion", kVersionLine},
};

const MenuRow& rowOf(MenuCommand command) {
    for (const MenuRow& row : kRows)
        if (row.item == Item::Command && row.command == command) return row;
    return kRows[0];
}

void showStep(QAction* action, MenuCommand command, const std::string& step) {
    QString text = QString::fromUtf8(rowOf(command).text);
    // A caption's ampersand is shown, not taken for a mnemonic.
    if (!step.empty())
        text +=
            QLatin1Char(' ') + QString::fromStdString(step).replace(QLatin1Char('&'), QStringLiteral("&&"));
    action->setText(text);
    action->setEnabled(!step.empty());
}

} // namespace

void MainMenu::showSteps(const std::string& undoName, const std::string& redoName) const {
    showStep(action(MenuCommand::Undo), MenuCommand::Undo, undoName);
    showStep(action(MenuCommand::Redo), MenuCommand::Redo, redoName);
}

void MainMenu::shareKeys(QWidget* window) const {
    // A window's shortcuts are those of the actions added to it.
    for (const auto& [command, action] : actions)
        if (!action->shortcut().isEmpty()) window->addAction(action);
}

MainMenu buildMainMenu(QWidget* window, const std::function<void(MenuCommand)>& run) {
    MainMenu built;
    built.bar = new QMenuBar(window);
    built.bar->setObjectName(QStringLiteral("menuBar"));
    built.bar->setNativeMenuBar(false);
    // The platform's menu font, as its menus use, not the classic controls' font of the window.
    built.bar->setFont(QApplication::font(built.bar));

    std::map<Menu, QMenu*> menus;
    std::map<Menu, QActionGroup*> choices; // a menu's Item::Choice rows, one of them checked
    for (const MenuTitle& title : kMenus) {
        QMenu* menu = built.bar->addMenu(QString::fromUtf8(title.title));
        menu->setObjectName(QString::fromLatin1(title.name));
        menus[title.menu] = menu;
    }
    for (const MenuRow& row : kRows) {
        QMenu* menu = menus.at(row.menu);
        if (row.separatorBefore) menu->addSeparator();
        const QString text = QString::fromUtf8(row.text);
        if (row.item == Item::RecentFiles || row.item == Item::Submenu) {
            QMenu* submenu = menu->addMenu(text);
            submenu->setObjectName(QString::fromLatin1(row.name));
            if (row.item == Item::RecentFiles)
                built.recent = submenu;
            else
                menus[row.opens] = submenu;
            continue;
        }
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(row.name));
        action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(row.keys)));
        if (row.item == Item::Choice) {
            QActionGroup*& group = choices[row.menu];
            if (!group) group = new QActionGroup(menu);
            action->setCheckable(true);
            group->addAction(action);
        }
        if (row.item == Item::Note) {
            action->setEnabled(false);
            continue;
        }
        QObject::connect(action, &QAction::triggered, window, [run, command = row.command] { run(command); });
        built.actions[row.command] = action;
    }
    return built;
}

} // namespace workbench
