// The "My Stamps" window (see my_stamps_window.h).

#include "workbench/outfits/my_stamps_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/codec/bmp.h"
#include "workbench/canvas_image.h"
#include "workbench/classic/file_discard.h"
#include "workbench/dialogs/window_prompts.h"
#include "workbench/outfits/body_file.h"
#include "workbench/outfits/name_prompt.h"
#include "workbench/outfits/pressed_text.h"
#include "workbench/shown_path.h"

namespace workbench {
namespace {

constexpr int kColumns = 4;      // stamp buttons a row
constexpr int kThumbnail = 48;   // the small picture's side, in pixels
constexpr int kButtonWidth = 96; // room for the picture and a name of about a dozen letters
constexpr int kGap = 8;          // between this window and the main window

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

// The stamp's picture, small; an unavailable stamp's is a grey square crossed out.
QIcon thumbnailOf(const stamps::OwnStamp& stamp) {
    QPixmap pixmap(kThumbnail, kThumbnail);
    if (stamp.isAvailable()) {
        pixmap = QPixmap::fromImage(
            pictureImage(stamp.picture.picture)
                .scaled(kThumbnail, kThumbnail, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    } else {
        pixmap.fill(Qt::lightGray);
        QPainter painter(&pixmap);
        painter.setPen(QPen(Qt::darkRed, 3));
        painter.drawLine(4, 4, kThumbnail - 5, kThumbnail - 5);
        painter.drawLine(4, kThumbnail - 5, kThumbnail - 5, 4);
    }
    return QIcon(pixmap);
}

} // namespace

MyStampsWindow::MyStampsWindow(stamps::Workspace& workspace, QWidget* parent)
    : QWidget(parent, Qt::Window), m_workspace(workspace), m_folder(stamps::defaultStampsFolder()) {
    setObjectName(QStringLiteral("frmMyStamps"));
    setWindowTitle(QStringLiteral("My Stamps"));
    auto* layout = new QVBoxLayout(this);
    m_folderLabel = new QLabel(this);
    m_folderLabel->setObjectName(QStringLiteral("lblStampsFolder"));
    m_folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_folderLabel);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the rows fit the window's width
    layout->addWidget(m_scroll, 1);

    auto* buttons = new QHBoxLayout;
    auto* keep = new QPushButton(QStringLiteral("Keep Made Mask…"), this);
    keep->setObjectName(QStringLiteral("btnKeepMadeMask"));
    keep->setToolTip(QStringLiteral("Adds the mask last made from a bare body as a stamp"));
    connect(keep, &QPushButton::clicked, this, &MyStampsWindow::keepMadeMask);
    auto* reloadButton = new QPushButton(QStringLiteral("Reload"), this);
    reloadButton->setObjectName(QStringLiteral("btnReloadStamps"));
    connect(reloadButton, &QPushButton::clicked, this, &MyStampsWindow::reload);
    buttons->addWidget(keep);
    buttons->addStretch(1);
    buttons->addWidget(reloadButton);
    layout->addLayout(buttons);
    reload();
}

void MyStampsWindow::reload() {
    m_stamps = stamps::readOwnStamps(m_folder);
    m_folderLabel->setText(QStringLiteral("Folder: %1").arg(shownPath(QFile::decodeName(m_folder.c_str()))));
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    for (const stamps::OwnKindSpec& kind : stamps::allOwnKinds())
        column->addWidget(buildKind(kind));
    column->addStretch(1);
    // The buttons of the last reading go once the event that reloads (a click on one of them,
    // perhaps) is over.
    if (QWidget* last = m_scroll->takeWidget()) last->deleteLater();
    m_scroll->setWidget(content);
}

QWidget* MyStampsWindow::buildKind(const stamps::OwnKindSpec& kind) {
    auto* group = new QGroupBox(qText(kind.heading));
    group->setObjectName(qText(kind.folder));
    auto* grid = new QGridLayout(group);
    int cell = 0;
    for (const stamps::OwnStamp& stamp : m_stamps) {
        if (stamp.kind != kind.kind) continue;
        const QString name = qText(stamp.name);
        auto* button = new QToolButton(group);
        button->setObjectName(QStringLiteral("stamp:") + name);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(kThumbnail, kThumbnail));
        button->setIcon(thumbnailOf(stamp));
        button->setFixedWidth(kButtonWidth);
        const QString shown = button->fontMetrics().elidedText(name, Qt::ElideMiddle, kButtonWidth - 16);
        button->setText(stamp.isAvailable() ? shown : shown + QStringLiteral("\n(unavailable)"));
        button->setToolTip(stamp.isAvailable() ? name : qText(stamp.unavailable));
        connect(button, &QToolButton::clicked, this, [this, name] { press(name); });
        // The context menu renames the stamp or moves it to the trash. Its actions belong to the
        // button but are not added to it, which would give the button a menu arrow.
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        auto* renameAction = new QAction(QStringLiteral("Rename…"), button);
        renameAction->setObjectName(QStringLiteral("actRenameStamp"));
        connect(renameAction, &QAction::triggered, this, [this, name] { rename(name); });
        auto* removeAction = new QAction(QStringLiteral("Remove (to the Trash)"), button);
        removeAction->setObjectName(QStringLiteral("actRemoveStamp"));
        connect(removeAction, &QAction::triggered, this, [this, name] { remove(name); });
        connect(button, &QToolButton::customContextMenuRequested, button,
                [button, renameAction, removeAction](const QPoint& at) {
                    QMenu menu;
                    menu.addActions({renameAction, removeAction});
                    menu.exec(button->mapToGlobal(at));
                });
        grid->addWidget(button, cell / kColumns, cell % kColumns);
        ++cell;
    }
    if (cell == 0) {
        auto* none = new QLabel(QStringLiteral("None yet"), group);
        none->setEnabled(false);
        grid->addWidget(none, 0, 0, 1, kColumns);
        cell = kColumns;
    }
    auto* add = new QPushButton(QStringLiteral("Add from File…"), group);
    add->setObjectName(QStringLiteral("btnAddStamp"));
    add->setToolTip(QStringLiteral("Adds a picture file as %1").arg(qText(kind.aWord)));
    connect(add, &QPushButton::clicked, this, [this, k = kind.kind] { addFromFile(k); });
    grid->addWidget(add, (cell + kColumns - 1) / kColumns, 0, 1, 2, Qt::AlignLeft);
    grid->setColumnStretch(kColumns, 1);
    return group;
}

void MyStampsWindow::showBeside(const QWidget* mainWindow) {
    if (!isVisible()) {
        reload();
        // Room for a row of buttons beside the group's and the scroll bar's margins, as tall as
        // the main window.
        resize(sizeHint().expandedTo(
            QSize(kColumns * (kButtonWidth + kGap) + 100, mainWindow ? mainWindow->height() : 560)));
        if (mainWindow) {
            const QRect main = mainWindow->frameGeometry();
            QPoint at(main.left() - kGap - width(), main.top());
            if (const QScreen* screen = mainWindow->screen()) {
                const QRect room = screen->availableGeometry();
                at.setX(std::max(at.x(), room.left()));
                at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - height())));
            }
            move(at);
        }
    }
    show();
    raise();
    activateWindow();
}

