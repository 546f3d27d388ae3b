#pragma once
// The outfit tools beside the classic window: the "My Stamps" window, the mask from a bare body,
// cutting with a mask file and filling with a body file as the library's masks and bodies do,
// and saving in every tone. Each is made on first use; what changes the canvases is one step
// of the history, and edited() tells the main window to show it.

#include <QObject>
#include <QPointer>
#include <functional>

#include "stamps/own_pictures.h"
#include "stamps/workspace.h"

class QWidget;

namespace workbench {

class MaskFromBodyDialog;
class MyStampsWindow;
class TonesDialog;

class OutfitTools : public QObject {
    Q_OBJECT
  public:
    // window: the main window, which the tools' windows sit beside; shareKeys makes the main
    // menu's keys (Undo and Redo among them) work in another window.
    OutfitTools(stamps::Workspace& workspace, QWidget* window, std::function<void(QWidget*)> shareKeys);

    void showMyStamps();
    void showMaskFromBody();
    void showTones();
    // Asks for a picture file and presses it as kind (a mask or a body); a file that cannot
    // serve is refused with its reason and nothing changes.
    void pressFile(stamps::OwnKind kind);

    // The windows once made (each is made on first use).
    MyStampsWindow* myStamps() const;
    MaskFromBodyDialog* maskFromBody() const;
    TonesDialog* tones() const;

  public slots:
    // The destination changed: the mask dialog counts anew.
    void destinationChanged();

  signals:
    void edited();
    void said(const QString& text);

  private:
    stamps::Workspace& m_workspace;
    QWidget* m_window;
    std::function<void(QWidget*)> m_shareKeys;
    QPointer<MyStampsWindow> m_myStamps;
    QPointer<MaskFromBodyDialog> m_maskFromBody;
    QPointer<TonesDialog> m_tones;
};

} // namespace workbench
