// The session carried from one run to the next through the configuration
// file and the work files.
#include "app/Unit1.h"
#include "config/ConfigStore.h"
#include "dictionaries/DictionaryPane.h"
#include "platform/ProgramPath.h"
#include "platform/testing/FakeServices.h"
#include "questions/QuestionList.h"
#include "scripts/ScriptPane.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

class SessionTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<platform::FakeServices> m_fakes;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    QStringList filesOnDisk() const
    {
        QStringList names = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        names.sort();
        return names;
    }
    QByteArray bytes(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
    }
    void writeFile(const QString& name, const QByteArray& content) const
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
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

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        platform::setProgramPath(m_dir->filePath("PolyxX"));
        m_fakes = std::make_unique<platform::FakeServices>();
    }
    void cleanup()
    {
        m_fakes.reset();
        m_dir.reset();
    }

    void firstStartAndCloseWriteTheDefaultFiles()
    {
        {
            TForm1 form;
            form.show();
            QCOMPARE(filesOnDisk(), QStringList());
            QVERIFY(form.close());
        }
        QVERIFY(m_fakes->dialogs.errors.empty());
        QCOMPARE(filesOnDisk(), (QStringList{"Externe.DICO", "Externe_Interne.PLX", "Interne.DICO", "PolyxX.INI",
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
        QVERIFY(m_fakes->dialogs.errors.empty());
        QVERIFY(QFile::exists(path("DUPONT_MOI.PLX")));
        QCOMPARE(bytes("~INTERNE.SKRIVO"), QByteArray("Cher {NOM}"));
        QCOMPARE(bytes("~POLYX.SKRU"), QByteArray("Cher <NOM>"));

        TForm1 form;
        form.show();
        QVERIFY(m_fakes->dialogs.errors.empty());
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
        // Written at close, but only their own reload brings them back.
        QCOMPARE(form.SKRIVO_INT->Text(), QString());
        QCOMPARE(form.SKRIVO_POLYX->Text(), QString());
    }

    void savedAsScriptIsTheOneReloaded()
    {
        {
            TForm1 form;
            form.show();
            form.SKRIVO_EXT->SetText("lettre du correspondant");
            m_fakes->dialogs.saveAnswers.push_back(path("LETTRE.TXT"));
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
        QCOMPARE(m_fakes->dialogs.errors.size(), size_t(2));
        QCOMPARE(m_fakes->dialogs.errors[1], QString("Une clé nommée \"<nom>\" existe déjà"));
        // The steps before and after the damaged ones still ran.
        QVERIFY(form.AUTO_TRAD->isChecked());
        QCOMPARE(form.ValueListEditor_INT->lines().ValueOf("<NOM>"), QString("{NOM}"));
        QCOMPARE(form.SKRIVO_EXT->Text(), QString("Cher [nom]"));
        QVERIFY(form.isVisible());
    }
};

QTEST_MAIN(SessionTest)
#include "tst_session.moc"
