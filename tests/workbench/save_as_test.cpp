// "Save Destination As…": Ctrl+Shift+S, the file dialog on the start-up folder (or where the
// destination came from) with its types, the 8-bit and the 24-bit BMP file and the PNG file and
// what the status line says, the type's ending added, the name box on the destination's name,
// the question before replacing (and the dialog again after "No"), and a failure told in one
// line.

#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include "core/library/image_library.h"
#include "stamps/files.h"
#include "window_fixture.h"
#include "workbench/classic/file_lists.h"
#include "workbench/classic/panes.h"
#include "workbench/dialogs/save_as.h"
#include "workbench/main_window.h"

using fixture::child;
using fixture::kBlue;
using fixture::kGreen;
using fixture::kRed;
using workbench::SaveAsChoice;
using workbench::SaveAsType;

Q_DECLARE_METATYPE(workbench::SaveAsType)

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class SaveAsTest : public QObject, fixture::WindowTest {
    Q_OBJECT
  private slots:
    void init() {
        makeEnvironment();
        m_folder = QDir(m_env->textures()).canonicalPath();
        QVERIFY(showWindow());
        m_window->workspace().picTarget.setPicture(fixture::threeColours());
        m_prompts.emplace();
    }
    void cleanup() {
        m_prompts.reset();
        closeWindow();
    }

    void ctrlShiftSOpensItOnTheStartUpFolder() {
        pressCtrlShiftS(); // cancelled: nothing is written or said
        QVERIFY2(!m_prompts->shownFolder.isEmpty(), "the file dialog did not open");
        QCOMPARE(QDir(m_prompts->shownFolder).canonicalPath(), m_folder);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList());
        QCOMPARE(status(), QString());
    }

    // Once a destination file is opened, or saved as, the dialog opens on that file's folder.
    void itOpensWhereTheDestinationCameFrom() {
        const QString skins = QDir(m_env->elsewhere("skins")).canonicalPath();
        fixture::writeBmp(skins + "/skin.bmp", kRed);
        QVERIFY(m_window->panes().openFile(workbench::Pane::Destination, skins + "/skin.bmp"));
        pressCtrlShiftS();
        QCOMPARE(QDir(m_prompts->shownFolder).canonicalPath(), skins);

        const QString other = QDir(m_env->elsewhere("other")).canonicalPath();
        m_prompts->chosen = SaveAsChoice{other + "/skin2", SaveAsType::EightBit};
        pressCtrlShiftS();
        QVERIFY(QFile::exists(other + "/skin2.bmp"));
        m_prompts->chosen.reset();
        pressCtrlShiftS();
        QCOMPARE(QDir(m_prompts->shownFolder).canonicalPath(), other);
    }

    // The name box starts with the destination file's name, in the real dialog too; with no
    // file, it starts empty.
    void theNameBoxStartsWithTheDestinationsName() {
        const QString skins = QDir(m_env->elsewhere("skins")).canonicalPath();
        fixture::writeBmp(skins + "/skin.bmp", kRed);
        pressCtrlShiftS();
        QCOMPARE(m_prompts->shownNames, QStringList{QString()});
        QVERIFY(m_window->panes().openFile(workbench::Pane::Destination, skins + "/skin.bmp"));
        pressCtrlShiftS();
        QCOMPARE(m_prompts->shownNames, QStringList({"", "skin.bmp"}));

        m_prompts.reset(); // the real dialog
        QString name, folder;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            if (auto* box = dialog->findChild<QLineEdit*>("fileNameEdit")) name = box->text();
            folder = dialog->directory().canonicalPath();
            dialog->reject();
        });
        pressCtrlShiftS();
        QCOMPARE(name, QStringLiteral("skin.bmp"));
        QCOMPARE(folder, skins);
    }

    // The real dialog: every type, the 8-bit one chosen, on the start-up folder.
    void theFileDialogOffersEveryType() {
        m_prompts.reset(); // the real dialog
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
        QCOMPARE(filters,
                 QStringList({"8-bit BMP for the game (*.bmp)", "24-bit BMP (*.bmp)", "PNG (*.png)"}));
        QCOMPARE(selected, QStringLiteral("8-bit BMP for the game (*.bmp)"));
        QCOMPARE(folder, m_folder);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList());
    }

    // Each format of the table is a type of the real dialog, and picking it saves the file the
    // workspace's save writes in that format.
    void everyFormatIsATypeOfTheFileDialog() {
        m_prompts.reset(); // the real dialog
        for (const stamps::SaveFormatSpec& row : stamps::allSaveFormats()) {
            const QString filter =
                QString::fromUtf8(row.dialogFilter.data(), qsizetype(row.dialogFilter.size()));
            const std::string_view ending = stamps::extensionOf(row.format);
            const QString picked = "picked" + QString::fromLatin1(ending.data(), qsizetype(ending.size()));
            QStringList filters;
            // The dialog is looked for until it shows: the window takes the focus back first.
            QTimer poll;
            connect(&poll, &QTimer::timeout, this, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                poll.stop();
                filters = dialog->nameFilters();
                dialog->selectNameFilter(filter);
                // selectFile leaves alone a name box that has the focus, as one the user types
                // in; the dialog may have given it the focus already.
                if (QWidget* typing = dialog->focusWidget()) typing->clearFocus();
                dialog->selectFile(m_folder + "/" + picked);
                static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, public in QDialog
            });
            poll.start(10);
            pressCtrlShiftS();
            QVERIFY2(filters.contains(filter), qPrintable(filter));
            const std::string expected = QFile::encodeName(m_folder + "/expected.bmp").toStdString();
            const auto saved = stamps::saveDestination(m_window->workspace(), row.format, expected);
            QVERIFY2(saved, saved.message().c_str());
            QVERIFY2(readAll(m_folder + "/" + picked) == readAll(m_folder + "/expected.bmp"),
                     qPrintable(filter));
            QCOMPARE(status(), "Saved " + picked + ", " + QString::fromStdString(saved.value()));
            QFile::remove(m_folder + "/" + picked);
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
        QTest::newRow("PNG, exact") << "skin2" << SaveAsType::Png << false << "skin2.png" << 2
                                    << "Saved skin2.png, PNG, 3 colours, exact";
        QTest::newRow("PNG, the game skin's palette kept")
            << "skin2" << SaveAsType::Png << true << "skin2.png" << 8
            << "Saved skin2.png, PNG, 256 colours, unchanged palette";
        // The name's own ending, where it names another kind of file, decides the kind.
        QTest::newRow("a PNG name under a BMP type")
            << "skin2.png" << SaveAsType::TrueColour << false << "skin2.png" << 2
            << "Saved skin2.png, PNG, 3 colours, exact";
        QTest::newRow("a BMP name under the PNG type")
            << "skin2.BMP" << SaveAsType::Png << false << "skin2.BMP" << 8
            << "Saved skin2.BMP, 8-bit, 3 colours, exact";
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

        m_prompts->chosen = SaveAsChoice{name, type};
        pressCtrlShiftS();
        const QString path = QDir(m_folder).filePath(file);
        const auto info = core::readPictureInfoFile(QFile::encodeName(path).toStdString());
        QVERIFY2(info, info.message().c_str());
        QCOMPARE(info.value().bitsPerPixel, bits);
        const auto saved = fixture::loadBmp(path);
        QVERIFY(saved);
        QCOMPARE(saved.value(), destination.image());
        QCOMPARE(status(), said);
        QCOMPARE(m_prompts->asked, QStringList());
        QCOMPARE(filTwo->count(),
                 QFileInfo(path).absolutePath() == m_folder && !file.endsWith(".v2") ? 1 : 0);
    }

    void replacingAFileIsAskedFirst() {
        const QString path = m_folder + "/skin2.bmp";
        fixture::writeText(path, "old");
        m_prompts->chosen = SaveAsChoice{"skin2", SaveAsType::EightBit};
        m_prompts->replace = false;
        pressCtrlShiftS(); // "No" brings the dialog back on the name given; it is cancelled then
        QCOMPARE(m_prompts->asked, QStringList{path});
        QCOMPARE(m_prompts->shownNames, QStringList({"", "skin2.bmp"}));
        QCOMPARE(QDir(m_prompts->shownFolder).canonicalPath(), m_folder);
        QCOMPARE(readAll(path), QByteArray("old"));
        QCOMPARE(status(), QString());

        // Another name picked after "No" is saved, the file kept.
        m_prompts->afterNo = SaveAsChoice{"skin3", SaveAsType::TrueColour};
        pressCtrlShiftS();
        QCOMPARE(m_prompts->asked.size(), 2);
        QCOMPARE(readAll(path), QByteArray("old"));
        QCOMPARE(status(), QStringLiteral("Saved skin3.bmp, 24-bit"));
        QVERIFY(fixture::loadBmp(m_folder + "/skin3.bmp"));

        m_prompts->replace = true;
        pressCtrlShiftS();
        QCOMPARE(m_prompts->asked.size(), 3);
        QCOMPARE(readAll(path).size(), 66614);
        QCOMPARE(status(), QStringLiteral("Saved skin2.bmp, 8-bit, 3 colours, exact"));
    }

    void aFailureIsToldInOneLine() {
        fixture::MessageCatcher messages;
        m_window->showStatus("before");
        m_prompts->chosen = SaveAsChoice{"missing/skin", SaveAsType::EightBit};
        pressCtrlShiftS();
        QCOMPARE(messages.messages(),
                 QStringList{"Cannot save " + m_folder + "/missing/skin.bmp: No such file or directory."});
        QCOMPARE(status(), QStringLiteral("before"));
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

  private:
    void pressCtrlShiftS() { pressKey(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); }

    QString m_folder;
    std::optional<fixture::SaveAsPromptCatcher> m_prompts;
};

QTEST_MAIN(SaveAsTest)
#include "save_as_test.moc"
