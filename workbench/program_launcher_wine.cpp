#include "workbench/program_launcher_wine.h"

#include <QProcess>
#include <QProcessEnvironment>

#include "platform/registry_codepage.h"
#include "platform/wine_prefix.h"

namespace workbench {

WineProgramLauncher::WineProgramLauncher(std::filesystem::path prefix, std::string wine)
    : m_prefix(std::move(prefix)), m_wine(std::move(wine)) {}

bool WineProgramLauncher::fileExists(const std::string& path) {
    return platform::isFileInPrefix(m_prefix, path);
}

bool WineProgramLauncher::start(const std::string& path) {
    if (!fileExists(path)) return false;
    QProcess process;
    process.setProgram(QString::fromStdString(m_wine));
    // The path comes in the 8-bit code page; Wine reads its arguments in the system's encoding.
    process.setArguments({QString::fromStdString(platform::utf8FromAnsi(path))});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("WINEPREFIX", QString::fromStdString(m_prefix.string()));
    process.setProcessEnvironment(environment);
    return process.startDetached();
}

} // namespace workbench
