// Recovery after a run that did not end: the rules, the folder, and the
// window keeping its panes there while they differ from their files.
#include "tests/support/FileBytes.h"
#include "tests/support/WindowFixture.h"

#include "app/Recovery.h"
#include "app/RecoveryWatch.h"
#include "app/RecoveryWindow.h"
#include "app/Unit1.h"
#include "config/ConfigStore.h"
#include "dictionaries/DictionaryPane.h"
#include "dictionaries/TextLinesFile.h"
#include "questions/QuestionList.h"
#include "scripts/ScriptPane.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTextDocument>
#include <QAction>
#include <QtTest>

using polyx::RecoveryPane;

Q_DECLARE_METATYPE(polyx::RecoveryPane)

namespace {
QDateTime at(const QString& text) { return QDateTime::fromString(text, Qt::ISODate); }

void setModified(const QString& path, const QDateTime& when)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(when, QFileDevice::FileModificationTime));
}

// The recovery window is answered by the test; what it would have shown is kept.
struct RecoveryAnswer {
    explicit RecoveryAnswer(bool recover)
    {
        RecoveryWindow::answerWith([this, recover](const QStringList& items) {
            shown << items;
            return recover;
        });
    }
    ~RecoveryAnswer() { RecoveryWindow::answerWith({}); }
    QList<QStringList> shown;
};

