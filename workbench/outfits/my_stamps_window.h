#pragma once
// The "My Stamps" window `frmMyStamps`: the user's own stamps (stamps/own_stamps.h) as a second
// family of buttons beside the classic window, one group a kind (masks, bodies, accessories,
// accessories by multiply), each button with a small picture of its stamp and its name. A
// button presses its stamp as one step of the history, as the classic stamps are pressed; its
// context menu renames it or moves its file to the desktop's trash. Each group adds a stamp
// from a picture file, and the masks' group keeps the mask last made from a bare body. A stamp
// that is missing or broken shows as unavailable with its reason (its tooltip, and the status
// line when pressed).

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "stamps/own_stamps.h"
#include "stamps/workspace.h"

class QScrollArea;
class QLabel;

namespace workbench {

class MyStampsWindow : public QWidget {
    Q_OBJECT
  public:
    // The stamps of the folder the environment names (stamps::defaultStampsFolder).
    MyStampsWindow(stamps::Workspace& workspace, QWidget* parent);

    // Reads the folder anew and shows its stamps.
    void reload();
    // Shows the window beside mainWindow (on its left, where the preview is not), or raises it;
    // the folder is read anew whenever the window comes up.
    void showBeside(const QWidget* mainWindow);
    const std::vector<stamps::OwnStamp>& stamps() const { return m_stamps; }

  signals:
    void edited();                  // a stamp was pressed: the canvases changed
    void said(const QString& text); // for the status line

  private:
    void press(const QString& name);
    void addFromFile(stamps::OwnKind kind);
    void keepMadeMask();
    void rename(const QString& name);
    void remove(const QString& name);
    // Adds picture as a stamp of kind, asking its name (suggested first).
    void addStamp(stamps::OwnKind kind, const core::Picture& picture, const QString& suggested);
    const stamps::OwnStamp* find(const QString& name) const;
    QWidget* buildKind(const stamps::OwnKindSpec& kind);

    stamps::Workspace& m_workspace;
    std::string m_folder;
    std::vector<stamps::OwnStamp> m_stamps;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_folderLabel = nullptr;
};

} // namespace workbench
