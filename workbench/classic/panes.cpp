#include "workbench/classic/panes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include "stamps/files.h"
#include "workbench/classic/control_builder.h"
#include "workbench/classic/file_discard.h"
#include "workbench/classic/file_lists.h"
#include "workbench/classic/form_layouts.h"
#include "workbench/dialogs/message_box.h"

namespace workbench {
namespace {

std::string nativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The name of the file, without its folder.
QString fileName(const stamps::FileOrigin& file) {
    return QFileInfo(QFile::decodeName(file.path.c_str())).fileName();
}

// The name without its last four characters (its ".bmp" or ".png"), followed by "2".
QString defaultSaveName(const QString& name) {
    return name.left(std::max<qsizetype>(0, name.size() - 4)) + QLatin1Char('2');
}

} // namespace

Panes::Panes(QWidget* window, stamps::Workspace& workspace, Hooks hooks)
    : QObject(window), m_window(window), m_workspace(workspace), m_hooks(std::move(hooks)) {
    const QString start = QDir::currentPath();
    const FormSpec& layout = mainWindowLayout();
    m_dir1 = new FolderList(start, window);
    placeControl(m_dir1, layout.control("Dir1"));
    m_filMain = new FileList(start, window);
    placeControl(m_filMain, layout.control("FilMain"));
    m_lblSource = makeLabel(window, layout.control("lblSource"));
    m_dirTwo = new FolderList(start, window);
    placeControl(m_dirTwo, layout.control("DirTwo"));
    m_filTwo = new FileList(start, window);
    placeControl(m_filTwo, layout.control("FilTwo"));

    // The file list follows its folder list; browsing never changes the current directory.
    connect(m_dir1, &FolderList::folderChanged, m_filMain, &FileList::setFolder);
    connect(m_dirTwo, &FolderList::folderChanged, m_filTwo, &FileList::setFolder);
    connect(m_filMain, &FileList::filePicked, this, &Panes::openSource);
    connect(m_filTwo, &FileList::filePicked, this, &Panes::openTarget);
    connect(m_filTwo, &FileList::listDoubleClicked, this, &Panes::switchLock);
}

FolderList* Panes::folderList(Pane pane) const {
    return pane == Pane::Source ? m_dir1 : m_dirTwo;
}

FileList* Panes::fileList(Pane pane) const {
    return pane == Pane::Source ? m_filMain : m_filTwo;
}

QString Panes::fullPath(Pane pane, const QString& name) const {
    // QDir joins with one separator, also in the root folder.
    return QDir(folderList(pane)->folder()).filePath(name);
}

bool Panes::open(Pane pane, const QString& path) {
    // A file that cannot be read stops the opening: canvas, title and labels stay, and the
    // status line names the file and the reason. Running out of memory says nothing about the
    // file, so it is shown in a message box.
    const stamps::CanvasId canvas = sideOf(pane).canvas;
    // The load is a step of the history, so a skin replaced by mistake comes back with undo.
    const stamps::Opened opened = stamps::openFile(m_workspace, canvas, nativePath(path));
    const QString message = QString::fromStdString(opened.status.message());
    if (!opened.loaded) {
        if (opened.status.isOutOfMemory())
            showMessage(m_window, message);
        else
            m_hooks.tell(message);
        return false;
    }
    if (!opened.status) showMessage(m_window, message);
    m_hooks.canvasLoaded(canvas, path);
    // What the file lost on the way in, once the canvas shows it: not a failure, but told.
    if (!opened.note.empty()) m_hooks.tell(QString::fromStdString(opened.note));
    return true;
}

void Panes::showFiles() {
    const stamps::FileOrigin* source = stamps::fileOf(m_workspace, stamps::CanvasId::picSource);
    m_lblSource->setText(source ? fileName(*source).left(4) : QString());
    // A new picture proposes its name once, and again only when undo or redo brings another:
    // a name the user typed stays while the destination is painted and saved.
    const core::Picture& target = m_workspace.picTarget.picture();
    if (target.isSameAs(m_named)) return;
    m_named = target;
    if (const stamps::FileOrigin* file = stamps::fileOf(m_workspace, stamps::CanvasId::picTarget))
        m_hooks.proposeSaveName(defaultSaveName(fileName(*file)));
}

void Panes::openSource(const QString& name) {
    open(Pane::Source, fullPath(Pane::Source, name));
}

void Panes::openTarget(const QString& name) {
    open(Pane::Destination, fullPath(Pane::Destination, name));
}

bool Panes::openFile(Pane pane, const QString& path) {
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    const QString name = file.fileName();
    // The path as the pane would give it: its folder, a separator, its name.
    if (!open(pane, QDir(folder).filePath(name))) return false;
    folderList(pane)->openFolder(folder);
    fileList(pane)->showSelected(name);
    return true;
}

void Panes::switchLock() {
    m_filTwo->setEnabled(!m_filTwo->isEnabled());
}

void Panes::releaseLock() {
    m_filTwo->setEnabled(true);
}

void Panes::deleteSelected(Pane pane) {
    const QString name = fileList(pane)->selectedName();
    // Only a name ending in ".bmp" exactly, in lower case, is deleted; SKIN.BMP is not.
    if (name.endsWith(QLatin1String(".bmp"), Qt::CaseSensitive)) {
        const QString said = discardFile(m_window, fullPath(pane, name));
        if (!said.isEmpty()) m_hooks.tell(said);
    }
    refreshLists();
}

void Panes::refreshLists() {
    m_filMain->refresh();
    m_filTwo->refresh();
}

} // namespace workbench
