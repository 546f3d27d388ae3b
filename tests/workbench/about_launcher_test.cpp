// Programs of the Wine prefix: Windows paths mapped into the prefix, "wine PATH" started with
// the path as its one argument, and the whole "System Info" lookup on a prefix made on disk.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "workbench/about/system_info.h"
#include "workbench/platform/program_launcher_wine.h"
#include "workbench/platform/wine_prefix.h"
#include "workbench/platform/wine_registry.h"

using namespace workbench;
namespace fs = std::filesystem;

Q_DECLARE_METATYPE(std::string)

namespace {

constexpr const char* kToolFolder = "drive_c/Program Files/Common Files/Microsoft Shared/MSInfo";

void touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "MZ";
}

// A prefix laid out as Wine lays it out: drive_c, and dosdevices/c: linking to it.
struct Prefix {
    QTemporaryDir dir;
    fs::path root = dir.path().toStdString();

    Prefix() {
        fs::create_directories(root / "drive_c");
        fs::create_directories(root / "dosdevices");
        fs::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
        touch(root / kToolFolder / "msinfo32.exe");
    }
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
    void winePrefixFromTheEnvironment();
    void windowsPathsInThePrefix_data();
    void windowsPathsInThePrefix();
    void startsWineWithThePathAsOneArgument_data();
    void startsWineWithThePathAsOneArgument();
    void startFailures();
    void sysInfoFromAPrefixOnDisk();
};

void AboutLauncherTest::winePrefixFromTheEnvironment() {
    const QByteArray savedPrefix = qgetenv("WINEPREFIX");
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("WINEPREFIX", "/games/prefix");
    QCOMPARE(winePrefix(), fs::path("/games/prefix"));
    qputenv("WINEPREFIX", "");
    qputenv("HOME", "/home/someone");
    QCOMPARE(winePrefix(), fs::path("/home/someone/.wine"));
    qunsetenv("WINEPREFIX");
    qunsetenv("HOME");
    // From the password database: some folder, never a bare ".wine".
    QVERIFY(winePrefix().is_absolute());
    QCOMPARE(winePrefix().filename(), fs::path(".wine"));
    qputenv("WINEPREFIX", savedPrefix);
    if (savedPrefix.isNull()) qunsetenv("WINEPREFIX");
    qputenv("HOME", savedHome);
}

void AboutLauncherTest::windowsPathsInThePrefix_data() {
    QTest::addColumn<std::string>("windowsPath");
    QTest::addColumn<QString>("inPrefix"); // empty: no place in the prefix
    QTest::addColumn<bool>("isFile");
    using namespace std::string_literals;
    const QString tool = QString(kToolFolder) + "/msinfo32.exe";
    QTest::newRow("as the registry gives it")
        << "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\MSINFO32.EXE"s << tool << true;
    QTest::newRow("slashes, lower case")
        << "c:/program files/common files/microsoft shared/msinfo/msinfo32.exe"s << tool << true;
    QTest::newRow("dots and doubled separators")
        << "C:\\Program Files\\.\\Common Files\\\\Microsoft Shared\\..\\Microsoft Shared\\MSInfo\\msinfo32.exe"s
        << tool << true;
    QTest::newRow("a folder is no file") << "C:\\Program Files"s
                                         << "drive_c/Program Files" << false;
    QTest::newRow("missing file") << "C:\\Program Files\\none.exe"s
                                  << "drive_c/Program Files/none.exe" << false;
    QTest::newRow("cannot climb out of the drive") << "C:\\..\\..\\dosdevices"s
                                                   << "drive_c/dosdevices" << false;
    QTest::newRow("code-page name") << "C:\\caf\xe9.exe"s
                                    << "drive_c/caf\u00e9.exe" << true;
    QTest::newRow("drive the prefix lacks") << "D:\\x.exe"s << QString() << false;
    QTest::newRow("relative to the drive") << "C:x.exe"s << QString() << false;
    QTest::newRow("relative") << "Program Files\\x.exe"s << QString() << false;
    QTest::newRow("network path") << "\\\\server\\share\\x.exe"s << QString() << false;
    QTest::newRow("empty") << ""s << QString() << false;
    QTest::newRow("zero byte inside") << "C:\\caf\xe9.exe\0.txt"s << QString() << false;
}

void AboutLauncherTest::windowsPathsInThePrefix() {
    QFETCH(std::string, windowsPath);
    QFETCH(QString, inPrefix);
    QFETCH(bool, isFile);
    Prefix prefix;
    touch(prefix.root / "drive_c" / "caf\u00e9.exe");
    const auto found = unixPathInPrefix(prefix.root, windowsPath);
    QCOMPARE(found.has_value(), !inPrefix.isEmpty());
    if (found) {
        const fs::path expected = prefix.root / inPrefix.toStdString();
        QCOMPARE(fs::weakly_canonical(*found), fs::weakly_canonical(expected));
    }
    QCOMPARE(WineProgramLauncher(prefix.root).fileExists(windowsPath), isFile);
}

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
    touch(prefix.root / file.toStdString());
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

// The second key names the folder; the file there is found whatever its case, and wine is
// given the path the lookup made.
void AboutLauncherTest::sysInfoFromAPrefixOnDisk() {
    Prefix prefix;
    std::ofstream(prefix.root / "system.reg")
        << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
        << "[Software\\\\Microsoft\\\\Shared Tools Location] 1700000000\n"
        << "\"MSINFO\"=\"C:\\\\Program Files\\\\Common Files\\\\Microsoft Shared\\\\MSInfo\"\n";
    QTemporaryDir tools;
    const fs::path log = fs::path(tools.path().toStdString()) / "wine.log";
    WineRegistry registry(prefix.root);
    WineProgramLauncher launcher(prefix.root, writeFakeWine(tools.path().toStdString(), log).string());
    std::vector<std::string> messages;
    QVERIFY(StartSysInfo(registry, launcher, [&](const std::string& text) { messages.push_back(text); }));
    QVERIFY(messages.empty());
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(log), 20000);
    QCOMPARE(readLog(log).value(1),
             QString("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\MSINFO32.EXE"));

    // Without the prefix's registry file: the message, and nothing started.
    fs::remove(prefix.root / "system.reg");
    fs::remove(log);
    WineRegistry empty(prefix.root);
    QVERIFY(!StartSysInfo(empty, launcher, [&](const std::string& text) { messages.push_back(text); }));
    QCOMPARE(messages, std::vector<std::string>{kSysInfoUnavailable});
    QVERIFY(!fs::exists(log));
}

QTEST_GUILESS_MAIN(AboutLauncherTest)
#include "about_launcher_test.moc"
