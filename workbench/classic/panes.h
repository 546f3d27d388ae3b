#pragma once
// The source and destination panes: a folder list over a file list of BMP and PNG files each.
// Picking a file opens it into the pane's canvas; the panes also delete files and lock the
// destination list against stray clicks.

#include <QObject>
#include <QString>
#include <functional>

#include "stamps/workspace.h"
#include "workbench/classic/pane_sides.h"

class QLabel;
class QWidget;

namespace workbench {

class FileList;
class FolderList;

class Panes : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        // The file at path (absolute) was loaded into the canvas: show it anew.
        std::function<void(stamps::CanvasId, const QString& path)> canvasLoaded;
        // One line for the status line: a file that could not be opened, named with the
        // reason, what a file lost as it opened (a PNG file's transparency), or what a "Delete"
        // button did.
        std::function<void(const QString&)> tell;
        // Opening a destination file proposes this name to the save dialog.
        std::function<void(const QString&)> proposeSaveName;
    };

    // Creates `Dir1`, `FilMain`, `lblSource`, `DirTwo` and `FilTwo` on window (the main
    // window's classic area) at their places in its layout, all on the process's current
    // directory.
    Panes(QWidget* window, stamps::Workspace& workspace, Hooks hooks);

    FolderList* folderList(Pane pane) const;
    FileList* fileList(Pane pane) const;

    void openSource(const QString& name); // `FilMain_Click`
    void openTarget(const QString& name); // `FilTwo_Click`
    // Opens the file at path into the pane's canvas as picking it in the pane's file list does;
    // the folder list then shows the file's folder and the file list selects the file. A file
    // that cannot be opened changes nothing and is told. False when it could not be opened.
    bool openFile(Pane pane, const QString& path);
    void switchLock();  // `FilTwo_DblClick`
    void releaseLock(); // `Form_DblClick`
    // `Command28_Click` and `Command37_Click`: moves the selected file to the trash when its
    // name ends in ".bmp" exactly (asking before deleting it for good where no trash takes
    // it), then lists both folders anew. What became of the file is told to the user.
    void deleteSelected(Pane pane);
    // `FilMain` then `FilTwo` list their folders anew.
    void refreshLists();
    // Shows what follows the files the canvases' pictures came from, after any load, undo or
    // redo: `lblSource` the source file's name, and a destination picture not shown before
    // proposes its file's save name.
    void showFiles();
    // The destination was saved: the name box keeps what it holds for the picture saved.
    void destinationSaved() { m_named = m_workspace.picTarget.picture(); }

  private:
    QString fullPath(Pane pane, const QString& name) const;
    // Loads the file at path into the pane's canvas; false, changing nothing but the status
    // line, when the file cannot be read.
    bool open(Pane pane, const QString& path);

    QWidget* m_window;
    stamps::Workspace& m_workspace;
    Hooks m_hooks;
    FolderList* m_dir1;
    FileList* m_filMain;
    QLabel* m_lblSource;
    FolderList* m_dirTwo;
    FileList* m_filTwo;
    core::Picture m_named; // the destination picture whose file last proposed a save name
};

} // namespace workbench
