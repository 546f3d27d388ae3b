#include "workbench/preview/body_note.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace workbench {

QLabel* makeBodyNote(QWidget* parent) {
    auto* note = new QLabel(parent);
    note->setObjectName(QStringLiteral("lblBody"));
    note->hide();
    return note;
}

void showBodyNote(QLabel* note, const QString& file) {
    note->setText(
        QStringLiteral("On %1; the seam check is the mannequin's.").arg(QFileInfo(file).fileName()));
    note->setToolTip(QDir::toNativeSeparators(file));
    note->setVisible(!file.isEmpty());
}

} // namespace workbench