const stamps::OwnStamp* MyStampsWindow::find(const QString& name) const {
    return stamps::findOwnStamp(m_stamps, name.toStdString());
}

void MyStampsWindow::press(const QString& name) {
    const stamps::OwnStamp* stamp = find(name);
    if (!stamp) return;
    const core::Status status = stamps::pressOwnStamp(*stamp, m_workspace);
    if (!status) {
        emit said(qText(status.message())); // an unavailable stamp changes nothing
        return;
    }
    emit edited();
    emit said(pressedText(name, stamp->picture.rounded));
}

void MyStampsWindow::addFromFile(stamps::OwnKind kind) {
    const stamps::OwnKindSpec& about = stamps::ownKind(kind);
    const QString path = chooseFileToOpen(this, QStringLiteral("Add %1").arg(qText(about.aWord)),
                                          QDir::currentPath(), pictureFileTypes());
    if (path.isEmpty()) return;
    const core::Result<stamps::OwnPicture> own =
        stamps::loadOwnPicture(kind, QFile::encodeName(path).toStdString());
    if (!own) {
        emit said(qText(own.message()));
        return;
    }
    addStamp(kind, own.value().picture, QFileInfo(path).completeBaseName());
}

void MyStampsWindow::keepMadeMask() {
    const stamps::MadeMaskRecord& made = m_workspace.madeMask;
    if (made.mask.isEmpty()) {
        emit said(QStringLiteral("No mask has been made yet: Outfit → Mask from Bare Body… makes one."));
        return;
    }
    addStamp(stamps::OwnKind::Mask, made.mask, QStringLiteral("Mask from %1").arg(qText(made.bodyName)));
}

void MyStampsWindow::addStamp(stamps::OwnKind kind, const core::Picture& picture, const QString& suggested) {
    const std::optional<QString> name = askStampName(this, QStringLiteral("Name the Stamp"), suggested);
    if (!name) return;
    const core::Result<stamps::OwnStamp> added =
        stamps::addOwnStamp(m_folder, kind, name->toStdString(), picture);
    if (!added) {
        emit said(qText(added.message()));
        return;
    }
    reload();
    emit said(
        QStringLiteral("Added the stamp \"%1\" to %2").arg(*name, qText(stamps::ownKind(kind).heading)));
}

void MyStampsWindow::rename(const QString& name) {
    const stamps::OwnStamp* stamp = find(name);
    if (!stamp) return;
    const std::optional<QString> newName = askStampName(this, QStringLiteral("Rename the Stamp"), name);
    if (!newName || *newName == name) return;
    const core::Result<stamps::OwnStamp> renamed =
        stamps::renameOwnStamp(m_folder, *stamp, newName->toStdString());
    if (!renamed) {
        emit said(qText(renamed.message()));
        return;
    }
    reload();
    emit said(QStringLiteral("Renamed the stamp \"%1\" to \"%2\"").arg(name, *newName));
}

void MyStampsWindow::remove(const QString& name) {
    const stamps::OwnStamp* stamp = find(name);
    if (!stamp) return;
    const QString said = discardFile(this, QFile::decodeName(stamp->path.c_str()));
    reload();
    if (!said.isEmpty()) emit this->said(said);
}

} // namespace workbench
