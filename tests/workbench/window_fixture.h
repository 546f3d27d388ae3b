#pragma once
// What the window tests share: a throw-away home, settings folder and Wine prefix with the
// game's texture folder, the main window on it made anew for each test function, BMP files to
// open and read back, message boxes and the window's prompts answered instead of shown, and key
// presses and clicks as the user makes them.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/canvas.h"
#include "core/codec/bmp.h"
#include "tests/platform/platform_test_support.h"
#include "workbench/dialogs/message_box.h"
#include "workbench/dialogs/save_as.h"
#include "workbench/dialogs/window_prompts.h"
#include "workbench/main_window.h"
#include "workbench/status_line.h"

namespace fixture {

// HOME, WINEPREFIX, the user's data folder (which holds the trash) and the user's settings (Open
// Recent) point into a temporary folder for the fixture's life; the current directory and the
// environment are restored afterwards.
class TempEnvironment {
  public:
    enum class Layout { TextureFolder, DriveCOnly, NoPrefix };

    explicit TempEnvironment(Layout layout = Layout::TextureFolder)
        : m_oldCwd(QDir::currentPath()), m_oldHome(qgetenv("HOME")), m_oldPrefix(qgetenv("WINEPREFIX")),
          m_oldData(qgetenv("XDG_DATA_HOME")) {
        QDir root(m_root.path());
        root.mkpath(QStringLiteral("home"));
        if (layout != Layout::NoPrefix) root.mkpath(QStringLiteral("prefix/drive_c"));
        if (layout == Layout::TextureFolder) root.mkpath(textures().mid(m_root.path().size() + 1));
        qputenv("HOME", home().toUtf8());
        qputenv("WINEPREFIX", root.filePath(QStringLiteral("prefix")).toUtf8());
        setDataFolder(root.filePath(QStringLiteral("data")));
        // Settings files are found once per process, so HOME alone would not do.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           root.filePath(QStringLiteral("settings")));
    }
    ~TempEnvironment() {
        QDir::setCurrent(m_oldCwd);
        qputenv("HOME", m_oldHome);
        qputenv("WINEPREFIX", m_oldPrefix);
        qputenv("XDG_DATA_HOME", m_oldData);
    }

    // Where the user's data folder lies: the trash is made in it.
    void setDataFolder(const QString& folder) const { qputenv("XDG_DATA_HOME", folder.toUtf8()); }
    // The files in the trash, by name.
    QStringList trashed() const {
        return QDir(m_root.filePath(QStringLiteral("data/Trash/files")))
            .entryList(QDir::Files | QDir::Hidden);
    }
    // A path where no data folder can be made: it lies below a plain file.
    QString unusableFolder() const {
        const QString plain = m_root.filePath(QStringLiteral("plain"));
        QFile file(plain);
        if (file.open(QIODevice::WriteOnly)) file.write("a file, not a folder");
        return plain + QStringLiteral("/data");
    }

    QString home() const { return m_root.filePath(QStringLiteral("home")); }
    QString driveC() const { return m_root.filePath(QStringLiteral("prefix/drive_c")); }
    QString textures() const {
        return m_root.filePath(QStringLiteral("prefix/") + QString::fromUtf8(support::kTextureFolder));
    }
    // A folder outside the prefix, made on first use.
    QString elsewhere(const QString& name) const {
        QDir(m_root.path()).mkpath(name);
        return m_root.filePath(name);
    }

