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

std::optional<SaveAsChoice> askWithFileDialog(QWidget* parent, const QString& folder) {
    const QStringList filters = saveAsFilters();
    QString selected = filters.front();
    // The question before replacing comes after the ending is added, so the dialog asks none.
    const QString name = QFileDialog::getSaveFileName(parent, QStringLiteral("Save Destination As"), folder,
                                                      filters.join(QStringLiteral(";;")), &selected,
                                                      QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty()) return std::nullopt;
    const qsizetype row = std::max<qsizetype>(0, filters.indexOf(selected));
    return SaveAsChoice{name, stamps::allSaveFormats()[std::size_t(row)].format};
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
                                         const QString& folder) {
    const auto choice =
        prompts().chooseFile ? prompts().chooseFile(parent, folder) : askWithFileDialog(parent, folder);
    if (!choice || choice->name.isEmpty()) return std::nullopt;

    QString path = QDir(folder).absoluteFilePath(choice->name);
    const std::string_view ending = stamps::extensionOf(choice->type);
    if (QFileInfo(path).suffix().isEmpty())
        path += QString::fromLatin1(ending.data(), qsizetype(ending.size()));
    if (QFileInfo(path).isFile() && !confirmReplace(parent, path)) return std::nullopt;

    return saveDestinationTo(parent, workspace, path, choice->type);
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
