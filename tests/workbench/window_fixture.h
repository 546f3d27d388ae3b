#pragma once
// What the window tests share: a throw-away home, settings folder and Wine prefix with the
// game's texture folder, BMP files to open, and message boxes caught instead of shown.

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "core/codec/bmp.h"
#include "core/canvas.h"
#include "workbench/main_window.h"
#include "workbench/dialogs/message_box.h"

namespace fixture {

// HOME, WINEPREFIX and the user's settings (Open Recent) point into a temporary folder for the
// fixture's life; the current directory and the environment are restored afterwards.
class TempEnvironment {
  public:
    enum class Layout { TextureFolder, DriveCOnly, NoPrefix };

    explicit TempEnvironment(Layout layout = Layout::TextureFolder)
        : m_oldCwd(QDir::currentPath()), m_oldHome(qgetenv("HOME")), m_oldPrefix(qgetenv("WINEPREFIX")) {
        QDir root(m_root.path());
        root.mkpath(QStringLiteral("home"));
        if (layout != Layout::NoPrefix) root.mkpath(QStringLiteral("prefix/drive_c"));
        if (layout == Layout::TextureFolder) root.mkpath(textures().mid(m_root.path().size() + 1));
        qputenv("HOME", home().toUtf8());
        qputenv("WINEPREFIX", root.filePath(QStringLiteral("prefix")).toUtf8());
        // Settings files are found once per process, so HOME alone would not do.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           root.filePath(QStringLiteral("settings")));
    }
    ~TempEnvironment() {
        QDir::setCurrent(m_oldCwd);
        qputenv("HOME", m_oldHome);
        qputenv("WINEPREFIX", m_oldPrefix);
    }

    QString home() const { return m_root.filePath(QStringLiteral("home")); }
    QString driveC() const { return m_root.filePath(QStringLiteral("prefix/drive_c")); }
    QString textures() const {
        return driveC() + QStringLiteral("/Program Files/Korvane/Posebox/Gamedata/Textures");
    }
    // A folder outside the prefix, made on first use.
    QString elsewhere(const QString& name) const {
        QDir(m_root.path()).mkpath(name);
        return m_root.filePath(name);
    }

  private:
    QTemporaryDir m_root;
    QString m_oldCwd;
    QByteArray m_oldHome, m_oldPrefix;
};

inline core::Picture filled(core::Rgb colour, int size = 256) {
    return core::Picture::filled(size, size, colour);
}

// A 256 x 256 picture whose pixel (x, y) is colourAt(x, y).
inline core::Picture pictureOf(const std::function<core::Rgb(int x, int y)>& colourAt) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(256 * 256 * 3);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const core::Rgb c = colourAt(x, y);
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    return core::Picture(256, 256, rgb);
}

// Writes a BMP of one colour; fails the test when it cannot.
inline void writeBmp(const QString& path, core::Rgb colour, int size = 256) {
    const core::Status status =
        core::savePicture(filled(colour, size), QFile::encodeName(path).toStdString());
    QVERIFY2(status.isOk(), status.message().c_str());
}

inline void writeText(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// Collects what would have been shown in message boxes.
class MessageCatcher {
  public:
    MessageCatcher()
        : m_previous(
              workbench::setMessageSink([this](QWidget*, const QString& text) { m_messages << text; })) {}
    ~MessageCatcher() { workbench::setMessageSink(m_previous); }
    const QStringList& messages() const { return m_messages; }

  private:
    QStringList m_messages;
    workbench::MessageSink m_previous;
};

// Makes window a new main window and shows it; false when it does not reach the screen. The
// window lists its start-up folder when made, so files it should list must exist before.
[[nodiscard]] inline bool showMainWindow(std::unique_ptr<workbench::MainWindow>& window) {
    window = std::make_unique<workbench::MainWindow>();
    window->show();
    return QTest::qWaitForWindowExposed(window.get());
}

template <typename T> T* child(QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(QLatin1String(name));
    if (!found) qWarning("no control named %s", name);
    return found;
}

} // namespace fixture
