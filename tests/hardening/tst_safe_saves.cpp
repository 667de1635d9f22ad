// Nothing written wrong: a failing disk, a file read only in part, a Linux
// editor's file, a code with a colon or a name at the file system's limit
// never cost the user a file, and the user is told why.
#include "tests/support/FailingDisk.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WindowFixture.h"

#include "app/Unit1.h"
#include "config/ConfigStore.h"
#include "dictionaries/DictionaryPane.h"
#include "dictionaries/TextLinesFile.h"
#include "platform/CommandGuard.h"
#include "questions/QuestionList.h"
#include "scripts/ScriptPane.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QtTest>

#include <memory>

namespace {

const QString kCloseQuestion = "Toutes les données n'ont pas pu être enregistrées.\r\n\r\nQuitter quand même ?";

// A user's dictionary of `count` lines holding Sanvor-style codes.
QByteArray dictionary(int count)
{
    QByteArray bytes = "<_AUTEUR>=DUPONT\r\n<_CODE>=\r\n<_TITRE>=\r\n";
    for (int i = 1; i <= count; ++i)
        bytes += "<CLE" + QByteArray::number(1000 + i) + ">=\xA3[SG : valeur " + QByteArray::number(i) + "]#\r\n";
    return bytes;
}

} // namespace

class SafeSavesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;

    QString path(const QString& name) const { return m_window->folder.filePath(name); }
    platform::FakeDialogs& dialogs() const { return m_window->fakes.dialogs; }
    // The dictionary the external pane restores at start.
    void rememberExternal(const QString& name) const
    {
        writeBytes(path("PolyxX.INI"), QString("[DICO]\r\nEXTERNE=%1\r\n").arg(path(name)).toUtf8());
    }
    QStringList warnings() const
    {
        QStringList texts;
        for (const auto& shown : dialogs().messages)
            if (shown.kind == platform::BoxKind::Warning)
                texts << shown.text;
        return texts;
    }

