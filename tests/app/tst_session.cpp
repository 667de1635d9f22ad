// The session carried from one run to the next through the configuration
// file and the work files.
#include "tests/support/FileBytes.h"
#include "tests/support/WindowFixture.h"

#include "app/Unit1.h"
#include "config/ConfigStore.h"
#include "dictionaries/DictionaryPane.h"
#include "platform/testing/FakeServices.h"
#include "questions/QuestionList.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QtTest>

class SessionTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;

    QString path(const QString& name) const { return m_window->folder.filePath(name); }
    QByteArray bytes(const QString& name) const { return readBytes(path(name)); }
    void writeFile(const QString& name, const QByteArray& content) const { writeBytes(path(name), content); }
    // Sections and their keys as the file holds them.
    QStringList iniKeys() const
    {
        QStringList keys;
        QString section;
        for (const QByteArray& raw : bytes("PolyxX.INI").split('\n')) {
            const QString line = QString::fromLatin1(raw).trimmed();
            if (line.startsWith('['))
                section = line;
            else if (line.contains('='))
                keys << section + line.section('=', 0, 0);
        }
        keys.sort();
        return keys;
    }

    // A dictionary the compression refuses (its keys become equal once
    // stripped) and a state file that cannot be written.
    void breakTheSave(TForm1& form)
    {
        form.ValueListEditor_EXT->lines().AddLine("<NOM>=a");
        form.ValueListEditor_EXT->lines().AddLine("<NOM> =b");
        QVERIFY(QDir().mkpath(path("~INTERNE.SKRIVO")));
    }
    bool expectedFailures(const QString& text) const
    {
        const QStringList parts = text.split("\r\n\r\n");
        return parts.size() == 2 && parts[0] == "Dictionnaire Externe :\r\nUne clé nommée \"<NOM>\" existe déjà"
               && parts[1].startsWith("Impossible de créer le fichier \"" + QDir::toNativeSeparators(path("~INTERNE.SKRIVO")));
    }

