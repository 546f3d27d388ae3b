#include "workbench/main_menu.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QString>

#include "workbench/version.h"

namespace workbench {
namespace {

enum class Menu { File, Edit, View, Help };

struct MenuTitle {
    Menu menu;
    const char* name;  // object name
    const char* title; // with its mnemonic
};
constexpr MenuTitle kMenus[] = {
    {Menu::File, "menuFile", "&File"},
    {Menu::Edit, "menuEdit", "&Edit"},
    {Menu::View, "menuView", "&View"},
    {Menu::Help, "menuHelp", "&Help"},
};

struct MenuRow {
    Menu menu;
    MenuCommand command;
    const char* name; // object name
    const char* text;
    const char* keys = ""; // portable text, several sequences parted by "; "
    bool separatorBefore = false;
};

// In menu order. Undo and Redo show these texts while there is nothing to undo or redo.
constexpr MenuRow kRows[] = {
    {Menu::File, MenuCommand::OpenSource, "actOpenSource", "Open &Source…", "Ctrl+O"},
    {Menu::File, MenuCommand::OpenDestination, "actOpenDestination", "Open &Destination…", "Ctrl+Shift+O"},
    {Menu::File, MenuCommand::Save, "actSave", "&Save Destination", "Ctrl+S", true},
    {Menu::File, MenuCommand::SaveAs, "actSaveAs", "Save Destination &As…", "Ctrl+Shift+S"},
    {Menu::File, MenuCommand::OpenRecent, "menuRecent", "Open &Recent", "", true},
    {Menu::File, MenuCommand::Quit, "actQuit", "&Quit", "Ctrl+Q", true},
    {Menu::Edit, MenuCommand::Undo, "actUndo", "&Undo", "Ctrl+Z"},
    {Menu::Edit, MenuCommand::Redo, "actRedo", "&Redo", "Ctrl+Shift+Z; Ctrl+Y"},
    {Menu::View, MenuCommand::Preview, "actPreview", "&Preview", "F3"},
    {Menu::Help, MenuCommand::About, "actAbout", "&About Quiltane"},
    {Menu::Help, MenuCommand::Version, "actVersion", kVersionLine},
};

const MenuRow& rowOf(MenuCommand command) {
    for (const MenuRow& row : kRows)
        if (row.command == command) return row;
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

MainMenu buildMainMenu(QWidget* window, const std::function<void(MenuCommand)>& run) {
    MainMenu built;
    built.bar = new QMenuBar(window);
    built.bar->setObjectName(QStringLiteral("menuBar"));
    built.bar->setNativeMenuBar(false);
    // The platform's menu font, as its menus use, not the classic controls' font of the window.
    built.bar->setFont(QApplication::font(built.bar));

    std::map<Menu, QMenu*> menus;
    for (const MenuTitle& title : kMenus) {
        QMenu* menu = built.bar->addMenu(QString::fromUtf8(title.title));
        menu->setObjectName(QString::fromLatin1(title.name));
        menus[title.menu] = menu;
    }
    for (const MenuRow& row : kRows) {
        QMenu* menu = menus.at(row.menu);
        if (row.separatorBefore) menu->addSeparator();
        const QString text = QString::fromUtf8(row.text);
        QAction* action = nullptr;
        if (row.command == MenuCommand::OpenRecent) {
            built.recent = menu->addMenu(text);
            built.recent->setObjectName(QString::fromLatin1(row.name));
            action = built.recent->menuAction();
        } else {
            action = menu->addAction(text);
            action->setObjectName(QString::fromLatin1(row.name));
            action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(row.keys)));
            if (row.command == MenuCommand::Version)
                action->setEnabled(false);
            else
                QObject::connect(action, &QAction::triggered, window,
                                 [run, command = row.command] { run(command); });
        }
        built.actions[row.command] = action;
    }
    return built;
}

} // namespace workbench
