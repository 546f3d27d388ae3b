#pragma once
// The questions the window's commands ask through the platform's dialogs: which file to open
// (a BMP or PNG picture, or a body mesh for the preview), whether to save the destination's
// changes before quitting, and whether to delete a file for good that cannot go to the trash.
// Tests replace them so that nothing blocks.

#include <QString>
#include <functional>

class QWidget;

namespace workbench {

enum class UnsavedAnswer { Save, Discard, Cancel };

struct WindowPrompts {
    // The file to open, or empty when the user cancels. folder: where the dialog opens.
    std::function<QString(QWidget* parent, const QString& title, const QString& folder)> chooseFile;
    // "Save changes to the destination skin?" with Save, Discard and Cancel.
    std::function<UnsavedAnswer(QWidget* parent)> askToSaveChanges;
    // Whether to delete the file at path for good, since it cannot be moved to the trash for
    // the reason given; no is the safe answer.
    std::function<bool(QWidget* parent, const QString& path, const QString& reason)> confirmDeleteForGood;
};
// Replaces the prompts; empty ones restore the dialogs. Returns the previous prompts.
WindowPrompts setWindowPrompts(WindowPrompts prompts);

// BMP and PNG pictures unless the dialog's file types are given, as QFileDialog takes them.
QString chooseFileToOpen(QWidget* parent, const QString& title, const QString& folder,
                         const QString& types = {});
UnsavedAnswer askToSaveChanges(QWidget* parent);
bool confirmDeleteForGood(QWidget* parent, const QString& path, const QString& reason);

} // namespace workbench
