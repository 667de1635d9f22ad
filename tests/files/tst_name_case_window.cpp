// One file per name on a file system that tells letter case apart: every
// path the window builds from a label or a name finds the user's file in
// other capitals, and nothing makes a twin of it.
// Real mouse events, so that a click moves the focus as the user's does.
#define QTEST_QPA_MOUSE_HANDLING
#include "tests/support/FileBytes.h"
#include "tests/support/WindowFixture.h"

#include "app/Unit1.h"
#include "app/WorkFolders.h"
#include "config/ConfigStore.h"
#include "dictionaries/DictionaryPane.h"
#include "files/FileListBox.h"
#include "platform/testing/FakeServices.h"
#include "questions/QuestionList.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

class NameCaseWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;
    QString m_startFolder = QDir::currentPath();

    platform::FakeDialogs& dialogs() { return m_window->fakes.dialogs; }
    // The work folder is also the folder the file list shows.
    QString work(const QString& name) const { return m_window->folder.filePath(name); }
    static FileListBox& list(TForm1& form) { return *static_cast<FileListBox*>(form.JvFileListBox1); }
    static int rowOf(TForm1& form, const QString& name)
    {
        for (int row = 0; row < list(form).count(); ++row)
            if (list(form).item(row)->text() == name)
                return row;
        return -1;
    }
    static void pick(TForm1& form, const QString& name)
    {
        form.RefreshFileList();
        const int row = rowOf(form, name);
        QVERIFY2(row >= 0, qPrintable(name));
        list(form).setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        form.JvFileListBox1Click();
    }

