#include "workbench/dialogs/save_as.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <algorithm>
#include <utility>

#include "stamps/files.h"
#include "workbench/dialogs/message_box.h"
#include "workbench/guarded_save.h"
#include "workbench/shown_path.h"

namespace workbench {
namespace {

std::optional<SaveAsChoice> askWithFileDialog(QWidget* parent, const QString& folder, const QString& name) {
    const QStringList filters = saveAsFilters();
    QString selected = filters.front();
    // The question before replacing comes after the ending is added, so the dialog asks none.
    // A file path as the dialog's start opens its folder with its name in the name box.
    const QString start = name.isEmpty() ? folder : QDir(folder).filePath(name);
    const QString chosen = QFileDialog::getSaveFileName(parent, QStringLiteral("Save Destination As"), start,
                                                        filters.join(QStringLiteral(";;")), &selected,
                                                        QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty()) return std::nullopt;
    const qsizetype row = std::max<qsizetype>(0, filters.indexOf(selected));
    return SaveAsChoice{chosen, stamps::allSaveFormats()[std::size_t(row)].format};
}

// The type a save writes to path when the user chose `chosen`: where the name's own ending
// names another kind of file than the chosen type writes, that kind's first type ("skin.png"
// under a BMP type is written as a PNG; "skin.bmp" under the PNG type as the 8-bit BMP), so
// that a file's content always matches its name.
stamps::SaveFormat typeForName(stamps::SaveFormat chosen, const QString& path) {
    const std::string name = QFile::encodeName(QFileInfo(path).fileName()).toStdString();
    const core::PictureFormat written = stamps::saveFormatSpec(chosen).file;
    if (core::hasExtension(name, written)) return chosen;
    for (const stamps::SaveFormatSpec& row : stamps::allSaveFormats())
        if (core::hasExtension(name, row.file)) return row.format;
    return chosen;
}

bool askToReplace(QWidget* parent, const QString& path) {
    return QMessageBox::question(
               parent, kApplicationTitle,
               QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(shownPath(path)),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

SaveAsPrompts& prompts() {
    static SaveAsPrompts current;
    return current;
}

} // namespace

SaveAsPrompts setSaveAsPrompts(SaveAsPrompts replacement) {
    return std::exchange(prompts(), std::move(replacement));
}

bool confirmReplace(QWidget* parent, const QString& path) {
    return prompts().confirmReplace ? prompts().confirmReplace(parent, path) : askToReplace(parent, path);
}

QStringList saveAsFilters() {
    QStringList filters;
    for (const stamps::SaveFormatSpec& row : stamps::allSaveFormats())
        filters << QString::fromUtf8(row.dialogFilter.data(), qsizetype(row.dialogFilter.size()));
    return filters;
}

std::optional<SavedAs> saveDestinationAs(QWidget* parent, const stamps::Workspace& workspace,
                                         const QString& folder, const QString& name) {
    QString dialogFolder = folder, dialogName = name;
    for (;;) {
        const auto choice = prompts().chooseFile ? prompts().chooseFile(parent, dialogFolder, dialogName)
                                                 : askWithFileDialog(parent, dialogFolder, dialogName);
        if (!choice || choice->name.isEmpty()) return std::nullopt;

        QString path = QDir(dialogFolder).absoluteFilePath(choice->name);
        const std::string_view ending = stamps::extensionOf(choice->type);
        if (QFileInfo(path).suffix().isEmpty())
            path += QString::fromLatin1(ending.data(), qsizetype(ending.size()));
        if (!QFileInfo(path).isFile() || confirmReplace(parent, path))
            return saveDestinationTo(parent, workspace, path, typeForName(choice->type, path));
        // "No": the dialog again, where the user was, to pick another name.
        dialogFolder = QFileInfo(path).absolutePath();
        dialogName = QFileInfo(path).fileName();
    }
}

std::optional<SavedAs> saveDestinationTo(QWidget* parent, const stamps::Workspace& workspace,
                                         const QString& path, stamps::SaveFormat format) {
    const std::string nativePath = QFile::encodeName(path).toStdString();
    // What the status line says of the save: "8-bit, 231 colours, exact".
    const core::Result<std::string> saved =
        guardedSave(nativePath, [&] { return stamps::saveDestination(workspace, format, nativePath); });
    if (!saved) {
        showMessage(parent, QString::fromStdString(saved.message()));
        return std::nullopt;
    }
    return SavedAs{path, format, savedSaying(path, saved.value())};
}

QString savedSaying(const QString& path, const std::string& description) {
    // The name alone for a file in the start-up folder, else the whole path.
    const QFileInfo file(path);
    const QString where =
        file.absolutePath() == QDir::current().absolutePath() ? shownPath(file.fileName()) : shownPath(path);
    return QStringLiteral("Saved %1, %2").arg(where, QString::fromStdString(description));
}

} // namespace workbench
