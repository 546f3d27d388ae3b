#pragma once
// The two lists of a file pane: a folder list (the chain of folders from the root down to the
// current folder, then its subfolders) and a file list of the folder's "*.bmp" and "*.png"
// files.
//
// The folder icons are the style's, read from image files; the first such read loads every
// image format plugin, which would hold up the window's first appearance. So a folder list
// shows blank icons of the same size until it has been painted once, then the style's.

#include <QListWidget>
#include <QString>
#include <QTreeWidget>

namespace workbench {

class FolderList : public QTreeWidget {
    Q_OBJECT
  public:
    FolderList(const QString& folder, QWidget* parent);

    // The current folder, an absolute path.
    QString folder() const { return m_folder; }
    // Makes folder the current one, as a double-click on it does, and reports the change.
    // A folder that no longer exists is not entered; the list is read anew instead.
    void openFolder(const QString& folder);
    // Whether the folder icons are the style's yet, not the blank stand-ins.
    bool showsFolderIcons() const { return m_iconsShown; }

  signals:
    void folderChanged(const QString& folder);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The chain is always open: no expand or collapse marks.
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}

  private:
    void fill();
    QIcon folderIcon(bool open) const;
    void showFolderIcons();

    QString m_folder;
    bool m_iconsShown = false;
    bool m_iconsAsked = false; // after the first paint
};

class FileList : public QListWidget {
    Q_OBJECT
  public:
    FileList(const QString& folder, QWidget* parent);

    QString folder() const { return m_folder; }
    // Lists folder's files, nothing selected; nothing happens when it is already the folder.
    void setFolder(const QString& folder);
    // Lists the folder anew; the selected name stays selected while its file exists.
    void refresh();
    // Lists the folder anew with name selected, as if the user had picked it, but without
    // reporting it: the file is open already.
    void showSelected(const QString& name);
    // The selected file's bare name, or empty.
    QString selectedName() const;

  signals:
    // The user selected a file, by mouse or keyboard.
    void filePicked(const QString& name);
    // A double-click anywhere on the list.
    void listDoubleClicked();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void fill(const QString& keepSelected);

    QString m_folder;
};

// The names of the folder's files that end in ".bmp" or ".png" in any case (picturePatterns),
// sorted without regard to case. Hidden files are listed too: saving an empty name writes
// ".bmp".
QStringList pictureFilesIn(const QString& folder);

} // namespace workbench
