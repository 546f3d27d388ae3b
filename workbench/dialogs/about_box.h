#pragma once
// The About box `frmAbout`: the program's name, version and notes, and the "System Info"
// button that starts the platform's system-information tool.

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "platform/program_launcher.h"
#include "platform/registry.h"

namespace workbench {

// What the "System Info" button works with. Tests put fakes here.
struct SystemInfoServices {
    std::shared_ptr<platform::Registry> registry;
    std::shared_ptr<platform::ProgramLauncher> launcher;
    // Shows a message with one OK button and returns when the user has closed it.
    std::function<void(QWidget* parent, const QString& text)> showMessage;
};

// The Wine prefix's registry and programs, and a message box titled with the application title.
SystemInfoServices wineSystemInfoServices();

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* parent = nullptr, SystemInfoServices services = wineSystemInfoServices());

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void fillTexts();      // `Form_Load`: the caption, title and version, on every load
    void unload();         // `cmdOK_Click`
    void showSystemInfo(); // `cmdSysInfo_Click`

    SystemInfoServices m_services;
};

// Loads `frmAbout` anew, shows it modal over parent and unloads it when the user leaves it.
void showAboutBox(QWidget* parent);

} // namespace workbench
