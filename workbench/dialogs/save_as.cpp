#include "workbench/dialogs/save_as.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <algorithm>
#include <utility>

#include "core/codec/bmp.h"
#include "core/eight_bit/eight_bit.h"
#include "workbench/guarded_save.h"
#include "workbench/dialogs/message_box.h"

namespace workbench {
namespace {

// How a save went, for the status line: "8-bit, 231 colours, exact".
using Saved = core::Result<QString>;

Saved saveEightBit(const core::Canvas& destination, const std::string& path) {
    const auto saved = core::saveEightBit(destination.image(), destination.picture(), path);
    if (!saved) return saved.status();
    const int colours = saved.value().colours;
    const std::string_view way = core::paletteWayName(saved.value().way);
    return QStringLiteral("8-bit, %1 %2, %3")
        .arg(colours)
        .arg(colours == 1 ? QStringLiteral("colour") : QStringLiteral("colours"))
        .arg(QString::fromUtf8(way.data(), qsizetype(way.size())));
}

Saved saveTrueColour(const core::Canvas& destination, const std::string& path) {
    if (core::Status saved = core::savePicture(destination.image(), path); !saved) return saved;
    return QStringLiteral("24-bit");
}

struct FileType {
    SaveAsType type;
    const char* filter; // the dialog's name filter
    Saved (*save)(const core::Canvas& destination, const std::string& path);
};
// The default first.
constexpr FileType kFileTypes[] = {
    {SaveAsType::EightBit, "8-bit BMP for the game (*.bmp)", saveEightBit},
    {SaveAsType::TrueColour, "24-bit BMP (*.bmp)", saveTrueColour},
};

const FileType& fileType(SaveAsType type) {
    for (const FileType& row : kFileTypes)
        if (row.type == type) return row;
    return kFileTypes[0];
}

std::optional<SaveAsChoice> askWithFileDialog(QWidget* parent, const QString& folder) {
    const QStringList filters = saveAsFilters();
    QString selected = filters.front();
    // The question before replacing comes after ".bmp" is added, so the dialog asks none.
    const QString name = QFileDialog::getSaveFileName(parent, QStringLiteral("Save Destination As"), folder,
                                                      filters.join(QStringLiteral(";;")), &selected,
                                                      QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty()) return std::nullopt;
    return SaveAsChoice{name, kFileTypes[std::max<qsizetype>(0, filters.indexOf(selected))].type};
}

bool askToReplace(QWidget* parent, const QString& path) {
    return QMessageBox::question(parent, kApplicationTitle,
                                 QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                     .arg(QDir::toNativeSeparators(path)),
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

QStringList saveAsFilters() {
    QStringList filters;
    for (const FileType& row : kFileTypes)
        filters << QString::fromLatin1(row.filter);
    return filters;
}

std::optional<SavedAs> saveDestinationAs(QWidget* parent, const core::Canvas& destination,
                                         const QString& folder) {
    const auto choice =
        prompts().chooseFile ? prompts().chooseFile(parent, folder) : askWithFileDialog(parent, folder);
    if (!choice || choice->name.isEmpty()) return std::nullopt;

    QString path = QDir(folder).absoluteFilePath(choice->name);
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".bmp");
    if (QFileInfo(path).isFile()) {
        const bool replace =
            prompts().confirmReplace ? prompts().confirmReplace(parent, path) : askToReplace(parent, path);
        if (!replace) return std::nullopt;
    }

    const std::string nativePath = QFile::encodeName(path).toStdString();
    const Saved saved =
        guardedSave(nativePath, [&] { return fileType(choice->type).save(destination, nativePath); });
    if (!saved) {
        showMessage(parent, QString::fromStdString(saved.message()));
        return std::nullopt;
    }
    // The name alone for a file in the start-up folder, else the whole path.
    const QFileInfo file(path);
    const QString where = file.absolutePath() == QDir::current().absolutePath()
                              ? file.fileName()
                              : QDir::toNativeSeparators(path);
    return SavedAs{path, QStringLiteral("Saved %1, %2").arg(where, saved.value())};
}

} // namespace workbench