private slots:
    void init() { m_window = std::make_unique<WindowFixture>(); }
    void cleanup() { m_window.reset(); }

    // The window closed on a disk that fails: the dictionary and the
    // configuration stay as they were, the user reads why and chooses.
    void closeOnFailingDisk_data()
    {
        QTest::addColumn<bool>("smallDisk");
        QTest::addColumn<QString>("reason");
        QTest::newRow("file that fails after N bytes") << false << "Le fichier dépasse la taille permise";
        QTest::newRow("full file system") << true << "Plus de place sur le disque";
    }
    void closeOnFailingDisk()
    {
        QFETCH(bool, smallDisk);
        QFETCH(QString, reason);
        std::unique_ptr<SmallDisk> disk;
        if (smallDisk) {
            disk = std::make_unique<SmallDisk>(m_window->folder.path(), 256 * 1024);
            if (!disk->mounted())
                QSKIP("a small file system can only be mounted as root");
        }
        const QByteArray old = dictionary(300);
        writeBytes(path("DUPONT.DICO"), old);
        rememberExternal("DUPONT.DICO");
        const QByteArray oldConfiguration = readBytes(path("PolyxX.INI"));
        TForm1& form = m_window->open();
        form.show();
        QCOMPARE(form.ValueListEditor_EXT->lines().Count(), 303);
        form.ValueListEditor_EXT->lines().SetValueOf("<NOM>", "£[SG : nom]#");

        dialogs().confirmAnswers = {true};
        {
            std::unique_ptr<FileSizeLimit> limit;
            if (disk)
                disk->fill("plein");
            else
                limit = std::make_unique<FileSizeLimit>(4096);
            QVERIFY(form.close());
        }
        QCOMPARE(dialogs().errors.size(), size_t(1));
        QVERIFY2(dialogs().errors[0].contains("Impossible de créer le fichier \"" + path("DUPONT.DICO") + "\". " + reason),
                 qPrintable(dialogs().errors[0]));
        QCOMPARE(dialogs().confirms, std::vector<QString>{kCloseQuestion});
        QCOMPARE(readBytes(path("DUPONT.DICO")), old);
        if (disk) {
            QVERIFY2(dialogs().errors[0].contains("Impossible d'écrire dans " + path("PolyxX.INI") + ". " + reason),
                     qPrintable(dialogs().errors[0]));
            QCOMPARE(readBytes(path("PolyxX.INI")), oldConfiguration);
        }
        QCOMPARE(ReadString("DICO", "EXTERNE", "absent", path("PolyxX.INI")), path("DUPONT.DICO"));
        QVERIFY(!m_window->folder.filesOnDisk().join(' ').contains(".polyx-"));
    }

    void automaticSaveOnFailingDisk()
    {
        const QByteArray old = dictionary(300);
        writeBytes(path("DUPONT.DICO"), old);
        rememberExternal("DUPONT.DICO");
        TForm1& form = m_window->open();
        form.show();
        {
            const FileSizeLimit failsAfter(4096);
            platform::runGuarded([&] { form.ValueListEditor_EXTExit(); });
        }
        QCOMPARE(dialogs().errors.size(), size_t(1));
        QVERIFY2(dialogs().errors[0].startsWith("Impossible de créer le fichier \"" + path("DUPONT.DICO")
                                                + "\". Le fichier dépasse la taille permise"),
                 qPrintable(dialogs().errors[0]));
        QCOMPARE(readBytes(path("DUPONT.DICO")), old);
    }

    // A copy that failed is neither counted nor left as a short file.
    void backupOnFailingDisk()
    {
        TForm1& form = m_window->open();
        form.show();
        writeBytes(path("GROS.DICO"), dictionary(300));
        writeBytes(path("petit.dico"), "<NOM>=x\r\n");
        QVERIFY(QDir().mkpath(path("SAUVE")));
        writeBytes(path("SAUVE/GROS.DICO"), "ancienne copie");
        const int others = int(QDir(m_window->folder.path()).entryList(QDir::Files | QDir::Hidden).size()) - 1;
        dialogs().confirmAnswers = {true};
        {
            const FileSizeLimit failsAfter(4096);
            form.run("BACKUP");
        }
        QCOMPARE(dialogs().messages.size(), size_t(1));
        const QString report = QString::number(others) + " Fichiers Sauvegardés \r\n\r\nDans : " + path("SAUVE/")
                             + "\r\n\r\n1 Fichier(s) NON sauvegardé(s) :\r\nGROS.DICO : Impossible de créer le fichier \""
                             + path("SAUVE/GROS.DICO") + "\". ";
        QVERIFY2(dialogs().messages[0].text.startsWith(report), qPrintable(dialogs().messages[0].text));
        QCOMPARE(readBytes(path("SAUVE/GROS.DICO")), QByteArray("ancienne copie"));
        QCOMPARE(readBytes(path("SAUVE/petit.dico")), QByteArray("<NOM>=x\r\n"));
    }

    // A dictionary whose reading stopped short: shown with a warning, never
    // replaced unasked.
    void partlyReadDictionaryIsKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("warning");
        QByteArray nul = dictionary(997);
        nul.insert(nul.indexOf("<CLE1007>"), '\0');
        QTest::newRow("NUL before line 10")
            << nul << 9
            << "contient des octets nuls : seules les 9 premières lignes ont été lues. Il ne sera pas remplacé sans votre accord.";
        QTest::newRow("program renamed .DICO")
            << QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\x03\0>\0\x01\0\0\0", 20) << 1
            << "n'est pas un fichier texte : seules les 1 premières lignes ont été lues. Il ne sera pas remplacé sans votre accord.";
    }
    void partlyReadDictionaryIsKept()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, lines);
        QFETCH(QString, warning);
        writeBytes(path("DUPONT.DICO"), content);
        rememberExternal("DUPONT.DICO");
        TForm1& form = m_window->open();
        form.show();
        QCOMPARE(form.ValueListEditor_EXT->lines().Count(), lines);
        QCOMPARE(warnings(), QStringList{"Le fichier \"" + path("DUPONT.DICO") + "\" " + warning});

        // The automatic saves leave it, and say so once.
        platform::runGuarded([&] { form.ValueListEditor_EXTExit(); });
        platform::runGuarded([&] { form.ValueListEditor_EXTExit(); });
        QCOMPARE(readBytes(path("DUPONT.DICO")), content);
        const QString skipped = "Le fichier \"" + path("DUPONT.DICO")
                                + "\" n'a été lu qu'en partie : il n'a pas été remplacé. "
                                  "Enregistrez-le par une commande pour le remplacer quand même.";
        QCOMPARE(warnings().size(), 2);
        QCOMPARE(warnings()[1], skipped);
        QVERIFY(dialogs().errors.empty());

        // The command asks; a refusal keeps the file.
        const QString question = "Le fichier \"" + path("DUPONT.DICO")
                                 + "\" n'a été lu qu'en partie : l'enregistrer remplacera tout son contenu par ce qui est "
                                   "affiché.\r\n\r\nRemplacer quand même ?";
        dialogs().confirmAnswers = {false};
        form.run("DICO_EXT_SAVE");
        QCOMPARE(dialogs().warningConfirms, std::vector<QString>{question});
        QCOMPARE(readBytes(path("DUPONT.DICO")), content);

        // Closing leaves it too, and asks before quitting.
        dialogs().confirmAnswers = {false};
        QVERIFY(!form.close());
        QCOMPARE(dialogs().errors.size(), size_t(1));
        QVERIFY2(dialogs().errors[0].contains(skipped), qPrintable(dialogs().errors[0]));
        QCOMPARE(dialogs().confirms.back(), kCloseQuestion);
        QCOMPARE(readBytes(path("DUPONT.DICO")), content);

        // Agreed: replaced by what is shown, and the next save asks no more.
        dialogs().confirmAnswers = {true};
        form.run("DICO_EXT_SAVE");
        const polyx::TextLines written = polyx::TextLinesFile::Decode(readBytes(path("DUPONT.DICO")));
        QCOMPARE(written.lines, form.ValueListEditor_EXT->lines().Lines());
        const size_t asked = dialogs().warningConfirms.size();
        form.run("DICO_EXT_SAVE");
        QCOMPARE(dialogs().warningConfirms.size(), asked);
    }

    void partlyReadQuestionListIsKept()
    {
        const QByteArray content("<NOM>\r\n<AGE>\r\n\0<PRENOM>\r\n", 25);
        writeBytes(path("~POLYX.DICU"), content);
        TForm1& form = m_window->open();
        form.show();
        QCOMPARE(form.JvCheckListBox_QUESTION->Count(), 2);
        QCOMPARE(warnings().size(), 1);
        QVERIFY(warnings()[0].startsWith("Le fichier \"" + path("~POLYX.DICU") + "\" contient des octets nuls"));
        dialogs().confirmAnswers = {true};
        QVERIFY(form.close());
        QCOMPARE(readBytes(path("~POLYX.DICU")), content);
    }

    void partlyReadInformationFileWarns()
    {
        writeBytes(path("@NOM.TXT"), QByteArray("*** <NOM> ***\r\n\0reste", 21));
        TForm1& form = m_window->open();
        form.show();
        form.JvCheckListBox_QUESTION->Add("<NOM>");
        form.JvCheckListBox_QUESTION->SetItemIndex(form.JvCheckListBox_QUESTION->Count() - 1);
        form.JvCheckListBox_QUESTIONClick();
        QCOMPARE(form.Memo_QUESTIONS->toPlainText(), QString("*** <NOM> ***"));
        QCOMPARE(warnings(), QStringList{"Le fichier \"" + path("@NOM.TXT")
                                         + "\" contient des octets nuls : seules les 1 premières lignes ont été lues. "
                                           "Il ne sera pas remplacé sans votre accord."});
    }

    // UTF-16 without its mark: read whole, written back the same way.
    void utf16WithoutMarkIsKept()
    {
        const QString text = "<_AUTEUR>=DUPONT\r\n<_CODE>=\r\n<_TITRE>=\r\n<NOM>=£[SG : nom]#\r\n<PRENOM>=é\r\n";
        QByteArray content(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        writeBytes(path("DUPONT.DICO"), content);
        rememberExternal("DUPONT.DICO");
        TForm1& form = m_window->open();
        form.show();
        QCOMPARE(form.ValueListEditor_EXT->lines().ValueOf("<PRENOM>"), QString("é"));
        QVERIFY(warnings().isEmpty());
        QVERIFY(form.close());
        QCOMPARE(readBytes(path("DUPONT.DICO")), content);
    }

    // A Linux editor's dictionary in a mixed-case name, with the user's own
    // Sanvor-style codes: read as UTF-8, its codes whole after every
    // compression, written back without mark under its own name.
    void linuxEditorDictionaryWithSanvorCodes()
    {
        const QByteArray content = "<_AUTEUR>=Dupont\n<NOM>=£[SG : nom]#\n<PRENOM>=£[SG : prénom]#\n"
                                   "<DEFAUT>={NOM : défaut}\n<AGE>=AGE : âge du patient\n";
        writeBytes(path("Dupont.dico"), content);
        rememberExternal("Dupont.dico");
        TForm1& form = m_window->open();
        form.show();
        const polyx::DictionaryLines& lines = form.ValueListEditor_EXT->lines();
        QCOMPARE(lines.ValueOf("<PRENOM>"), QString("£[SG : prénom]#"));
        form.run("DICO_EXT_SAVE");
        QVERIFY(form.close());
        QVERIFY(!QFileInfo::exists(path("DUPONT.DICO")));
        QCOMPARE(readBytes(path("Dupont.dico")),
                 QByteArray("<_AUTEUR>=Dupont\r\n<_CODE>=\r\n<_TITRE>=\r\n<AGE>=AGE\r\n<DEFAUT>={NOM : défaut}\r\n"
                            "<NOM>=£[SG : nom]#\r\n<PRENOM>=£[SG : prénom]#\r\n"));
    }

    // A Linux editor's plain script keeps its UTF-8 without mark.
    void linuxEditorScriptIsKept()
    {
        const QByteArray content = "Chère Madame £[SG : nom]#,\nà bientôt";
        writeBytes(path("lettre.SKRIVO"), content);
        TForm1& form = m_window->open();
        form.show();
        form.SKRIVO_EXT->SetPlainText(true);
        form.SKRIVO_EXT->LoadFromFile(path("lettre.SKRIVO"));
        QCOMPARE(form.SKRIVO_EXT->Text(), QString("Chère Madame £[SG : nom]#,\r\nà bientôt"));
        form.SKRIVO_EXT->SaveToFile(path("copie.SKRIVO"));
        QCOMPARE(readBytes(path("copie.SKRIVO")), QByteArray("Chère Madame £[SG : nom]#,\r\nà bientôt"));
    }

    // A name at the file system's limit: its temporary file once took a
    // longer one, and every close failed. The fusion file, named after both
    // labels, cannot be: the user is told what to do.
    void dictionaryNamedAtTheLimitSaves()
    {
        const QString label(250, u'D');
        writeBytes(path(label + ".DICO"), dictionary(3));
        rememberExternal(label + ".DICO");
        TForm1& form = m_window->open();
        form.show();
        form.ValueListEditor_EXT->lines().SetValueOf("<NOM>", "£[SG : nom]#");
        dialogs().confirmAnswers = {true};
        QVERIFY(form.close());
        QCOMPARE(polyx::TextLinesFile::Decode(readBytes(path(label + ".DICO"))).lines.filter("<NOM>="),
                 QStringList{"<NOM>=£[SG : nom]#"});
        QCOMPARE(dialogs().errors,
                 std::vector<QString>{"Le nom du fichier de fusion \"" + label + "_"
                                      + form.ValueListEditor_INT->PageLabel() + ".PLX\" dépasse les 255 octets "
                                      "qu'un nom de fichier peut avoir ici : raccourcissez l'étiquette du dictionnaire "
                                      "externe ou interne (clic droit sur son onglet)."});
    }
};

QTEST_MAIN(SafeSavesTest)
#include "tst_safe_saves.moc"
