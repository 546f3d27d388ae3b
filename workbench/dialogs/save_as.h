#pragma once
// "Save Destination As…": the destination canvas saved under a name the user picks in the
// platform's file dialog, in a format of stamps/save_format.h, whose rows give the dialog's file
// types: an 8-bit BMP the game loads as it is (the default type), a 24-bit BMP or a PNG. The
// dialog opens on the folder the caller gives (the destination file's, or the start-up folder)
// with the name box holding the name the caller gives (the destination file's); a name without
// an ending gets the type's (".bmp", ".png"), and a name whose ending names another kind of
// file is written as that kind, so that content and name agree; an existing file is replaced
// only when the user says so, and "No" brings the dialog back; a failure is told in one line,
// as the classic save dialog tells it.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "stamps/save_format.h"
#include "stamps/workspace.h"

class QWidget;

namespace workbench {

// The dialog's file types are the save formats.
using SaveAsType = stamps::SaveFormat;

// What the user picked: the file name as chosen (before its ending is added) and the type.
struct SaveAsChoice {
    QString name;
    SaveAsType type = SaveAsType::EightBit;
};

// How the command asks the user. Tests replace them so that no dialog blocks.
struct SaveAsPrompts {
    // The file and its type, or nothing when the user cancels. folder: where the dialog opens;
    // name: what its name box starts with (may be empty).
    std::function<std::optional<SaveAsChoice>(QWidget* parent, const QString& folder, const QString& name)>
        chooseFile;
    // Whether to replace the existing file at path.
    std::function<bool(QWidget* parent, const QString& path)> confirmReplace;
};
// Replaces the prompts; empty ones restore the dialogs. Returns the previous prompts.
SaveAsPrompts setSaveAsPrompts(SaveAsPrompts prompts);

// Whether to replace the existing file at path, as the user answers "already exists" (or the
// prompt that replaces the question). Every save under a name the user gives asks it.
bool confirmReplace(QWidget* parent, const QString& path);

// The dialog's file types as its name filters, one for each save format, the default first.
QStringList saveAsFilters();

// A file written: its absolute path, its format, and what the window's status line says
// ("Saved skin2.bmp, 8-bit, 231 colours, exact").
struct SavedAs {
    QString path;
    stamps::SaveFormat format = stamps::SaveFormat::TrueColour;
    QString said;
};

// What the status line says of a file saved at path: "Saved skin2.bmp, " and the format's
// description of the save.
QString savedSaying(const QString& path, const std::string& description);

// Saves the workspace's destination canvas at path (absolute) in the format, replacing the
// file there without asking: Ctrl+S's save back to the destination's own file, and the end of
// Save As. Nothing when the save fails (the failure shown in a message box over parent).
std::optional<SavedAs> saveDestinationTo(QWidget* parent, const stamps::Workspace& workspace,
                                         const QString& path, stamps::SaveFormat format);

// Runs the command on the workspace's destination canvas, the file dialog opening on folder with
// name in its name box. Returns nothing when the user cancels, or when the save fails (the
// failure shown in a message box over parent).
std::optional<SavedAs> saveDestinationAs(QWidget* parent, const stamps::Workspace& workspace,
                                         const QString& folder, const QString& name = {});

} // namespace workbench
