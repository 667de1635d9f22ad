// "Ouvrir Skrivo", "Révisions" and "Editer la configuration".
#include "tests/support/WindowFixture.h"

#include "app/Unit1.h"
#include "app/WorkFolders.h"
#include "config/ConfigStore.h"
#include "platform/testing/FakeServices.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

class OutsideProgramsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;
    TForm1* m_form = nullptr;
    QByteArray m_home = qgetenv("HOME");

    void openSkrivo() { m_form->findChild<QAction*>("OuvrirSkrivo1")->trigger(); }
    // Wine's default prefix in the temporary home.
    QString wineDrive() const { return m_window->folder.filePath("home/.wine/drive_c/"); }

private slots:
    void init()
    {
        m_window = std::make_unique<WindowFixture>();
        QVERIFY(QDir().mkpath(m_window->folder.filePath("home")));
        qputenv("HOME", m_window->folder.filePath("home").toLocal8Bit());
        m_form = &m_window->open();
    }
    void cleanup()
    {
        m_window.reset();
        qputenv("HOME", m_home);
    }

    void programsFolderOfWine_data()
    {
        QTest::addColumn<QStringList>("folders"); // made in Wine's drive C:
        QTest::addColumn<QString>("programs");
        QTest::newRow("no Wine prefix yet") << QStringList{} << "Program Files";
        QTest::newRow("64-bit prefix") << QStringList{"Program Files", "Program Files (x86)"} << "Program Files";
        QTest::newRow("32-bit prefix") << QStringList{"Program Files"} << "Program Files";
        QTest::newRow("only Program Files (x86)") << QStringList{"Program Files (x86)"} << "Program Files (x86)";
    }
    void programsFolderOfWine()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, programs);
        for (const QString& folder : folders)
            QVERIFY(QDir().mkpath(wineDrive() + folder));
        openSkrivo();
        QCOMPARE(m_window->fakes.dialogs.openRequests.size(), size_t(1));
        QCOMPARE(m_window->fakes.dialogs.openRequests[0].initialDir, wineDrive() + programs + "/SANVOR");
        QCOMPARE(m_window->fakes.dialogs.openRequests[0].fileName, wineDrive() + programs + "/SANVOR/SKRIVO.EXE");
    }

    void programAtTheDefaultPathStartsWithoutWriting()
    {
        const QString program = wineDrive() + "Program Files (x86)/SANVOR/SKRIVO.EXE";
        QVERIFY(QDir().mkpath(QFileInfo(program).absolutePath()));
        QFile file(program);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        openSkrivo();
        QCOMPARE(m_window->fakes.desktop.opened, std::vector<QString>{program});
        QVERIFY(m_window->fakes.dialogs.openRequests.empty());
        QVERIFY(!QFile::exists(ConfigFileName()));
    }

    void storedProgramStartsAtOnce()
    {
        const QString program = m_window->folder.filePath("SKRIVO.EXE");
        QFile file(program);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        WriteString("CHEMINS", "SKRIVO", program);
        const QByteArray before = [&] { QFile ini(ConfigFileName()); ini.open(QIODevice::ReadOnly); return ini.readAll(); }();
        openSkrivo();
        QCOMPARE(m_window->fakes.desktop.opened, std::vector<QString>{program});
        QVERIFY(m_window->fakes.dialogs.openRequests.empty());
        QFile ini(ConfigFileName());
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), before);
    }

    void absentProgramIsAskedForThenRemembered()
    {
        const QString chosen = m_window->folder.filePath("Skrivo Pro $(x).exe");
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        m_window->fakes.dialogs.openAnswers.push_back(chosen);
        openSkrivo();
        QCOMPARE(m_window->fakes.dialogs.openRequests.size(), size_t(1));
        const platform::FileDialogRequest& asked = m_window->fakes.dialogs.openRequests[0];
        QCOMPARE(asked.initialDir, wineDrive() + "Program Files/SANVOR");
        QCOMPARE(asked.fileName, wineDrive() + "Program Files/SANVOR/SKRIVO.EXE");
        QCOMPARE(asked.filter, QString("Exécutable|*.exe|Tous|*.*"));
        QCOMPARE(asked.filterIndex, 1);
        QCOMPARE(asked.defaultExt, QString("EXE"));
        QCOMPARE(ReadString("CHEMINS", "SKRIVO", QString()), chosen);
        QCOMPARE(m_window->fakes.desktop.opened, std::vector<QString>{chosen});

        openSkrivo(); // now found: started directly
        QCOMPARE(m_window->fakes.dialogs.openRequests.size(), size_t(1));
        QCOMPARE(m_window->fakes.desktop.opened.size(), size_t(2));
    }

    void cancelledChoiceLeavesTheConfigurationAlone()
    {
        openSkrivo();
        QCOMPARE(m_window->fakes.dialogs.openRequests.size(), size_t(1));
        QVERIFY(m_window->fakes.desktop.opened.empty());
        QVERIFY(!QFile::exists(ConfigFileName()));
    }

    void notesAndConfigurationOpenInTheEditor()
    {
        m_form->findChild<QAction*>("Rvisions1")->trigger();
        m_form->findChild<QAction*>("Editerlaconfiguration1")->trigger();
        QCOMPARE(m_window->fakes.desktop.edited, (std::vector<QString>{WorkDir() + "_REVISIONS.TXT", ConfigFileName()}));
    }
};

QTEST_MAIN(OutsideProgramsTest)
#include "tst_outside_programs.moc"