private slots:
    void init()
    {
        m_window = std::make_unique<WindowFixture>();
        QVERIFY(QDir::setCurrent(m_window->folder.path()));
        // Present from the start, so that saves writing a key add no file.
        writeBytes(work("PolyxX.INI"), "");
    }
    void cleanup()
    {
        QDir::setCurrent(m_startFolder);
        m_window.reset();
    }

    // The labels come back upper-cased from the names of the first close.
    void secondRunLeavesTheFilesOfTheFirst()
    {
        QStringList firstClose;
        for (int run = 0; run < 2; ++run) {
            TForm1 form;
            form.show();
            form.ValueListEditor_EXT->lines().SetValueOf("<NOM>", QString("[nom%1]").arg(run));
            QVERIFY(form.close());
            if (run == 0)
                firstClose = m_window->folder.filesOnDisk();
        }
        QVERIFY(dialogs().errors.empty());
        QCOMPARE(m_window->folder.filesOnDisk(), firstClose);
        QVERIFY(firstClose.contains("Externe.DICO"));
        QVERIFY(firstClose.contains("Externe_Interne.PLX"));
        QVERIFY(readBytes(work("Externe.DICO")).contains("<NOM>=[nom1]"));
    }

    // Each save finds the file in other capitals and keeps its name.
    void savesFindTheFileInOtherCapitals_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("existing");
        QTest::newRow("external dictionary") << "DICO_EXT_SAVE" << "externe.dico";
        QTest::newRow("internal dictionary") << "DICO_INT_SAVE" << "INTERNE.dico";
        QTest::newRow("Sanvor dictionary") << "DICO_SAN_SAVE" << "~sanvor.DICO";
        QTest::newRow("fusion file") << "DICO_FUSION_SAVE" << "externe_INTERNE.plx";
        QTest::newRow("question list") << "DICO_QUESTIONS_SAVE" << "~polyx.dicu";
        QTest::newRow("state file") << "SKR_UNI_OPEN" << "~Polyx.Skru";
    }
    void savesFindTheFileInOtherCapitals()
    {
        QFETCH(QString, command);
        QFETCH(QString, existing);
        TForm1 form;
        writeBytes(work(existing), "ancien\r\n");
        form.ValueListEditor_EXT->SetPageLabel("EXTERNE");
        form.ValueListEditor_INT->SetPageLabel("INTERNE");
        form.SKRIVO_POLYX->SetText("Cher <NOM>");
        form.ValueListEditor_FUSION->lines().AddLine("a=b");
        const QStringList before = m_window->folder.filesOnDisk();
        form.action(command)->trigger();
        QVERIFY(dialogs().errors.empty());
        QCOMPARE(m_window->folder.filesOnDisk(), before);
        QVERIFY(readBytes(work(existing)) != "ancien\r\n");
    }

    // Opened from the list, saved, opened again: one file throughout, and
    // the remembered path is that file.
    void correspondentsDictionaryKeepsItsName()
    {
        writeBytes(work("dupont.dico"), "<NOM>=ancien\r\n");
        TForm1 form;
        pick(form, "dupont.dico");
        QCOMPARE(form.ValueListEditor_EXT->PageLabel(), QString("DUPONT"));
        form.ValueListEditor_EXT->lines().SetValueOf("<NOM>", "nouveau");
        form.action("DICO_EXT_SAVE")->trigger();
        QVERIFY(!QFile::exists(work("DUPONT.DICO")));
        QCOMPARE(ReadString("DICO", "EXTERNE", QString()), work("dupont.dico"));
        form.ValueListEditor_EXT->lines().SetValueOf("<NOM>", "oublié");
        pick(form, "dupont.dico");
        QCOMPARE(form.ValueListEditor_EXT->lines().ValueOf("<NOM>"), QString("nouveau"));
        QVERIFY(dialogs().errors.empty());
    }

    // The press on an entry leaves the grid, whose automatic save writes a
    // new file; the list is read again only once the click is over.
    void clickOpensTheEntryUnderThePointer()
    {
        writeBytes(work("k.dico"), "<NOM>=k\r\n");
        writeBytes(work("m.dico"), "<NOM>=m\r\n");
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(form.AUTO_SAVE->isChecked());
        form.ValueListEditor_EXT->SetPageLabel("AAA");
        form.ValueListEditor_EXT->setFocus();
        QTRY_VERIFY(form.ValueListEditor_EXT->isAncestorOf(QApplication::focusWidget())
                    || form.ValueListEditor_EXT->hasFocus());
        const int row = rowOf(form, "m.dico");
        QVERIFY(row >= 0);
        const QPoint centre = list(form).visualItemRect(list(form).item(row)).center();
        QTest::mouseClick(list(form).viewport(), Qt::LeftButton, {}, centre);
        QVERIFY(QFile::exists(work("AAA.DICO")));
        QCOMPARE(form.ValueListEditor_EXT->PageLabel(), QString("M"));
        QCOMPARE(form.ValueListEditor_EXT->lines().ValueOf("<NOM>"), QString("m"));
        QTRY_VERIFY(rowOf(form, "AAA.DICO") >= 0);
        QVERIFY(dialogs().errors.empty());
    }

    void dropFromTheListedFolderInOtherCapitals()
    {
        writeBytes(work("dupont.dico"), "<NOM>=a\r\n");
        TForm1 form;
        dialogs().confirmAnswers = {true};
        form.JvDragDrop1Drop({work("dupont.dico")});
        QCOMPARE(dialogs().confirms.size(), size_t(1));
        QVERIFY(!QFile::exists(work("DUPONT.DICO")));
        QCOMPARE(form.ValueListEditor_EXT->PageLabel(), QString("DUPONT"));
        QCOMPARE(form.ValueListEditor_EXT->lines().ValueOf("<NOM>"), QString("a"));
    }

    void dropReplacesTheFileInOtherCapitalsInPlace_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("kept") << false;
        QTest::newRow("replaced") << true;
    }
    void dropReplacesTheFileInOtherCapitalsInPlace()
    {
        QFETCH(bool, replace);
        QVERIFY(QDir().mkpath(work("ailleurs")));
        writeBytes(work("ailleurs/dupont.dico"), "<NOM>=nouveau\r\n");
        writeBytes(work("Dupont.Dico"), "<NOM>=ancien\r\n");
        TForm1 form;
        dialogs().confirmAnswers = {true, replace};
        form.JvDragDrop1Drop({work("ailleurs/dupont.dico")});
        QCOMPARE(dialogs().confirms.size(), size_t(2));
        QVERIFY2(dialogs().confirms[1].startsWith("Le fichier \"Dupont.Dico\" existe déjà"), qPrintable(dialogs().confirms[1]));
        QVERIFY(!QFile::exists(work("DUPONT.DICO")));
        QCOMPARE(readBytes(work("Dupont.Dico")), QByteArray(replace ? "<NOM>=nouveau\r\n" : "<NOM>=ancien\r\n"));
    }

    // Written by hand in small letters, the information file is the one
    // shown, opened and never doubled.
    void informationFileInOtherCapitals()
    {
        writeBytes(work("@nom.txt"), "Le nom de famille\r\n");
        TForm1 form;
        form.JvCheckListBox_QUESTION->Add("<NOM>");
        form.JvCheckListBox_QUESTION->Add("<AGE>");
        form.JvCheckListBox_QUESTION->SetItemIndex(int(form.JvCheckListBox_QUESTION->Texts().indexOf("<NOM>")));
        form.JvCheckListBox_QUESTIONClick();
        QCOMPARE(form.Memo_QUESTIONS->toPlainText(), QString("Le nom de famille"));
        form.mnuQuestions_PROPClick();
        form.Memo_QUESTIONSDblClick();
        QCOMPARE(m_window->fakes.desktop.edited, (std::vector<QString>{work("@nom.txt"), work("@nom.txt")}));
        QVERIFY(!QFile::exists(work("@NOM.TXT")));
        QCOMPARE(readBytes(work("@nom.txt")), QByteArray("Le nom de famille\r\n"));
        // Without any such file the built name is made.
        form.JvCheckListBox_QUESTION->SetItemIndex(int(form.JvCheckListBox_QUESTION->Texts().indexOf("<AGE>")));
        form.mnuQuestions_PROPClick();
        QVERIFY(QFile::exists(work("@AGE.TXT")));
    }

    void saveAsOntoAFileInOtherCapitals_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("replace");
        QTest::newRow("external dictionary") << "DICO_EXT_SAVEAS" << "Dupont.dico" << "DUPONT.DICO" << true;
        QTest::newRow("external dictionary, kept") << "DICO_EXT_SAVEAS" << "Dupont.dico" << "DUPONT.DICO" << false;
        QTest::newRow("internal dictionary") << "DICO_INT_SAVEAS" << "moi.DICO" << "MOI.DICO" << true;
        QTest::newRow("fusion") << "DICO_FUSION_SAVESA" << "a_b.plx" << "A_B.PLX" << true;
        QTest::newRow("external script") << "SKR_EXT_SAVEAS" << "Lettre.skrivo" << "LETTRE.SKRIVO" << true;
        QTest::newRow("universal script") << "SKR_UNI_SAVEAS" << "lettre.skru" << "LETTRE.SKRU" << true;
    }
    void saveAsOntoAFileInOtherCapitals()
    {
        QFETCH(QString, command);
        QFETCH(QString, existing);
        QFETCH(QString, typed);
        QFETCH(bool, replace);
        writeBytes(work(existing), "ancien");
        TForm1 form;
        form.SKRIVO_EXT->SetText("texte");
        form.SKRIVO_POLYX->SetText("texte");
        const QStringList before = m_window->folder.filesOnDisk();
        dialogs().saveAnswers = {work(typed)};
        dialogs().confirmAnswers = {replace};
        form.action(command)->trigger();
        QCOMPARE(dialogs().warningConfirms, std::vector<QString>{existing + " existe déjà.\nVoulez-vous le remplacer ?"});
        QCOMPARE(m_window->folder.filesOnDisk(), before);
        QCOMPARE(readBytes(work(existing)) == "ancien", !replace);
        QVERIFY(dialogs().errors.empty());
    }

    void joinReplacesTheFileInOtherCapitals()
    {
        writeBytes(work("a.dico"), "<A>=1\r\n");
        writeBytes(work("b.dico"), "<B>=2\r\n");
        writeBytes(work("_Global.dico"), "ancien");
        TForm1 form;
        form.RefreshFileList();
        list(form).item(rowOf(form, "a.dico"))->setSelected(true);
        list(form).item(rowOf(form, "b.dico"))->setSelected(true);
        dialogs().confirmAnswers = {true, true};
        dialogs().saveAnswers = {work("_GLOBAL.DICO")};
        form.action("DICOS_JOIN")->trigger();
        QCOMPARE(dialogs().confirms.size(), size_t(2));
        QCOMPARE(dialogs().confirms[1], "Le fichier \"" + work("_Global.dico")
                                            + "\" existe déjà.\r\n\r\nLe remplacer par ce regroupement de dictionnaires ?");
        QVERIFY(!QFile::exists(work("_GLOBAL.DICO")));
        QCOMPARE(readBytes(work("_Global.dico")), QByteArray("\r\n<_CODE>=0\r\n<_TITRE>=G L O B A L\r\n<A>=1\r\n<B>=2\r\n"));
    }

    void backupGoesIntoTheFolderInOtherCapitals()
    {
        writeBytes(work("a.dico"), "v");
        QVERIFY(QDir().mkpath(work("Sauve")));
        TForm1 form;
        dialogs().confirmAnswers = {true};
        form.action("BACKUP")->trigger();
        QVERIFY(!QFileInfo::exists(work("SAUVE")));
        QCOMPARE(readBytes(work("Sauve/a.dico")), QByteArray("v"));
        QCOMPARE(dialogs().messages.size(), size_t(1));
        QVERIFY(dialogs().messages[0].text.endsWith("Dans : " + work("Sauve/")));
    }
};

QTEST_MAIN(NameCaseWindowTest)
#include "tst_name_case_window.moc"
