// Programs of the Wine prefix started through QProcess: "wine PATH" with the path as its one
// argument, and the "System Info" lookup on a prefix made on disk handing wine its path.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "platform/system_info.h"
#include "platform/wine_registry.h"
#include "tests/platform/platform_test_support.h"
#include "workbench/program_launcher_wine.h"

using namespace workbench;
using support::kToolFolder;
namespace fs = std::filesystem;

Q_DECLARE_METATYPE(std::string)

namespace {

// A prefix laid out as Wine lays it out, in a folder of its own.
struct Prefix {
    QTemporaryDir dir;
    fs::path root = dir.path().toStdString();

    Prefix() { support::layOutPrefix(root); }
};

// A stand-in for the Wine loader: writes its argument count, its arguments and WINEPREFIX, one
// a line, to log, whole or not at all.
fs::path writeFakeWine(const fs::path& folder, const fs::path& log) {
    const fs::path script = folder / "fake-wine";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" \"$WINEPREFIX\" > '" << log.string()
                          << ".part' && mv '" << log.string() << ".part' '" << log.string() << "'\n";
    fs::permissions(script, fs::perms::owner_all);
    return script;
}

QStringList readLog(const fs::path& log) {
    QFile file(QString::fromStdString(log.string()));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(file.readAll());
    text.chop(1);
    return text.split('\n');
}

} // namespace

class AboutLauncherTest : public QObject {
    Q_OBJECT
  private slots:
    void startsWineWithThePathAsOneArgument_data();
    void startsWineWithThePathAsOneArgument();
    void startFailures();
    void sysInfoFromAPrefixOnDisk();
};

void AboutLauncherTest::startsWineWithThePathAsOneArgument_data() {
    QTest::addColumn<std::string>("windowsPath");
    QTest::addColumn<QString>("file");
    QTest::newRow("spaces") << std::string(
                                   "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\MSINFO32.EXE")
                            << QString(kToolFolder) + "/msinfo32.exe";
    QTest::newRow("shell characters") << std::string("C:\\a'$(touch pwned);b `x` \"c\".exe")
                                      << QString("drive_c/a'$(touch pwned);b `x` \"c\".exe");
}

void AboutLauncherTest::startsWineWithThePathAsOneArgument() {
    QFETCH(std::string, windowsPath);
    QFETCH(QString, file);
    Prefix prefix;
    support::touch(prefix.root / file.toStdString());
    QTemporaryDir tools;
    const fs::path log = fs::path(tools.path().toStdString()) / "wine.log";
    WineProgramLauncher launcher(prefix.root, writeFakeWine(tools.path().toStdString(), log).string());

    QVERIFY(launcher.start(windowsPath));
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(log), 20000);
    QCOMPARE(readLog(log), QStringList({"1", QString::fromStdString(windowsPath), prefix.dir.path()}));
    QVERIFY(!fs::exists(fs::path(tools.path().toStdString()) / "pwned"));
    QVERIFY(!fs::exists(prefix.root / "pwned"));
}

void AboutLauncherTest::startFailures() {
    Prefix prefix;
    QTemporaryDir tools;
    const fs::path log = fs::path(tools.path().toStdString()) / "wine.log";
    WineProgramLauncher launcher(prefix.root, writeFakeWine(tools.path().toStdString(), log).string());
    // Nothing at the path: the start fails as the platform's does, and wine is not run.
    QVERIFY(!launcher.start("C:\\Program Files\\stale\\msinfo32.exe"));
    QVERIFY(!launcher.start(""));
    // No Wine on this system.
    const std::string tool = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
    QVERIFY(!WineProgramLauncher(prefix.root, (fs::path(tools.path().toStdString()) / "no-wine").string())
                 .start(tool));
    QVERIFY(!fs::exists(log));
}

// The lookup on a prefix made on disk, through to wine: the second key names the folder, and
// wine is given the path the lookup made. The lookup's own cases, the missing registry file
// among them, are tested without Qt in tests/platform.
void AboutLauncherTest::sysInfoFromAPrefixOnDisk() {
    Prefix prefix;
    std::ofstream(prefix.root / "system.reg")
        << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
        << "[Software\\\\Microsoft\\\\Shared Tools Location] 1700000000\n"
        << "\"MSINFO\"=\"C:\\\\Program Files\\\\Common Files\\\\Microsoft Shared\\\\MSInfo\"\n";
    QTemporaryDir tools;
    const fs::path log = fs::path(tools.path().toStdString()) / "wine.log";
    platform::WineRegistry registry(prefix.root);
    WineProgramLauncher launcher(prefix.root, writeFakeWine(tools.path().toStdString(), log).string());
    std::vector<std::string> messages;
    QVERIFY(platform::startSysInfo(registry, launcher,
                                   [&](const std::string& text) { messages.push_back(text); }));
    QVERIFY(messages.empty());
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(log), 20000);
    QCOMPARE(readLog(log).value(1),
             QString("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\MSINFO32.EXE"));
}

QTEST_GUILESS_MAIN(AboutLauncherTest)
#include "about_launcher_test.moc"
