#include "workbench/classic/file_discard.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <system_error>
#include <unistd.h>

#include "platform/trash.h"
#include "workbench/dialogs/message_box.h"
#include "workbench/dialogs/window_prompts.h"
#include "workbench/shown_path.h"

namespace workbench {
namespace {

QString cannotDelete(QWidget* parent, const QString& path, const std::string& reason) {
    showMessage(parent, QStringLiteral("Could not delete %1: %2.").arg(shownPath(path), QString::fromStdString(reason)));
    return {};
}

} // namespace

QString discardFile(QWidget* parent, const QString& path) {
    using Outcome = platform::Trashed::Outcome;
    const QByteArray native = QFile::encodeName(path);
    const QString name = shownPath(QFileInfo(path).fileName());
    const platform::Trashed trashed = platform::moveToTrash(native.toStdString());
    switch (trashed.outcome) {
    case Outcome::Moved:
        return QStringLiteral("Moved %1 to the trash").arg(name);
    case Outcome::Failed:
        return cannotDelete(parent, path, trashed.reason);
    case Outcome::NoTrash:
        break;
    }
    if (!confirmDeleteForGood(parent, path, QString::fromStdString(trashed.reason)))
        return QStringLiteral("%1 was not deleted").arg(name);
    // unlink, not remove: a folder that took the file's name meanwhile is never deleted.
    if (::unlink(native.constData()) != 0)
        return cannotDelete(parent, path, std::generic_category().message(errno));
    return QStringLiteral("Deleted %1 for good").arg(name);
}

} // namespace workbench
