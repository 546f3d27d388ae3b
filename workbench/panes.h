#pragma once
// The source and destination panes: a folder list over a file list of BMP files each. Picking
// a file opens it into the pane's canvas; the panes also delete files and lock the destination
// list against stray clicks.

#include <QObject>
#include <QString>
#include <functional>

#include "stamps/runner.h"

class QLabel;
class QWidget;

namespace workbench {

class FileList;
class FolderList;

enum class Pane { Source, Destination };

class Panes : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        // A file was loaded into the canvas: show it anew.
        std::function<void(stamps::CanvasId)> canvasLoaded;
        // Opening a destination file proposes this name to the save dialog.
        std::function<void(const QString&)> proposeSaveName;
    };

    // Creates `Dir1`, `FilMain`, `lblSource`, `DirTwo` and `FilTwo` on window at their places
    // in the main window's layout, all on the process's current directory.
    Panes(QWidget* window, stamps::Workspace& workspace, Hooks hooks);

    FolderList* folderList(Pane pane) const;
    FileList* fileList(Pane pane) const;

    void openSource(const QString& name); // `FilMain_Click`
    void openTarget(const QString& name); // `FilTwo_Click`
    void switchLock();                    // `FilTwo_DblClick`
    void releaseLock();                   // `Form_DblClick`
    // `Command28_Click` and `Command37_Click`: deletes the selected file when its name ends in
    // ".bmp" exactly, then lists both folders anew. A failed delete is told to the user.
    void deleteSelected(Pane pane);
    // `FilMain` then `FilTwo` list their folders anew.
    void refreshLists();

  private:
    QString fullPath(Pane pane, const QString& name) const;
    // Loads the named file of the pane's folder into its canvas and titles the window with its
    // path; false, changing nothing, when the file cannot be read.
    bool open(Pane pane, const QString& name);

    QWidget* m_window;
    stamps::Workspace& m_workspace;
    Hooks m_hooks;
    FolderList* m_dir1;
    FileList* m_filMain;
    QLabel* m_lblSource;
    FolderList* m_dirTwo;
    FileList* m_filTwo;
};

} // namespace workbench
