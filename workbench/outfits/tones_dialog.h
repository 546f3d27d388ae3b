#pragma once
// "Save in Every Tone" `dlgTones`: the garment on the destination put on each of the bodies
// chosen (the library's six at first, any of them, and body files added) and saved as one file
// a body in a folder, named after the destination's file and the body, 8-bit unless 24-bit is
// asked for. The canvases do not change; a failure writes no file of the set.

#include <QDialog>
#include <vector>

#include "stamps/bare_bodies.h"
#include "stamps/workspace.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace workbench {

class TonesDialog : public QDialog {
    Q_OBJECT
  public:
    TonesDialog(const stamps::Workspace& workspace, QWidget* parent);

    // Shows the dialog; the folder starts as the destination file's folder.
    void showDialog();

  signals:
    void said(const QString& text); // for the status line

  private:
    void addBodyFile();
    void chooseFolder();
    void save();

    const stamps::Workspace& m_workspace;
    std::vector<stamps::BareBody> m_files; // the body files added, after the library's in the list
    QListWidget* m_bodies = nullptr;
    QRadioButton* m_eightBit = nullptr;
    QLineEdit* m_folder = nullptr;
    QLabel* m_result = nullptr;
};

} // namespace workbench
