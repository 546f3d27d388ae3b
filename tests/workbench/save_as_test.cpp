// "Save Destination As…": Ctrl+Shift+S, the file dialog on the start-up folder (or where the
// destination came from) with its two types, the 8-bit and the 24-bit file and what the status line says,
// ".bmp" added, the question before replacing, and a failure told in one line.

#include <QFileDialog>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include "core/library/image_library.h"
#include "stamps/files.h"
#include "window_fixture.h"
#include "workbench/classic/file_lists.h"
#include "workbench/main_window.h"
#include "workbench/classic/panes.h"
#include "workbench/dialogs/save_as.h"

using fixture::child;
using workbench::MainWindow;
using workbench::SaveAsChoice;
using workbench::SaveAsType;

Q_DECLARE_METATYPE(workbench::SaveAsType)

namespace {

constexpr core::Rgb kRed{200, 10, 20}, kGreen{10, 200, 20}, kBlue{10, 20, 200};

// Three bands of colour, top to bottom.
core::Picture threeColours() {
    return fixture::pictureOf([](int, int y) { return y < 80 ? kRed : y < 160 ? kGreen : kBlue; });
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class SaveAsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        m_env = std::make_unique<fixture::TempEnvironment>();
        m_folder = QDir(m_env->textures()).canonicalPath();
        QVERIFY(fixture::showMainWindow(m_window));
        m_window->workspace().picTarget.setPicture(threeColours());
        m_chosen.reset();
        m_asked.clear();
        m_replace = false;
        m_folderShown.clear();
        m_previous = workbench::setSaveAsPrompts({[this](QWidget*, const QString& folder) {
                                                      m_folderShown = folder;
                                                      return m_chosen;
                                                  },
                                                  [this](QWidget*, const QString& path) {
                                                      m_asked << path;
                                                      return m_replace;
                                                  }});
    }
    void cleanup() {
        workbench::setSaveAsPrompts(m_previous);
        m_window.reset();
        m_env.reset();
    }

