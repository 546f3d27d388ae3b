#pragma once
// The save dialog `frmSave`: a name box and a "Save" button that writes the destination
// canvas under the typed name with ".bmp" added, asking first before it replaces a file.
// Modeless, above its owner; Escape hides it, changing nothing; destroyed by its close button.

#include <QWidget>

#include "stamps/workspace.h"
#include "workbench/dialogs/save_as.h"

class QLineEdit;

namespace workbench {

class SaveDialog : public QWidget {
    Q_OBJECT
  public:
    // "Save" writes the workspace's destination canvas as it is at that moment, as a 24-bit BMP.
    SaveDialog(const stamps::Workspace& workspace, QWidget* owner);

    QString name() const;
    void setName(const QString& name);

    // Shows the dialog, centred over its owner the first time, and brings it to the front with
    // the focus in the name box and its text selected.
    void showDialog();

  signals:
    // A file was written, as a 24-bit BMP; the file lists should list their folders anew.
    void saved(const workbench::SavedAs& file);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void save(); // `Command1_Click`

    const stamps::Workspace& m_workspace;
    QLineEdit* m_name = nullptr;
    bool m_placed = false;
};

// The absolute path a name box text saves to: blanks (spaces only) trimmed at both ends,
// ".bmp" appended, a name without a folder in the process's current directory.
QString saveFileName(const QString& text);

} // namespace workbench
