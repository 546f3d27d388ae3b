#include "workbench/dialogs/window_prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <utility>

#include "workbench/dialogs/message_box.h"
#include "workbench/picture_patterns.h"
#include "workbench/shown_path.h"

namespace workbench {
namespace {

WindowPrompts& prompts() {
    static WindowPrompts current;
    return current;
}

QString askWithFileDialog(QWidget* parent, const QString& title, const QString& folder,
                          const QString& types) {
    return QFileDialog::getOpenFileName(
        parent, title, folder, types.isEmpty() ? pictureFilter() + QStringLiteral(";;All files (*)") : types);
}

UnsavedAnswer askWithMessageBox(QWidget* parent) {
    QMessageBox box(QMessageBox::Question, kApplicationTitle,
                    QStringLiteral("Save changes to the destination skin?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return UnsavedAnswer::Save;
    case QMessageBox::Discard:
        return UnsavedAnswer::Discard;
    default: // Cancel, Esc, the box's close button
        return UnsavedAnswer::Cancel;
    }
}

bool askWithQuestionBox(QWidget* parent, const QString& path, const QString& reason) {
    QMessageBox box(QMessageBox::Warning, kApplicationTitle,
                    QStringLiteral("%1 cannot be moved to the trash: %2.\nDelete it for good? It cannot be "
                                   "brought back.")
                        .arg(shownPath(path), reason),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

WindowPrompts setWindowPrompts(WindowPrompts replacement) {
    return std::exchange(prompts(), std::move(replacement));
}

QString chooseFileToOpen(QWidget* parent, const QString& title, const QString& folder, const QString& types) {
    return prompts().chooseFile ? prompts().chooseFile(parent, title, folder)
                                : askWithFileDialog(parent, title, folder, types);
}

UnsavedAnswer askToSaveChanges(QWidget* parent) {
    return prompts().askToSaveChanges ? prompts().askToSaveChanges(parent) : askWithMessageBox(parent);
}

bool confirmDeleteForGood(QWidget* parent, const QString& path, const QString& reason) {
    return prompts().confirmDeleteForGood ? prompts().confirmDeleteForGood(parent, path, reason)
                                          : askWithQuestionBox(parent, path, reason);
}

} // namespace workbench
