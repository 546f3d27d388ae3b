#include "workbench/dialogs/window_prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <utility>

#include "workbench/dialogs/message_box.h"

namespace workbench {
namespace {

WindowPrompts& prompts() {
    static WindowPrompts current;
    return current;
}

QString askWithFileDialog(QWidget* parent, const QString& title, const QString& folder,
                          const QString& types) {
    return QFileDialog::getOpenFileName(
        parent, title, folder,
        types.isEmpty() ? QStringLiteral("BMP pictures (*.bmp *.BMP);;All files (*)") : types);
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

} // namespace workbench