const QByteArray kMartin = "<_AUTEUR>=Martin\r\n<NOM>=NOM_PATIENT\r\n<AGE>=AGE_PATIENT\r\n";
} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> m_window;
    QString recovery(const QString& name = QString()) const { return m_window->path("~RECUPERATION/" + name); }
    QStringList recoveryNames() const { return QDir(recovery()).entryList(QDir::Files | QDir::Hidden); }

    // A work folder whose external dictionary is "Dr_Martin.DICO", named by the configuration.
    void martinFolder()
    {
        writeBytes(m_window->path("Dr_Martin.DICO"), kMartin);
        WriteString("DICO", "EXTERNE", m_window->path("Dr_Martin.DICO"));
    }
    static void typeInto(QWidget* widget, const QString& text)
    {
        widget->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    static void typeIntoCell(DictionaryPane* pane, int row, const QString& text)
    {
        pane->setFocus();
        pane->SetCurrentCell(row, 1);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }

private slots:
    void init() { m_window = std::make_unique<WindowFixture>(); }
    void cleanup() { m_window.reset(); }

    void description_data()
    {
        QTest::addColumn<RecoveryPane>("pane");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("text");
        QTest::newRow("external dictionary") << RecoveryPane::DictionaryExt << "Dr_Martin.DICO"
                                             << "Dictionnaire externe « DR_MARTIN », modifié le 11/12/2026 à 14:32";
        QTest::newRow("internal, accents kept") << RecoveryPane::DictionaryInt << "Mes_Codes.été.dico"
                                                << "Dictionnaire interne « MES_CODES.éTé », modifié le 11/12/2026 à 14:32";
        QTest::newRow("fusion") << RecoveryPane::Fusion << "DR_MARTIN_MOI.PLX"
                                << "Dictionnaire de fusion « DR_MARTIN_MOI », modifié le 11/12/2026 à 14:32";
        QTest::newRow("questions") << RecoveryPane::Questions << "~POLYX.DICU"
                                   << "Questions universelles, modifié le 11/12/2026 à 14:32";
        QTest::newRow("script") << RecoveryPane::ScriptExt << "~EXTERNE.SKRIVO"
                                << "Script externe, modifié le 11/12/2026 à 14:32";
    }
    void description()
    {
        QFETCH(RecoveryPane, pane);
        QFETCH(QString, fileName);
        QTEST(polyx::DescribeRecovery({pane, fileName, QString(), at("2026-12-11T14:32:59")}), "text");
    }

    void differsFromFile_data()
    {
        QTest::addColumn<RecoveryPane>("pane");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("differs");
        const RecoveryPane dico = RecoveryPane::DictionaryExt;
        const RecoveryPane script = RecoveryPane::ScriptExt;
        QTest::newRow("same lines") << dico << QByteArray("a=1\r\nb=2\r\n") << false << true << QByteArray("a=1\r\nb=2\r\n") << false;
        QTest::newRow("same lines, LF and UTF-8 mark") << dico << QByteArray("a=\xE9\r\n") << false << true
                                                       << QByteArray("\xEF\xBB\xBF" "a=\xC3\xA9\n") << false;
        QTest::newRow("a value changed") << dico << QByteArray("a=1\r\nb=3\r\n") << false << true << QByteArray("a=1\r\nb=2\r\n") << true;
        QTest::newRow("a line gone") << dico << QByteArray("a=1\r\n") << false << true << QByteArray("a=1\r\nb=2\r\n") << true;
        QTest::newRow("empty pane, no file") << dico << QByteArray() << true << false << QByteArray() << false;
        QTest::newRow("lines, no file") << dico << QByteArray("a=1\r\n") << false << false << QByteArray() << true;
        QTest::newRow("script, same bytes") << script << QByteArray("Bonjour\r\n") << false << true << QByteArray("Bonjour\r\n") << false;
        QTest::newRow("script, line ends count") << script << QByteArray("Bonjour\r\n") << false << true << QByteArray("Bonjour\n") << true;
        QTest::newRow("script emptied") << script << QByteArray() << true << true << QByteArray("Bonjour") << true;
        QTest::newRow("empty script, no file") << script << QByteArray("{\\rtf1}") << true << false << QByteArray() << false;
    }
    void differsFromFile()
    {
        QFETCH(RecoveryPane, pane);
        QFETCH(QByteArray, content);
        QFETCH(bool, empty);
        QFETCH(bool, fileExists);
        QFETCH(QByteArray, file);
        QTEST(polyx::DiffersFromFile(pane, {content, empty}, fileExists ? std::optional(file) : std::nullopt), "differs");
    }

    // A pause writes; steady typing still writes every ten seconds; two
    // writes are never closer than that.
    void dueTime_data()
    {
        QTest::addColumn<qint64>("first");
        QTest::addColumn<qint64>("last");
        QTest::addColumn<qint64>("lastWrite"); // -1 for none yet
        QTest::addColumn<qint64>("due");
        QTest::newRow("one keystroke") << qint64(1000) << qint64(1000) << qint64(-1) << qint64(3000);
        QTest::newRow("a burst, then a pause") << qint64(1000) << qint64(4000) << qint64(-1) << qint64(6000);
        QTest::newRow("typing without a pause") << qint64(1000) << qint64(10500) << qint64(-1) << qint64(11000);
        QTest::newRow("soon after a write") << qint64(21000) << qint64(21000) << qint64(20000) << qint64(30000);
        QTest::newRow("long after a write") << qint64(50000) << qint64(50000) << qint64(20000) << qint64(52000);
    }
    void dueTime()
    {
        QFETCH(qint64, first);
        QFETCH(qint64, last);
        QFETCH(qint64, lastWrite);
        QTEST(polyx::RecoveryDueTime(first, last, lastWrite < 0 ? std::nullopt : std::optional(lastWrite), 2000, 10000),
              "due");
    }

    void watchWaitsForThePause()
    {
        QList<QList<RecoveryPane>> writes;
        RecoveryWatch watch([&](const QList<RecoveryPane>& panes) { writes << panes; }, 200, 600);
        watch.changed(RecoveryPane::ScriptExt);
        QTest::qWait(120);
        watch.changed(RecoveryPane::DictionaryExt);
        watch.changed(RecoveryPane::ScriptExt);
        QTest::qWait(120);
        QVERIFY(writes.isEmpty()); // still typing
        QTRY_COMPARE(writes.size(), 1);
        QCOMPARE(writes[0], (QList<RecoveryPane>{RecoveryPane::DictionaryExt, RecoveryPane::ScriptExt}));
        QVERIFY(!watch.isPending());
        watch.changed(RecoveryPane::Questions);
        watch.stop();
        QTest::qWait(800);
        QCOMPARE(writes.size(), 1);
    }

    void folderKeepsOnePerPaneAndOffersTheNewer()
    {
        polyx::RecoveryFolder folder(recovery(), m_window->folder.path() + "/");
        folder.keep(RecoveryPane::DictionaryExt, "Dr_Martin.DICO", "a=1\r\n");
        folder.keep(RecoveryPane::DictionaryExt, "Dr_Dupont.DICO", "a=2\r\n"); // the label changed
        folder.keep(RecoveryPane::ScriptExt, "~EXTERNE.SKRIVO", "Bonjour");
        folder.keep(RecoveryPane::Sanvor, "~SANVOR.DICO", "s=1\r\n");
        QCOMPARE(recoveryNames(), (QStringList{"EXTERNE.Dr_Dupont.DICO", "SANVOR.~SANVOR.DICO", "SCRIPT_EXTERNE.~EXTERNE.SKRIVO"}));
        QCOMPARE(readBytes(recovery("EXTERNE.Dr_Dupont.DICO")), QByteArray("a=2\r\n"));

        // Its file saved after the recovery file was written: nothing to offer for that one.
        writeBytes(m_window->path("~SANVOR.DICO"), "s=0\r\n");
        setModified(recovery("SANVOR.~SANVOR.DICO"), QDateTime::currentDateTime().addSecs(-60));
        writeBytes(m_window->path("~EXTERNE.SKRIVO"), "Avant");
        setModified(m_window->path("~EXTERNE.SKRIVO"), QDateTime::currentDateTime().addSecs(-60));
        QList<RecoveryPane> offered;
        for (const polyx::RecoveryFile& file : folder.offered()) {
            offered << file.pane;
        }
        QCOMPARE(offered, (QList<RecoveryPane>{RecoveryPane::DictionaryExt, RecoveryPane::ScriptExt}));
        QCOMPARE(folder.files().size(), 3);

        folder.drop(RecoveryPane::Sanvor);
        QCOMPARE(recoveryNames().size(), 2);

        // Set aside, the kept pane stays; nothing is deleted.
        folder.setAside(m_window->path("SAUVE/"), at("2026-12-11T14:32:05"), {RecoveryPane::ScriptExt});
        QCOMPARE(recoveryNames(), QStringList{"SCRIPT_EXTERNE.~EXTERNE.SKRIVO"});
        QCOMPARE(readBytes(m_window->path("SAUVE/RECUPERATION_2026-12-11_14-32-05/EXTERNE.Dr_Dupont.DICO")),
                 QByteArray("a=2\r\n"));
        folder.clear();
        QVERIFY(!QFileInfo::exists(recovery()));
    }

    // Typed into a grid and a script, both reach the recovery folder after
    // the pause, in the format of their files; a close that saves removes them.
    void editsReachTheRecoveryFolder()
    {
        martinFolder();
        WriteBool("OPTIONS", "AUTOSAVE", false); // leaving the grid would save it
        TForm1& form = m_window->open();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(!QFileInfo::exists(recovery()));
        typeIntoCell(form.ValueListEditor_EXT, 2, "NOM_MODIFIE"); // the editor's text selected, replaced
        typeInto(form.SKRIVO_EXT, "Bonjour NOM_PATIENT");
        QTRY_VERIFY_WITH_TIMEOUT(recoveryNames().size() >= 2, 8000);
        QCOMPARE(recoveryNames(), (QStringList{"EXTERNE.Dr_Martin.DICO", "SCRIPT_EXTERNE.~EXTERNE.SKRIVO"}));
        QCOMPARE(polyx::TextLinesFile::Read(recovery("EXTERNE.Dr_Martin.DICO")).lines,
                 (QStringList{"<_AUTEUR>=Martin", "<NOM>=NOM_MODIFIE", "<AGE>=AGE_PATIENT"}));
        QCOMPARE(readBytes(recovery("SCRIPT_EXTERNE.~EXTERNE.SKRIVO")), QByteArray("Bonjour NOM_PATIENT"));
        QCOMPARE(readBytes(m_window->path("Dr_Martin.DICO")), kMartin); // the user's file untouched

        // Typed back as it was: its recovery file goes.
        form.SKRIVO_EXT->Clear();
        QTRY_COMPARE_WITH_TIMEOUT(recoveryNames(), QStringList{"EXTERNE.Dr_Martin.DICO"}, 14000);

        QVERIFY(form.close());
        QVERIFY(!QFileInfo::exists(recovery()));
        QVERIFY(m_window->fakes.dialogs.errors.empty());
    }

    // The save fails for one file and the user quits anyway: that pane
    // waits in the recovery folder.
    void quitAfterAFailedSaveKeepsWhatFailed()
    {
        martinFolder();
        TForm1& form = m_window->open();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        typeInto(form.SKRIVO_POLYX, "Lettre <NOM>");
        QFile::remove(m_window->path("~POLYX.SKRU"));
        QVERIFY(QDir().mkdir(m_window->path("~POLYX.SKRU"))); // a folder where the file goes
        m_window->fakes.dialogs.confirmAnswers = {true}; // "Quitter quand même ?"
        QVERIFY(form.close());
        QCOMPARE(m_window->fakes.dialogs.errors.size(), size_t(1));
        QCOMPARE(recoveryNames(), QStringList{"SCRIPT_UNIVERSEL.~POLYX.SKRU"});
        QCOMPARE(readBytes(recovery("SCRIPT_UNIVERSEL.~POLYX.SKRU")), QByteArray("Lettre <NOM>"));
    }

    // The desktop ends the session: saved as a close saves, no box; what
    // fails waits for the next start.
    void endOfDesktopSessionSavesWithoutABox()
    {
        martinFolder();
        TForm1& form = m_window->open();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        typeIntoCell(form.ValueListEditor_EXT, 2, "NOM_X");
        typeInto(form.SKRIVO_INT, "Lettre interne");
        QVERIFY(QDir().mkdir(m_window->path("~INTERNE.SKRIVO")));
        form.SaveSessionAndQuit();
        QVERIFY(m_window->fakes.dialogs.errors.empty());
        QVERIFY(m_window->fakes.dialogs.confirms.empty());
        QVERIFY(readBytes(m_window->path("Dr_Martin.DICO")).contains("<NOM>=NOM_X\r\n"));
        QCOMPARE(ReadString("OPTIONS", "AUTOSAVE", "absent"), QString("1"));
        QCOMPARE(recoveryNames(), QStringList{"SCRIPT_INTERNE.~INTERNE.SKRIVO"});
        // A close that follows saves nothing more and asks nothing.
        QVERIFY(form.close());
        QVERIFY(m_window->fakes.dialogs.confirms.empty());
    }

    void recoverAtTheNextStart_data()
    {
        QTest::addColumn<bool>("recover");
        QTest::newRow("Récupérer") << true;
        QTest::newRow("Ignorer") << false;
    }
    void recoverAtTheNextStart()
    {
        QFETCH(bool, recover);
        martinFolder();
        writeBytes(m_window->path("~EXTERNE.SKRIVO"), "Ancienne lettre");
        setModified(m_window->path("~EXTERNE.SKRIVO"), QDateTime::currentDateTime().addSecs(-120));
        setModified(m_window->path("Dr_Martin.DICO"), QDateTime::currentDateTime().addSecs(-120));
        QVERIFY(QDir().mkpath(recovery()));
        writeBytes(recovery("EXTERNE.Dr_Martin.DICO"), "<_AUTEUR>=Martin\r\n<NOM>=NOM_RECUPERE\r\n");
        writeBytes(recovery("SCRIPT_EXTERNE.~EXTERNE.SKRIVO"), "Lettre recuperee NOM_RECUPERE");
        // Older than its file: not offered, but kept aside.
        writeBytes(m_window->path("~SANVOR.DICO"), "<NOM>=S_NOM\r\n");
        writeBytes(recovery("SANVOR.~SANVOR.DICO"), "<NOM>=S_VIEUX\r\n");
        setModified(recovery("SANVOR.~SANVOR.DICO"), QDateTime::currentDateTime().addSecs(-600));

        const RecoveryAnswer answer(recover);
        TForm1& form = m_window->open();
        QCOMPARE(answer.shown.size(), 1);
        QCOMPARE(answer.shown[0].size(), 2);
        QVERIFY(answer.shown[0][0].startsWith("Dictionnaire externe « DR_MARTIN », modifié le "));
        QVERIFY(answer.shown[0][1].startsWith("Script externe, modifié le "));

        const QStringList aside = QDir(m_window->path("SAUVE")).entryList({"RECUPERATION_*"}, QDir::Dirs);
        QCOMPARE(aside.size(), 1);
        const QStringList asideFiles = QDir(m_window->path("SAUVE/" + aside[0])).entryList(QDir::Files);
        QCOMPARE(readBytes(m_window->path("Dr_Martin.DICO")), kMartin);
        QCOMPARE(readBytes(m_window->path("~EXTERNE.SKRIVO")), QByteArray("Ancienne lettre"));
        if (recover) {
            QCOMPARE(form.ValueListEditor_EXT->lines().ValueOf("<NOM>"), QString("NOM_RECUPERE"));
            QCOMPARE(form.ValueListEditor_EXT->PageLabel(), QString("DR_MARTIN"));
            QCOMPARE(form.SKRIVO_EXT->Text(), QString("Lettre recuperee NOM_RECUPERE"));
            QCOMPARE(asideFiles, QStringList{"SANVOR.~SANVOR.DICO"});
            // Still there until saved, rewritten by the pause.
            QCOMPARE(recoveryNames(), (QStringList{"EXTERNE.Dr_Martin.DICO", "SCRIPT_EXTERNE.~EXTERNE.SKRIVO"}));
            QVERIFY(form.close());
            QVERIFY(readBytes(m_window->path("Dr_Martin.DICO")).contains("<NOM>=NOM_RECUPERE\r\n"));
            QCOMPARE(readBytes(m_window->path("~EXTERNE.SKRIVO")), QByteArray("Lettre recuperee NOM_RECUPERE"));
            QVERIFY(!QFileInfo::exists(recovery()));
        } else {
            QCOMPARE(form.ValueListEditor_EXT->lines().ValueOf("<NOM>"), QString("NOM_PATIENT"));
            QCOMPARE(form.SKRIVO_EXT->Text(), QString("Ancienne lettre"));
            QCOMPARE(asideFiles, (QStringList{"EXTERNE.Dr_Martin.DICO", "SANVOR.~SANVOR.DICO", "SCRIPT_EXTERNE.~EXTERNE.SKRIVO"}));
            QVERIFY(!QFileInfo::exists(recovery()));
        }
        QVERIFY(m_window->fakes.dialogs.errors.empty());
    }

    // A translation's thousands of replacements tell the watch a handful of
    // times, not once each: nothing of the recovery runs per replacement.
    void translationTellsItsChangeOnce()
    {
        TForm1& form = m_window->open();
        for (const char* line : {"<NOM>=$NOM$", "<AGE>=$AGE$"})
            form.ValueListEditor_EXT->lines().AddLine(line);
        for (const char* line : {"<NOM>=#NOM#", "<AGE>=#AGE#"})
            form.ValueListEditor_INT->lines().AddLine(line);
        form.SKRIVO_EXT->SetText(QString("Nom $NOM$, age $AGE$.\r\n").repeated(2000));
        QSignalSpy told(form.SKRIVO_INT->document(), &QTextDocument::contentsChanged);
        form.action("FUSION_EXT_INT")->trigger();
        QVERIFY(form.SKRIVO_INT->Text().startsWith("Nom #NOM#, age #AGE#."));
        QVERIFY2(told.count() <= 2, qPrintable(QString::number(told.count())));
    }

    // A damaged recovery file: said, the others still recovered.
    void damagedRecoveryFileDoesNotStopTheOthers()
    {
        martinFolder();
        QVERIFY(QDir().mkpath(recovery()));
        writeBytes(recovery("EXTERNE.Dr_Martin.DICO"), "<NOM>=A\r\n<nom>=B\r\n"); // a repeated key
        // Newer than its file, whatever the clock's grain.
        QFile damaged(recovery("EXTERNE.Dr_Martin.DICO"));
        QVERIFY(damaged.open(QIODevice::ReadWrite));
        QVERIFY(damaged.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        damaged.close();
        writeBytes(recovery("QUESTIONS.~POLYX.DICU"), "<NOM>\r\n<PRENOM>\r\n");
        const RecoveryAnswer answer(true);
        TForm1& form = m_window->open();
        QCOMPARE(form.JvCheckListBox_QUESTION->Texts(), (QStringList{"<NOM>", "<PRENOM>"}));
        QCOMPARE(form.ValueListEditor_EXT->lines().ValueOf("<NOM>"), QString("NOM_PATIENT"));
        QCOMPARE(m_window->fakes.dialogs.errors.size(), size_t(1));
        // The refused one is kept aside, not lost.
        const QStringList aside = QDir(m_window->path("SAUVE")).entryList({"RECUPERATION_*"}, QDir::Dirs);
        QCOMPARE(aside.size(), 1);
        QVERIFY(QFileInfo::exists(m_window->path("SAUVE/" + aside[0] + "/EXTERNE.Dr_Martin.DICO")));
    }
};

QTEST_MAIN(RecoveryTest)
#include "tst_recovery.moc"
