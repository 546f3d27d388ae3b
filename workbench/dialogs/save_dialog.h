#pragma once
// The save dialog `frmSave`: a name box and a "Save" button that writes the destination
// canvas under the typed name with ".bmp" added. Modeless; destroyed by its close button.

#include <QWidget>
#include <functional>

#include "core/picture.h"

class QLineEdit;

namespace workbench {

class SaveDialog : public QWidget {
    Q_OBJECT
  public:
    // image yields what is to be saved at the moment "Save" is pressed.
    SaveDialog(std::function<core::Picture()> image, QWidget* owner);

    QString name() const;
    void setName(const QString& name);

    // Shows the dialog, centred over its owner the first time, and brings it to the front with
    // the focus in the name box and its text selected.
    void showDialog();

  signals:
    // A file was written; the file lists should list their folders anew.
    void saved();

  private:
    void save(); // `Command1_Click`

    std::function<core::Picture()> m_image;
    QLineEdit* m_name = nullptr;
    bool m_placed = false;
};

// The absolute path a name box text saves to: blanks (spaces only) trimmed at both ends,
// ".bmp" appended, a name without a folder in the process's current directory.
QString saveFileName(const QString& text);

} // namespace workbench
