// Start-up, showing and closing the window, with its configuration file.
#include "tests/support/FileBytes.h"
#include "tests/support/WindowFixture.h"

#include "app/CaptionPanel.h"
#include "app/Unit1.h"
#include "app/WorkFolders.h"
#include "config/ConfigStore.h"
#include "platform/FileLocations.h"
#include "platform/ProgramPath.h"
#include "platform/testing/FakeServices.h"

#include <QAction>
#include <QCheckBox>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

class WindowStartTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;

    QString iniPath() const { return m_window->folder.filePath("PolyxX.INI"); }
    void writeIni(const QByteArray& bytes) { writeBytes(iniPath(), bytes); }

private slots:
    void init()
    {
        m_window = std::make_unique<WindowFixture>();
    }
    void cleanup()
    {
        m_window.reset();
    }

    void firstStartWithoutConfiguration()
    {
        {
            TForm1 form;
            form.show();
            QCOMPARE(form.windowTitle(), QString("Polyx'X : ***{:- 19.1.1"));
            QVERIFY(!form.AUTO_TRAD->isChecked());
            QVERIFY(form.AUTO_SAVE->isChecked());
            QVERIFY(!form.chk_StayOnTop->isChecked());
            QVERIFY(!form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            QCOMPARE(form.PANEL_TEXTE->height() > 0, true);
            QCOMPARE(form.PageControl_DICOS->tabText(0), QString("Externe"));
            QCOMPARE(form.PageControl_SCRIPTS->tabText(1), QString("Interne"));
            QCOMPARE(ListExt, QString("dico"));
            QCOMPARE(DIR.root, WorkDir());
            QCOMPARE(DIR.actif, DIR.root);
            QCOMPARE(DIR.sauve, WorkDir() + "SAUVE/");
            QVERIFY(m_window->fakes.dialogs.errors.empty());
            QVERIFY(!QFile::exists(iniPath()));
            QVERIFY(form.close());
        }
        QVERIFY(QFile::exists(iniPath()));
        QCOMPARE(ReadString("PolyxX", "Form1", "absent").count(':'), 3);
        QCOMPARE(ReadString("CASES_A_COCHER", "chk_StayOnTop", "absent"), QString("0"));
        QCOMPARE(ReadString("OPTIONS", "AUTOTRAD", "absent"), QString("0"));
        QCOMPARE(ReadString("OPTIONS", "AUTOSAVE", "absent"), QString("1"));
        QCOMPARE(ReadInteger("AFFICHAGE", "TEXTE", -1), 296);
        QCOMPARE(ReadString("SKRIVO", "EXTERNE", "absent"), QString("absent"));
    }

    void sessionOptionsComeBack()
    {
        writeIni("[OPTIONS]\r\nautotrad=1\r\nAUTOSAVE=0\r\n[CASES_A_COCHER]\r\nchk_StayOnTop=1\r\n"
                 "[AFFICHAGE]\r\nTEXTE=250\r\n");
        TForm1 form;
        form.show();
        QVERIFY(form.AUTO_TRAD->isChecked());
        QVERIFY(!form.AUTO_SAVE->isChecked());
        // On top as soon as shown, without the item being clicked.
        QVERIFY(form.chk_StayOnTop->isChecked());
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        form.chk_StayOnTop->trigger();
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(form.isVisible());
        QVERIFY(form.close());
        QCOMPARE(ReadInteger("AFFICHAGE", "TEXTE", -1), 250);
        QCOMPARE(ReadBool("CASES_A_COCHER", "chk_StayOnTop", true), false);
    }

    void firstPagesInFrontWithoutPageChange()
    {
        TForm1 form;
        form.PageControl_DICOS->setCurrentIndex(2);
        form.PageControl_SCRIPTS->setCurrentIndex(2);
        QSignalSpy dicos(form.PageControl_DICOS, &QTabWidget::currentChanged);
        QSignalSpy scripts(form.PageControl_SCRIPTS, &QTabWidget::currentChanged);
        form.show();
        QCOMPARE(form.PageControl_DICOS->currentIndex(), 0);
        QCOMPARE(form.PageControl_SCRIPTS->currentIndex(), 0);
        QCOMPARE(dicos.count(), 0);
        QCOMPARE(scripts.count(), 0);
    }

    void badConfigurationStillStarts_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("reported");
        QTest::newRow("placement of words") << QByteArray("[PolyxX]\r\nForm1=gauche:haut:large:long\r\n") << true;
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe[\x01\x02=\x00\n\r\r[PolyxX\n", 19) << false;
        QTest::newRow("odd UTF-16") << QByteArray("\xff\xfe[\x00O\x00P\x00]", 9) << false;
        QTest::newRow("huge") << QByteArray(4 * 1024 * 1024, 'x') << false;
    }
    void badConfigurationStillStarts()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, reported);
        writeIni(bytes);
        TForm1 form;
        form.show();
        QCOMPARE(m_window->fakes.dialogs.errors.size(), size_t(reported ? 1 : 0));
        QVERIFY(form.isVisible());
    }

    void failedSaveKeepsTheWindowOpen()
    {
        TForm1 form;
        form.show();
        QVERIFY(QDir().mkdir(iniPath())); // a folder where the file should be
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QCOMPARE(m_window->fakes.dialogs.errors.size(), size_t(1));
        QVERIFY(m_window->fakes.dialogs.errors[0].startsWith("Impossible d'écrire dans "));
        QVERIFY(QDir().rmdir(iniPath()));
        QVERIFY(form.close()); // closing again retries
    }

    void escapeEmptiesTheMask()
    {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.Edit_MASK->setText("ABC");
        form.JvFileListBox1->setFocus();
        QTest::keyClick(form.JvFileListBox1, Qt::Key_Escape);
        QCOMPARE(form.Edit_MASK->text(), QString());
        QTRY_VERIFY(form.Edit_MASK->hasFocus());
        // Even when already empty, the cursor goes back to the mask box.
        form.JvFileListBox1->setFocus();
        QTest::keyClick(form.JvFileListBox1, Qt::Key_Escape);
        QTRY_VERIFY(form.Edit_MASK->hasFocus());
    }

    void helpButtonShowsTheDropHint()
    {
        TForm1 form;
        form.PANEL_HAUTButtonClick();
        QCOMPARE(m_window->fakes.dialogs.messages.size(), size_t(1));
        const auto& shown = m_window->fakes.dialogs.messages[0];
        QCOMPARE(shown.kind, platform::BoxKind::Information);
        QVERIFY(shown.centred);
        QCOMPARE(shown.text, QString("Déposez un fichier (ou choisissez le dans la liste)\r\n\r\n"
                                     "DICTIONNAIRES\r\nCTRL+SUPPR pour supprimer"));
    }

    // Installed, the program writes into the user's folders only, shows the
    // notes shipped with it and lists the work folder.
    void installedProgramKeepsToTheUserFolders()
    {
        const QByteArray home = qgetenv("HOME");
        const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", home);
            if (configHome.isEmpty())
                qunsetenv("XDG_CONFIG_HOME");
            else
                qputenv("XDG_CONFIG_HOME", configHome);
        });
        const QString user = m_window->folder.filePath("home/");
        QVERIFY(QDir().mkpath(user));
        qputenv("HOME", user.toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        QVERIFY(QDir().mkpath(m_window->folder.filePath("usr/bin")));
        QVERIFY(QDir().mkpath(m_window->folder.filePath("usr/share/polyxx")));
        platform::setProgramPath(m_window->folder.filePath("usr/bin/PolyxX"));
        platform::createUserFolders();
        {
            TForm1 form;
            form.show();
            QCOMPARE(form.FileListFolder(), user + "Documents/PolyxX");
            QCOMPARE(DIR.root, user + "Documents/PolyxX/");
            form.findChild<QAction*>("Rvisions1")->trigger();
            form.findChild<QAction*>("Editerlaconfiguration1")->trigger();
            QCOMPARE(m_window->fakes.desktop.edited,
                     (std::vector<QString>{m_window->folder.filePath("usr/share/polyxx/_REVISIONS.TXT"),
                                           user + ".config/PolyxX/PolyxX.INI"}));
            QVERIFY(form.close());
        }
        QVERIFY(m_window->fakes.dialogs.errors.empty());
        QCOMPARE(ReadString("OPTIONS", "AUTOSAVE", "absent", user + ".config/PolyxX/PolyxX.INI"), QString("1"));
        QVERIFY(QFile::exists(user + "Documents/PolyxX/Externe.DICO"));
        QStringList inPrefix;
        QDirIterator written(m_window->folder.filePath("usr"), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (written.hasNext())
            inPrefix.append(written.next());
        QCOMPARE(inPrefix, QStringList());
    }
};

QTEST_MAIN(WindowStartTest)
#include "tst_window_start.moc"
