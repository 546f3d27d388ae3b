#pragma once
// "Mask from Bare Body" `dlgMaskFromBody`: the destination holds a finished skin; the user names
// the bare body it was painted on (a library body or a body file) and a tolerance, sees how many
// pixels differ from that body, and applies the mask they make (black garment, white bare
// skin), one step of the history. The mask stays the workspace's made mask, which the "My
// Stamps" window can keep as a stamp.

#include <QDialog>
#include <optional>
#include <vector>

#include "stamps/bare_bodies.h"
#include "stamps/workspace.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace workbench {

class MaskFromBodyDialog : public QDialog {
    Q_OBJECT
  public:
    MaskFromBodyDialog(stamps::Workspace& workspace, QWidget* parent);

  public slots:
    // Counts anew the pixels that differ, for the destination as it shows now.
    void measure();

  signals:
    void edited();                  // the mask was applied: the canvases changed
    void said(const QString& text); // for the status line

  private:
    void addBodyFile();
    void apply();
    // The body chosen, or why there is none (said in the dialog).
    std::optional<stamps::BareBody> chosenBody(QString& why) const;

    stamps::Workspace& m_workspace;
    std::vector<stamps::BareBody> m_files; // the body files added, after the library's in the list
    QComboBox* m_body = nullptr;
    QDoubleSpinBox* m_tolerance = nullptr;
    QLabel* m_count = nullptr;
};

} // namespace workbench
