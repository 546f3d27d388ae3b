#include "workbench/classic/file_lists.h"

#include <QDir>
#include <QKeyEvent>
#include <QPixmap>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <algorithm>

#include "workbench/picture_patterns.h"

namespace workbench {
namespace {

constexpr int kPathRole = Qt::UserRole;
// True for the folders of the chain down to the current one, shown open.
constexpr int kOpenRole = Qt::UserRole + 1;
// Each level of the chain sits this many pixels right of its parent.
constexpr int kIndent = 8;

QString cleanFolder(const QString& folder) {
    return QDir::cleanPath(QDir(folder).absolutePath());
}

// The folders from the root down to folder, root first.
QStringList chainTo(const QString& folder) {
    QStringList chain;
    QDir dir(folder);
    chain.prepend(dir.absolutePath());
    while (!dir.isRoot() && dir.cdUp())
        chain.prepend(dir.absolutePath());
    return chain;
}

QString entryName(const QString& path) {
    const QString name = QDir(path).dirName();
    return name.isEmpty() || QDir(path).isRoot() ? QDir::toNativeSeparators(path) : name;
}

} // namespace

QStringList pictureFilesIn(const QString& folder) {
    // Without QDir::CaseSensitive the patterns ignore case: skin.bmp and SKIN.BMP both match.
    QDir dir(folder, QString(), QDir::Unsorted, QDir::Files | QDir::Hidden);
    dir.setNameFilters(picturePatterns());
    QStringList names = dir.entryList();
    // Names that differ only in case keep one order: upper case first.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

FolderList::FolderList(const QString& folder, QWidget* parent)
    : QTreeWidget(parent), m_folder(cleanFolder(folder)) {
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(kIndent);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { openFolder(item->data(0, kPathRole).toString()); });
    fill();
}

void FolderList::openFolder(const QString& folder) {
    const QString target = cleanFolder(folder);
    if (QDir(target).exists()) m_folder = target;
    fill();
    emit folderChanged(m_folder);
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        openFolder(currentItem()->data(0, kPathRole).toString());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void FolderList::paintEvent(QPaintEvent* event) {
    QTreeWidget::paintEvent(event);
    // The window is on the screen once this paint has been flushed: then the style's icons.
    if (!m_iconsAsked) {
        m_iconsAsked = true;
        QTimer::singleShot(0, this, &FolderList::showFolderIcons);
    }
}

QIcon FolderList::folderIcon(bool open) const {
    if (m_iconsShown) return style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon);
    // Blank, but as large as the style's icons, so that the rows have their final height.
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    QPixmap blank(side, side);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

void FolderList::showFolderIcons() {
    m_iconsShown = true;
    const QIcon openIcon = folderIcon(true);
    const QIcon closedIcon = folderIcon(false);
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        (*it)->setIcon(0, (*it)->data(0, kOpenRole).toBool() ? openIcon : closedIcon);
}

void FolderList::fill() {
    clear();
    const QIcon openIcon = folderIcon(true);
    const QIcon closedIcon = folderIcon(false);
    QTreeWidgetItem* parent = nullptr;
    for (const QString& path : chainTo(m_folder)) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        item->setText(0, entryName(path));
        item->setIcon(0, openIcon);
        item->setData(0, kPathRole, path);
        item->setData(0, kOpenRole, true);
        item->setExpanded(true);
        parent = item;
    }
    setCurrentItem(parent);
    const QDir dir(m_folder);
    const QStringList subfolders =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : subfolders) {
        auto* item = new QTreeWidgetItem(parent);
        item->setText(0, name);
        item->setIcon(0, closedIcon);
        item->setData(0, kPathRole, dir.filePath(name));
    }
    scrollToItem(parent, QAbstractItemView::PositionAtTop);
}

FileList::FileList(const QString& folder, QWidget* parent)
    : QListWidget(parent), m_folder(cleanFolder(folder)) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    // Selection, not the current row: taking the focus makes a row current without picking it.
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (const QString name = selectedName(); !name.isEmpty()) emit filePicked(name);
    });
    fill({});
}

void FileList::setFolder(const QString& folder) {
    const QString target = cleanFolder(folder);
    if (target == m_folder) return;
    m_folder = target;
    fill({});
}

void FileList::refresh() {
    fill(selectedName());
}

void FileList::showSelected(const QString& name) {
    fill(name);
}

QString FileList::selectedName() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void FileList::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    emit listDoubleClicked();
}

void FileList::fill(const QString& keepSelected) {
    // Listing is not the user picking a file: nothing is opened.
    const QSignalBlocker quiet(this);
    clear();
    addItems(pictureFilesIn(m_folder));
    const QList<QListWidgetItem*> kept =
        keepSelected.isEmpty() ? QList<QListWidgetItem*>{}
                               : findItems(keepSelected, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!kept.isEmpty()) {
        setCurrentItem(kept.first());
    } else {
        setCurrentRow(-1);
    }
}

} // namespace workbench
