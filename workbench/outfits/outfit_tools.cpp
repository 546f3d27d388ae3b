// The outfit tools (see outfit_tools.h).

#include "workbench/outfits/outfit_tools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "workbench/dialogs/window_prompts.h"
#include "workbench/outfits/body_file.h"
#include "workbench/outfits/mask_from_body_dialog.h"
#include "workbench/outfits/my_stamps_window.h"
#include "workbench/outfits/pressed_text.h"
#include "workbench/outfits/tones_dialog.h"

namespace workbench {

OutfitTools::OutfitTools(stamps::Workspace& workspace, QWidget* window,
                         std::function<void(QWidget*)> shareKeys)
    : QObject(window), m_workspace(workspace), m_window(window), m_shareKeys(std::move(shareKeys)) {}

void OutfitTools::showMyStamps() {
    if (!m_myStamps) {
        m_myStamps = new MyStampsWindow(m_workspace, m_window);
        connect(m_myStamps, &MyStampsWindow::edited, this, &OutfitTools::edited);
        connect(m_myStamps, &MyStampsWindow::said, this, &OutfitTools::said);
        m_shareKeys(m_myStamps);
    }
    m_myStamps->showBeside(m_window);
}

void OutfitTools::showMaskFromBody() {
    if (!m_maskFromBody) {
        m_maskFromBody = new MaskFromBodyDialog(m_workspace, m_window);
        connect(m_maskFromBody, &MaskFromBodyDialog::edited, this, &OutfitTools::edited);
        connect(m_maskFromBody, &MaskFromBodyDialog::said, this, &OutfitTools::said);
        m_shareKeys(m_maskFromBody);
    }
    m_maskFromBody->measure();
    m_maskFromBody->show();
    m_maskFromBody->raise();
    m_maskFromBody->activateWindow();
}

void OutfitTools::showTones() {
    if (!m_tones) {
        m_tones = new TonesDialog(m_workspace, m_window);
        connect(m_tones, &TonesDialog::said, this, &OutfitTools::said);
        m_shareKeys(m_tones);
    }
    m_tones->showDialog();
}

void OutfitTools::pressFile(stamps::OwnKind kind) {
    const stamps::OwnKindSpec& about = stamps::ownKind(kind);
    const QString aWord = QString::fromUtf8(about.aWord.data(), qsizetype(about.aWord.size()));
    const QString path = chooseFileToOpen(m_window, QStringLiteral("Use a File as %1").arg(aWord),
                                          QDir::currentPath(), pictureFileTypes());
    if (path.isEmpty()) return;
    const core::Result<stamps::OwnPicture> own =
        stamps::loadOwnPicture(kind, QFile::encodeName(path).toStdString());
    if (!own) {
        emit said(QString::fromStdString(own.message()));
        return;
    }
    // The step's name, which Undo and the status line show: "dress.bmp as a mask".
    const QString name = QStringLiteral("%1 as %2").arg(QFileInfo(path).fileName(), aWord);
    const core::Status status = stamps::pressOwnPicture(own.value(), name.toStdString(), m_workspace);
    if (!status) {
        emit said(QString::fromStdString(status.message()));
        return;
    }
    emit edited();
    emit said(pressedText(name, own.value().rounded));
}

MyStampsWindow* OutfitTools::myStamps() const {
    return m_myStamps;
}

MaskFromBodyDialog* OutfitTools::maskFromBody() const {
    return m_maskFromBody;
}

TonesDialog* OutfitTools::tones() const {
    return m_tones;
}

void OutfitTools::destinationChanged() {
    if (m_maskFromBody && m_maskFromBody->isVisible()) m_maskFromBody->measure();
}

} // namespace workbench