  private:
    QTemporaryDir m_root;
    QString m_oldCwd;
    QByteArray m_oldHome, m_oldPrefix, m_oldData;
};

// Colours far apart, for pictures whose origin a pixel shows.
constexpr core::Rgb kRed{200, 10, 20}, kGreen{10, 200, 20}, kBlue{10, 20, 200};

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

// Three bands of colour, top to bottom: red, green, blue; an 8-bit save keeps exactly these.
inline core::Picture threeColours() {
    return pictureOf([](int, int y) { return y < 80 ? kRed : y < 160 ? kGreen : kBlue; });
}

// Writes picture as a BMP; fails the test when it cannot.
inline void writeBmp(const QString& path, const core::Picture& picture) {
    const core::Status status = core::savePicture(picture, QFile::encodeName(path).toStdString());
    QVERIFY2(status.isOk(), status.message().c_str());
}

// Writes a BMP of one colour.
inline void writeBmp(const QString& path, core::Rgb colour, int size = 256) {
    writeBmp(path, filled(colour, size));
}

inline void writeText(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

inline core::Result<core::Picture> loadBmp(const QString& path) {
    return core::loadPicture(QFile::encodeName(path).toStdString());
}

// The BMP file's bits per pixel; 0 when it cannot be read.
inline int bitsOf(const QString& path) {
    const auto info = core::readBmpInfoFile(QFile::encodeName(path).toStdString());
    return info ? info.value().bitsPerPixel : 0;
}

// Installs hooks through set, which returns the hooks it replaces, for the object's life, and
// puts those back afterwards.
template <typename Hooks> class ScopedHooks {
  public:
    ScopedHooks(Hooks (*set)(Hooks), Hooks hooks) : m_set(set), m_previous(set(std::move(hooks))) {}
    ~ScopedHooks() { m_set(std::move(m_previous)); }
    ScopedHooks(const ScopedHooks&) = delete;
    ScopedHooks& operator=(const ScopedHooks&) = delete;

  private:
    Hooks (*m_set)(Hooks);
    Hooks m_previous;
};

// Collects what would have been shown in message boxes.
class MessageCatcher {
  public:
    const QStringList& messages() const { return m_messages; }

  private:
    QStringList m_messages;
    ScopedHooks<workbench::MessageSink> m_sink{workbench::setMessageSink,
                                               [this](QWidget*, const QString& text) { m_messages << text; }};
};

// Answers the File menu's file dialog and the question before quitting instead of showing them,
// and notes what they were shown.
class WindowPromptCatcher {
  public:
    QString chosen; // what the file dialog gives; empty: cancelled
    workbench::UnsavedAnswer answer = workbench::UnsavedAnswer::Cancel;
    QString shownTitle;         // the file dialog's title
    QString shownFolder;        // where it opened
    int asked = 0;              // how often "Save changes to the destination skin?" was asked
    bool deleteForGood = false; // the answer to deleting a file that cannot go to the trash
    QStringList askedToDelete;  // the files that question named

  private:
    ScopedHooks<workbench::WindowPrompts> m_prompts{
        workbench::setWindowPrompts,
        {[this](QWidget*, const QString& title, const QString& folder) {
             shownTitle = title;
             shownFolder = folder;
             return chosen;
         },
         [this](QWidget*) {
             ++asked;
             return answer;
         },
         [this](QWidget*, const QString& path, const QString&) {
             askedToDelete << path;
             return deleteForGood;
         }}};
};

// Answers "Save Destination As…"'s file dialog and the question before replacing a file instead
// of showing them, and notes what they were shown. The dialog gives chosen when it opens, and
// afterNo when it comes back after the question was answered "No".
class SaveAsPromptCatcher {
  public:
    std::optional<workbench::SaveAsChoice> chosen;  // what the file dialog gives; none: cancelled
    std::optional<workbench::SaveAsChoice> afterNo; // what it gives when it comes back after "No"
    bool replace = false;                           // the answer to the question before replacing
    QString shownFolder;                            // where the file dialog opened
    QStringList shownNames;                         // what its name box started with, each time
    QStringList asked;                              // the files the question named

  private:
    bool m_answeredNo = false;
    ScopedHooks<workbench::SaveAsPrompts> m_prompts{
        workbench::setSaveAsPrompts,
        {[this](QWidget*, const QString& folder, const QString& name) {
             shownFolder = folder;
             shownNames << name;
             return std::exchange(m_answeredNo, false) ? afterNo : chosen;
         },
         [this](QWidget*, const QString& path) {
             asked << path;
             m_answeredNo = !replace;
             return replace;
         }}};
};

// Makes window the active one, as the user's click on it would; false when it does not become
// active.
inline bool activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Presses key with modifiers in window, made active first as the user's would be; false when
// the window was not active.
inline bool pressKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    const bool active = activate(window);
    QTest::keyClick(window, key, modifiers);
    return active;
}

template <typename T> T* child(QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(QLatin1String(name));
    if (!found) qWarning("no control named %s", name);
    return found;
}

// The entry of a file list named exactly name, or null.
inline QListWidgetItem* entry(QListWidget* list, const QString& name) {
    const auto found = list->findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return found.isEmpty() ? nullptr : found.first();
}

// Clicks the entry named name, as the user picks a file.
inline void click(QListWidget* list, const QString& name) {
    QListWidgetItem* item = entry(list, name);
    QVERIFY2(item, qPrintable(name));
    list->scrollToItem(item); // as the user scrolls a long list to the name first
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// What a test of the main window holds: a throw-away environment and the main window on it,
// both made anew for each test function. A test class derives from QObject, then from this; its
// init() makes the environment, writes the files the start-up folder should list (the window
// lists them when it is made) and shows the window, and its cleanup() closes both.
class WindowTest {
  protected:
    void makeEnvironment() { m_env = std::make_unique<TempEnvironment>(); }
    // Makes the main window and shows it; false when it does not reach the screen.
    [[nodiscard]] bool showWindow() {
        m_window = std::make_unique<workbench::MainWindow>();
        m_window->show();
        return QTest::qWaitForWindowExposed(m_window.get());
    }
    void closeWindow() {
        m_window.reset();
        m_env.reset();
    }

    bool pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
        return fixture::pressKey(m_window.get(), key, modifiers);
    }
    // What the status line below the classic controls says.
    // What the status line said last, whole (the line itself may show it elided).
    QString status() const { return child<workbench::StatusLine>(m_window.get(), "statusLine")->message(); }

    std::unique_ptr<TempEnvironment> m_env;
    std::unique_ptr<workbench::MainWindow> m_window;
};

} // namespace fixture