    void ctrlShiftSOpensItOnTheStartUpFolder() {
        pressCtrlShiftS(); // cancelled: nothing is written or said
        QVERIFY2(!m_folderShown.isEmpty(), "the file dialog did not open");
        QCOMPARE(QDir(m_folderShown).canonicalPath(), m_folder);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList());
        QCOMPARE(status(), QString());
    }

    // Once a destination file is opened, or saved as, the dialog opens on that file's folder.
    void itOpensWhereTheDestinationCameFrom() {
        const QString skins = QDir(m_env->elsewhere("skins")).canonicalPath();
        fixture::writeBmp(skins + "/skin.bmp", kRed);
        QVERIFY(m_window->panes().openFile(workbench::Pane::Destination, skins + "/skin.bmp"));
        pressCtrlShiftS();
        QCOMPARE(QDir(m_folderShown).canonicalPath(), skins);

        const QString other = QDir(m_env->elsewhere("other")).canonicalPath();
        m_chosen = SaveAsChoice{other + "/skin2", SaveAsType::EightBit};
        pressCtrlShiftS();
        QVERIFY(QFile::exists(other + "/skin2.bmp"));
        m_chosen.reset();
        pressCtrlShiftS();
        QCOMPARE(QDir(m_folderShown).canonicalPath(), other);
    }

    // The real dialog: both types, the 8-bit one chosen, on the start-up folder.
    void theFileDialogOffersTheTwoTypes() {
        workbench::setSaveAsPrompts({});
        QStringList filters;
        QString selected, folder;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            filters = dialog->nameFilters();
            selected = dialog->selectedNameFilter();
            folder = dialog->directory().canonicalPath();
            dialog->reject();
        });
        pressCtrlShiftS();
        QCOMPARE(filters, QStringList({"8-bit BMP for the game (*.bmp)", "24-bit BMP (*.bmp)"}));
        QCOMPARE(selected, QStringLiteral("8-bit BMP for the game (*.bmp)"));
        QCOMPARE(folder, m_folder);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList());
    }

    // Each format of the table is a type of the real dialog, and picking it saves the file the
    // workspace's save writes in that format.
    void everyFormatIsATypeOfTheFileDialog() {
        workbench::setSaveAsPrompts({});
        for (const stamps::SaveFormatSpec& row : stamps::allSaveFormats()) {
            const QString filter =
                QString::fromUtf8(row.dialogFilter.data(), qsizetype(row.dialogFilter.size()));
            QStringList filters;
            // The dialog is looked for until it shows: the window takes the focus back first.
            QTimer poll;
            connect(&poll, &QTimer::timeout, this, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                poll.stop();
                filters = dialog->nameFilters();
                dialog->selectNameFilter(filter);
                dialog->selectFile(m_folder + "/picked.bmp");
                static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, public in QDialog
            });
            poll.start(10);
            pressCtrlShiftS();
            QVERIFY2(filters.contains(filter), qPrintable(filter));
            const std::string expected = QFile::encodeName(m_folder + "/expected.bmp").toStdString();
            const auto saved = stamps::saveDestination(m_window->workspace(), row.format, expected);
            QVERIFY2(saved, saved.message().c_str());
            QVERIFY2(readAll(m_folder + "/picked.bmp") == readAll(m_folder + "/expected.bmp"),
                     qPrintable(filter));
            QCOMPARE(status(), "Saved picked.bmp, " + QString::fromStdString(saved.value()));
            QFile::remove(m_folder + "/picked.bmp");
        }
    }

    void savesTheChosenTypeAndSaysHow_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<SaveAsType>("type");
        QTest::addColumn<bool>("gameSkin"); // the destination is the game's medium body, else three colours
        QTest::addColumn<QString>("file");  // relative to the start-up folder unless absolute
        QTest::addColumn<int>("bits");
        QTest::addColumn<QString>("said");
        QTest::newRow("8-bit, exact") << "skin2" << SaveAsType::EightBit << false << "skin2.bmp" << 8
                                      << "Saved skin2.bmp, 8-bit, 3 colours, exact";
        QTest::newRow("8-bit, the game skin's palette kept")
            << "skin2.bmp" << SaveAsType::EightBit << true << "skin2.bmp" << 8
            << "Saved skin2.bmp, 8-bit, 256 colours, unchanged palette";
        QTest::newRow("24-bit") << "skin2" << SaveAsType::TrueColour << false << "skin2.bmp" << 24
                                << "Saved skin2.bmp, 24-bit";
        QTest::newRow("another ending kept") << "skin2.v2" << SaveAsType::EightBit << false << "skin2.v2" << 8
                                             << "Saved skin2.v2, 8-bit, 3 colours, exact";
        QTest::newRow("another folder")
            << "<elsewhere>/skin2" << SaveAsType::TrueColour << false << "<elsewhere>/skin2.bmp" << 24
            << "Saved <elsewhere>/skin2.bmp, 24-bit";
    }
    void savesTheChosenTypeAndSaysHow() {
        QFETCH(QString, name);
        QFETCH(SaveAsType, type);
        QFETCH(bool, gameSkin);
        QFETCH(QString, file);
        QFETCH(int, bits);
        QFETCH(QString, said);
        const QString elsewhere = QDir(m_env->elsewhere("other")).canonicalPath();
        for (QString* text : {&name, &file, &said})
            text->replace("<elsewhere>", elsewhere);
        core::Canvas& destination = m_window->workspace().picTarget;
        if (gameSkin) {
            const auto body = core::embeddedBmp(core::ImageId::imgMedBody);
            destination.setPicture(core::decodeBmp(body).value());
        }
        auto* filTwo = child<workbench::FileList>(m_window.get(), "FilTwo");
        QCOMPARE(filTwo->count(), 0);

        m_chosen = SaveAsChoice{name, type};
        pressCtrlShiftS();
        const QString path = QDir(m_folder).filePath(file);
        const auto info = core::readBmpInfoFile(QFile::encodeName(path).toStdString());
        QVERIFY2(info, info.message().c_str());
        QCOMPARE(info.value().bitsPerPixel, bits);
        const auto saved = core::loadPicture(QFile::encodeName(path).toStdString());
        QVERIFY(saved);
        QCOMPARE(saved.value(), destination.image());
        QCOMPARE(status(), said);
        QCOMPARE(m_asked, QStringList());
        QCOMPARE(filTwo->count(),
                 QFileInfo(path).absolutePath() == m_folder && file.endsWith(".bmp") ? 1 : 0);
    }

    void replacingAFileIsAskedFirst() {
        const QString path = m_folder + "/skin2.bmp";
        fixture::writeText(path, "old");
        m_chosen = SaveAsChoice{"skin2", SaveAsType::EightBit};
        m_replace = false;
        pressCtrlShiftS();
        QCOMPARE(m_asked, QStringList{path});
        QCOMPARE(readAll(path), QByteArray("old"));
        QCOMPARE(status(), QString());

        m_replace = true;
        pressCtrlShiftS();
        QCOMPARE(m_asked.size(), 2);
        QCOMPARE(readAll(path).size(), 66614);
        QCOMPARE(status(), QStringLiteral("Saved skin2.bmp, 8-bit, 3 colours, exact"));
    }

    void aFailureIsToldInOneLine() {
        fixture::MessageCatcher messages;
        m_window->showStatus("before");
        m_chosen = SaveAsChoice{"missing/skin", SaveAsType::EightBit};
        pressCtrlShiftS();
        QCOMPARE(messages.messages(),
                 QStringList{"Cannot save " + m_folder + "/missing/skin.bmp: No such file or directory."});
        QCOMPARE(status(), QStringLiteral("before"));
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

  private:
    void pressCtrlShiftS() {
        m_window->activateWindow();
        [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(m_window.get());
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    }
    QString status() const { return child<QLabel>(m_window.get(), "statusLine")->text(); }

    std::unique_ptr<fixture::TempEnvironment> m_env;
    std::unique_ptr<MainWindow> m_window;
    QString m_folder;
    std::optional<SaveAsChoice> m_chosen; // what the file dialog gives
    bool m_replace = false;               // the answer to the question before replacing
    QStringList m_asked;                  // the files it asked about
    QString m_folderShown;                // where the file dialog opened
    workbench::SaveAsPrompts m_previous;
};

QTEST_MAIN(SaveAsTest)
#include "save_as_test.moc"