private slots:
    void init()
    {
        m_window = std::make_unique<WindowFixture>();
    }
    void cleanup()
    {
        m_window.reset();
    }

    void firstStartAndCloseWriteTheDefaultFiles()
    {
        {
            TForm1 form;
            form.show();
            QCOMPARE(m_window->folder.filesOnDisk(), QStringList());
            QVERIFY(form.close());
        }
        QVERIFY(m_window->fakes.dialogs.errors.empty());
        QCOMPARE(m_window->folder.filesOnDisk(), (QStringList{"Externe.DICO", "Externe_Interne.PLX", "Interne.DICO", "PolyxX.INI",
                                             "~EXTERNE.SKRIVO", "~INTERNE.SKRIVO", "~POLYX.DICU", "~POLYX.SKRU",
                                             "~SANVOR.DICO"}));
        QCOMPARE(iniKeys(), (QStringList{"[AFFICHAGE]TEXTE", "[CASES_A_COCHER]chk_StayOnTop", "[DICO]EXTERNE",
                                         "[DICO]INTERNE", "[DICO]SANVOR", "[OPTIONS]AUTOSAVE", "[OPTIONS]AUTOTRAD", "[OPTIONS]SURLIGNER",
                                         "[PolyxX]Form1"}));
        QCOMPARE(ReadString("DICO", "EXTERNE", QString()), path("Externe.DICO"));
        QCOMPARE(ReadString("DICO", "INTERNE", QString()), path("Interne.DICO"));
        QCOMPARE(ReadString("DICO", "SANVOR", QString()), path("~SANVOR.DICO"));
        QCOMPARE(bytes("~EXTERNE.SKRIVO"), QByteArray());
    }

    void sessionComesBackAfterARestart()
    {
        QRect placement;
        QStringList questions;
        {
            TForm1 form;
            form.show();
            form.AUTO_TRAD->setChecked(true);
            form.AUTO_SAVE->setChecked(false);
            form.setGeometry(40, 50, 900, 700);
            placement = form.geometry();
            form.Splitter1->setSizes({400, 220});
            form.ValueListEditor_EXT->SetPageLabel("DUPONT");
            form.ValueListEditor_INT->SetPageLabel("MOI");
            form.ValueListEditor_EXT->lines().SetValueOf("<NOM>", "[nom]");
            form.ValueListEditor_INT->lines().SetValueOf("<NOM>", "{NOM}");
            form.ValueListEditor_SANVOR->lines().SetValueOf("<VILLE>", "£[SG : ville]#");
            form.JvCheckListBox_QUESTION->Add("<NOM>");
            questions = form.JvCheckListBox_QUESTION->Texts();
            form.SKRIVO_EXT->SetText("Cher [nom]\r\nsuite");
            form.SKRIVO_INT->SetText("Cher {NOM}");
            form.SKRIVO_POLYX->SetText("Cher <NOM>");
            form.run("DICO_FUSION_CREATE");
            QVERIFY(form.close());
        }
        QVERIFY(m_window->fakes.dialogs.errors.empty());
        QVERIFY(QFile::exists(path("DUPONT_MOI.PLX")));
        QCOMPARE(bytes("~INTERNE.SKRIVO"), QByteArray("Cher {NOM}"));
        QCOMPARE(bytes("~POLYX.SKRU"), QByteArray("Cher <NOM>"));

        TForm1 form;
        form.show();
        QVERIFY(m_window->fakes.dialogs.errors.empty());
        QVERIFY(form.AUTO_TRAD->isChecked());
        QVERIFY(!form.AUTO_SAVE->isChecked());
        QCOMPARE(form.geometry(), placement);
        QCOMPARE(form.Splitter1->sizes().value(1), 220);
        QCOMPARE(form.ValueListEditor_EXT->PageLabel(), QString("DUPONT"));
        QCOMPARE(form.ValueListEditor_INT->PageLabel(), QString("MOI"));
        QCOMPARE(form.ValueListEditor_EXT->lines().ValueOf("<NOM>"), QString("[nom]"));
        QCOMPARE(form.ValueListEditor_INT->lines().ValueOf("<NOM>"), QString("{NOM}"));
        QCOMPARE(form.ValueListEditor_SANVOR->lines().ValueOf("<VILLE>"), QString("£[SG : ville]#"));
        QVERIFY(form.ValueListEditor_FUSION->lines().Lines().contains("[nom]={NOM}"));
        QVERIFY(questions.contains("<NOM>"));
        QCOMPARE(form.JvCheckListBox_QUESTION->Texts(), questions);
        QCOMPARE(form.SKRIVO_EXT->Text(), QString("Cher [nom]\r\nsuite"));
        QCOMPARE(form.SKRIVO_INT->Text(), QString("Cher {NOM}"));
        QCOMPARE(form.SKRIVO_POLYX->Text(), QString("Cher <NOM>"));
    }

    // What the three panes held at close is there at the next start, and a
    // close that follows, without a touch, leaves their files as they were
    // (they once came back empty and the next close emptied the files).
    void threeScriptsComeBackAndStay()
    {
        const QByteArray external = "/* |DUPONT^ lettre\r\nCher [nom]";
        const QByteArray internal = "/* |MARTIN - courrier\r\nCher {NOM}, corrig\xE9 \xE0 la main";
        const QByteArray universal = "Cher <NOM>";
        {
            TForm1 form;
            form.show();
            form.SKRIVO_EXT->SetText(QString::fromLatin1(external));
            form.SKRIVO_INT->SetText(QString::fromLatin1(internal));
            form.SKRIVO_POLYX->SetText(QString::fromLatin1(universal));
            QVERIFY(form.close());
        }
        for (int start = 0; start < 2; ++start) {
            TForm1 form;
            form.show();
            QCOMPARE(form.SKRIVO_EXT->Text(), QString::fromLatin1(external));
            QCOMPARE(form.SKRIVO_INT->Text(), QString::fromLatin1(internal));
            QCOMPARE(form.SKRIVO_POLYX->Text(), QString::fromLatin1(universal));
            // Each pane is labelled from its first line, as its reload does.
            QCOMPARE(form.PageControl_SCRIPTS->tabText(0), QString("DUPONT"));
            QCOMPARE(form.PageControl_SCRIPTS->tabText(1), QString("MARTIN"));
            QVERIFY(form.close());
            QVERIFY(m_window->fakes.dialogs.errors.empty());
            QCOMPARE(bytes("~EXTERNE.SKRIVO"), external);
            QCOMPARE(bytes("~INTERNE.SKRIVO"), internal);
            QCOMPARE(bytes("~POLYX.SKRU"), universal);
        }
    }

    void savedAsScriptIsTheOneReloaded()
    {
        {
            TForm1 form;
            form.show();
            form.SKRIVO_EXT->SetText("lettre du correspondant");
            m_window->fakes.dialogs.saveAnswers.push_back(path("LETTRE.TXT"));
            form.run("SKR_EXT_SAVEAS");
            form.SKRIVO_EXT->SetText("autre texte");
            QVERIFY(form.close());
        }
        QCOMPARE(bytes("~EXTERNE.SKRIVO"), QByteArray("autre texte"));
        TForm1 form;
        form.show();
        QCOMPARE(form.SKRIVO_EXT->Text(), QString("lettre du correspondant"));
    }

    void menuRestoreBringsBackWhatIsOnDisk()
    {
        TForm1 form;
        form.show();
        form.ValueListEditor_EXT->lines().SetValueOf("<NOM>", "[nom]");
        form.run("DICO_EXT_SAVE");
        form.ValueListEditor_EXT->lines().SetValueOf("<NOM>", "modifié");
        form.action("INI_GET")->trigger();
        QCOMPARE(form.ValueListEditor_EXT->lines().ValueOf("<NOM>"), QString("[nom]"));
    }

    void damagedStepIsReportedAndTheOthersStillRestore()
    {
        // The external dictionary holds the same key twice: its load fails.
        writeFile("Externe.DICO", "<NOM>=a\r\n<nom>=b\r\n");
        writeFile("Interne.DICO", "<NOM>={NOM}\r\n");
        writeFile("~EXTERNE.SKRIVO", "Cher [nom]");
        writeFile("PolyxX.INI", QString("[PolyxX]\r\nForm1=gauche:haut:900:700\r\n[OPTIONS]\r\nAUTOTRAD=1\r\n"
                                        "[DICO]\r\nEXTERNE=%1\r\nINTERNE=%2\r\n")
                                    .arg(path("Externe.DICO"), path("Interne.DICO"))
                                    .toUtf8());
        TForm1 form;
        form.show();
        QCOMPARE(m_window->fakes.dialogs.errors.size(), size_t(2));
        QCOMPARE(m_window->fakes.dialogs.errors[1], "Fichier \"" + path("Externe.DICO") + "\" :\r\nUne clé nommée \"<nom>\" existe déjà");
        // The steps before and after the damaged ones still ran.
        QVERIFY(form.AUTO_TRAD->isChecked());
        QCOMPARE(form.ValueListEditor_INT->lines().ValueOf("<NOM>"), QString("{NOM}"));
        QCOMPARE(form.SKRIVO_EXT->Text(), QString("Cher [nom]"));
        QVERIFY(form.isVisible());
    }

    void failedCloseAsksBeforeQuitting_data()
    {
        QTest::addColumn<bool>("quit");
        QTest::newRow("quit anyway") << true;
        QTest::newRow("stay") << false;
    }
    void failedCloseAsksBeforeQuitting()
    {
        QFETCH(bool, quit);
        TForm1 form;
        form.show();
        breakTheSave(form);
        m_window->fakes.dialogs.confirmAnswers = {quit};
        QCOMPARE(form.close(), quit);
        QCOMPARE(form.isVisible(), !quit);
        QCOMPARE(m_window->fakes.dialogs.errors.size(), size_t(1));
        QVERIFY2(expectedFailures(m_window->fakes.dialogs.errors[0]), qPrintable(m_window->fakes.dialogs.errors[0]));
        QCOMPARE(m_window->fakes.dialogs.confirms,
                 std::vector<QString>{"Toutes les données n'ont pas pu être enregistrées.\r\n\r\nQuitter quand même ?"});
        // The steps after the failures still ran.
        QVERIFY(QFile::exists(path("~POLYX.SKRU")));
        QVERIFY(iniKeys().contains("[AFFICHAGE]TEXTE"));
    }

    void menuSaveReportsTheFailuresInOneBox()
    {
        TForm1 form;
        form.show();
        breakTheSave(form);
        form.action("INI_SAVE")->trigger();
        QCOMPARE(m_window->fakes.dialogs.errors.size(), size_t(1));
        QVERIFY2(expectedFailures(m_window->fakes.dialogs.errors[0]), qPrintable(m_window->fakes.dialogs.errors[0]));
        QVERIFY(m_window->fakes.dialogs.confirms.empty());
        QVERIFY(form.isVisible());
    }

    // A pane closed in rich mode writes RTF; it comes back rich, not as
    // markup, and its switch says so.
    void richScriptComesBackRich_data()
    {
        QTest::addColumn<QString>("pane");
        QTest::addColumn<QString>("tick");
        QTest::addColumn<QString>("reload"); // empty: the restore at start
        QTest::newRow("external, at start") << "SKRIVO_EXT" << "SKR_EXT_PLAIN" << "";
        QTest::newRow("external, Recharger") << "SKRIVO_EXT" << "SKR_EXT_PLAIN" << "SKR_EXT_LOAD";
        QTest::newRow("internal, at start") << "SKRIVO_INT" << "check_TexteBrut1" << "";
        QTest::newRow("internal, Recharger") << "SKRIVO_INT" << "check_TexteBrut1" << "SKR_INT_LOAD";
        QTest::newRow("universal, at start") << "SKRIVO_POLYX" << "" << "";
        QTest::newRow("universal, Recharger") << "SKRIVO_POLYX" << "" << "SKR_UNI_LOAD";
    }
    void richScriptComesBackRich()
    {
        QFETCH(QString, pane);
        QFETCH(QString, tick);
        QFETCH(QString, reload);
        {
            TForm1 form;
            form.show();
            auto* script = form.findChild<ScriptPane*>(pane);
            script->SetPlainText(false);
            script->setHtml("<p>Cher <b>[nom]</b></p>");
            QVERIFY(form.close());
        }
        QVERIFY(bytes(pane == "SKRIVO_POLYX" ? "~POLYX.SKRU" : pane == "SKRIVO_INT" ? "~INTERNE.SKRIVO" : "~EXTERNE.SKRIVO")
                    .startsWith("{\\rtf"));
        TForm1 form;
        form.show();
        auto* script = form.findChild<ScriptPane*>(pane);
        if (!reload.isEmpty()) {
            script->SetPlainText(true);
            form.action(reload)->trigger();
        }
        QVERIFY(m_window->fakes.dialogs.errors.empty());
        QVERIFY(!script->PlainText());
        QCOMPARE(script->Text(), QString("Cher [nom]"));
        QVERIFY(script->toHtml().contains("font-weight:700"));
        if (!tick.isEmpty())
            QVERIFY(!form.findChild<QAction*>(tick)->isChecked());
    }
};

QTEST_MAIN(SessionTest)
#include "tst_session.moc"
