#pragma once
// The body the preview shows the skin on, chosen in View → Body: the mannequin, or a body mesh
// from a Wavefront OBJ file ("From File…"). The choice is kept between runs in the user's
// settings; a remembered file is read when the preview first needs it, and one that no longer
// reads gives way to the mannequin with a word in the status line, never a failure to start.

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "preview/body.h"

class QAction;
class QWidget;

namespace workbench {

class BodyChoice : public QObject {
    Q_OBJECT
  public:
    explicit BodyChoice(QObject* parent);

    // The menu's two rows, which then show the choice with a check mark.
    void showIn(QAction* mannequin, QAction* fromFile);

    // The body to show; a remembered file is read on the first call.
    std::shared_ptr<const preview::Body> body();
    // The file the body comes from, absolute; empty for the mannequin.
    const QString& file() const { return m_file; }

    void useMannequin();
    // Reads the file and shows its body; a file that cannot be read is refused with its reason,
    // and the body shown stays. Whether it was read.
    bool useFile(const QString& path);
    // "From File…": the file the user picks, opening where the last one lay.
    void chooseFile(QWidget* parent);

  signals:
    // body() and file() give another body.
    void changed();
    // What the status line should say.
    void said(const QString& text);

  private:
    void show(std::shared_ptr<const preview::Body> body, const QString& file);

    QString m_file;                              // as the settings hold it
    std::shared_ptr<const preview::Body> m_body; // null until read
    QPointer<QAction> m_mannequinRow, m_fileRow;
};

} // namespace workbench
