// "Traduire un lot de scripts..." driven through the window with the dialog
// and progress doubles, over real files in a folder of the test's own.
#include "tests/support/DictionaryFilling.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WindowFixture.h"

#include "app/FindingsWindow.h"
#include "dictionaries/TextLinesFile.h"
#include "files/FileListBox.h"
#include "scripts/ScriptPane.h"
#include "scripts/ScriptText.h"
#include "scripts/rtf/RtfReader.h"
#include "scripts/translation/BatchTranslation.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QtTest>

namespace {
const QStringList kExternal{"<_AUTEUR>=Dr Ext", "<_TITRE>=Lettre", "<_CODE>=B12", "<NOM>=[NOM]",
                            "<AGE>=[AGE]", "<SEXE>=[SEXE]"};
const QStringList kInternal{"<_AUTEUR>=Moi", "<_TITRE>=Courrier", "<_CODE>=C1", "<NOM>=£[SG : nom]#",
                            "<AGE>=£[SG : age]#", "<SEXE>=€[SG : sexe]#"};

// Windows-1252, CR LF; [TAILLE] is in no dictionary.
const QByteArray kAnsi = "Nom : [NOM]\r\n\xC2ge : [AGE], taille [TAILLE]\r\n";
// UTF-8 with its mark, LF.
const QByteArray kUtf8 = "\xEF\xBB\xBF[NOM] \xE2\x9C\x93\n[SEXE]\n";
// Nothing to replace, mixed line ends: copied as it is.
const QByteArray kNoCode = "Rien \xE0 traduire\nligne\r\nfin";
const QByteArray kRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Bonjour {\\b [NOM]}\\par [AGE]\\par}";

QString rtfText(const QByteArray& bytes)
{
    QTextDocument document;
    polyx::RtfReader reader;
    if (!polyx::RtfReader::isRtf(bytes) || !reader.read(bytes, &document))
        return "<not RTF>";
    return polyx::DocumentText(document);
}

QStringList rowsShown(const FindingsWindow* window)
{
    QStringList rows;
    const QTableWidget* grid = window->grid();
    for (int row = 0; row < grid->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < grid->columnCount(); ++column)
            cells << grid->item(row, column)->text();
        rows << cells.join('|');
    }
    return rows;
}

platform::BatchChoice choice(const QString& output, bool universal = false)
{
    platform::BatchChoice c;
    c.outputFolder = output;
    c.universal = universal;
    return c;
}
} // namespace

class BatchWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;
    QString m_scripts; // the listed folder, without a trailing "/"

    platform::FakeServices& fakes() { return m_window->fakes; }
    TForm1& form()
    {
        TForm1& form = m_window->open();
        setLines(form.ValueListEditor_EXT, kExternal);
        setLines(form.ValueListEditor_INT, kInternal);
        static_cast<FileListBox*>(form.JvFileListBox1)->setFolder(m_scripts);
        return form;
    }
    QString script(const QString& name) const { return m_scripts + "/" + name; }
    QString translated(const QString& name) const { return m_scripts + "/TRADUITS/" + name; }
    FindingsWindow* reportWindow(TForm1& form) { return form.findChild<FindingsWindow*>("RapportTraduction"); }
    void noErrors() { QCOMPARE(fakes().dialogs.errors, std::vector<QString>{}); }

private slots:
    void init()
    {
        m_window = std::make_unique<WindowFixture>();
        m_scripts = m_window->path("lettres");
        QVERIFY(QDir().mkpath(m_scripts));
        writeBytes(script("A.skrivo"), kAnsi);
        writeBytes(script("B.rtf"), kRtf);
        writeBytes(script("C.txt"), kUtf8);
        writeBytes(script("D.SKRU"), kNoCode);
        writeBytes(script("E.skrivo"), kRtf); // RTF under a script's name
        writeBytes(script("F.DICO"), "<NOM>=[NOM]\r\n");
    }
    void cleanup() { m_window.reset(); }

    void commandAndMenus()
    {
        TForm1& f = form();
        QAction* batch = f.action("FUSION_BATCH");
        QVERIFY(batch);
        QCOMPARE(batch->text(), QString("Traduire un lot de scripts..."));
        QCOMPARE(batch->toolTip(), QString("Traduit tous les scripts choisis avec les dictionnaires actuels"));
        QCOMPARE(batch->property("category").toString(), QString("FUSION"));
        const QList<QAction*> items = f.findChild<QMenu*>("mnu_Traductions")->actions();
        QCOMPARE(items.indexOf(batch), 2);

        // The list's pop-up offers it only over selected scripts.
        auto* popup = f.findChild<QMenu*>("Popup_LISTE");
        QAction* item = f.findChild<QAction*>("Traduirelelot1");
        QVERIFY(popup->actions().contains(item));
        const auto shown = [&] {
            emit popup->aboutToShow();
            return item->isVisible();
        };
        QVERIFY(!shown());
        f.SelectFileKindTab(4); // "*"
        QListWidget* list = f.JvFileListBox1;
        const auto select = [&](const QString& name) {
            list->clearSelection();
            list->findItems(name, Qt::MatchExactly).first()->setSelected(true);
        };
        select("F.DICO");
        QVERIFY(!shown());
        select("C.txt");
        QVERIFY(shown());
        item->trigger();
        QCOMPARE(fakes().dialogs.batchRequests.size(), size_t(1));
        QVERIFY(fakes().dialogs.batchRequests[0].fromSelection);

        // Without a selection, the folder's scripts of the ticked kinds.
        list->clearSelection();
        platform::BatchChoice onlyRtf = choice(m_scripts); // refused: nothing runs
        onlyRtf.skrivo = onlyRtf.txt = false;
        fakes().dialogs.batchAnswers = {onlyRtf};
        f.action("FUSION_BATCH")->trigger();
        QVERIFY(!fakes().dialogs.batchRequests[1].fromSelection);
        QCOMPARE(fakes().dialogs.batchCounts, std::vector<int>{1});
    }

    void intoMyCodesBesideTheScripts()
    {
        TForm1& f = form();
        fakes().dialogs.batchAnswers = {choice(m_scripts + "/TRADUITS/")};
        f.action("FUSION_BATCH")->trigger();
        noErrors();
        const platform::BatchRequest& request = fakes().dialogs.batchRequests.at(0);
        QCOMPARE(request.initial.outputFolder, m_scripts + "/TRADUITS/");
        QVERIFY(!request.fromSelection);
        QCOMPARE(fakes().dialogs.batchCounts, std::vector<int>{5});
        QVERIFY(fakes().dialogs.confirms.empty()); // nothing to replace

        // Plain files keep their encoding and line ends; RTF is rewritten
        // as RTF; a file without codes is copied as it is.
        QCOMPARE(readBytes(translated("A.skrivo")),
                 QByteArray("Nom : \xA3[SG : nom]#\r\n\xC2ge : \xA3[SG : age]#, taille [TAILLE]\r\n"));
        QCOMPARE(readBytes(translated("C.txt")),
                 QByteArray("\xEF\xBB\xBF\xC2\xA3[SG : nom]# \xE2\x9C\x93\n\xE2\x82\xAC[SG : sexe]#\n"));
        QCOMPARE(readBytes(translated("D.SKRU")), kNoCode);
        QCOMPARE(rtfText(readBytes(translated("B.rtf"))), QString("Bonjour £[SG : nom]#\n£[SG : age]#"));
        QCOMPARE(rtfText(readBytes(translated("E.skrivo"))), QString("Bonjour £[SG : nom]#\n£[SG : age]#"));
        QVERIFY(!QFile::exists(translated("F.DICO")));
        // The sources are never written.
        QCOMPARE(readBytes(script("A.skrivo")), kAnsi);
        QCOMPARE(readBytes(script("B.rtf")), kRtf);

        // The progress named each file with its rank.
        const auto& steps = fakes().progress.steps;
        QCOMPARE(fakes().progress.title, QString("Traduction par lot"));
        QCOMPARE(steps.size(), size_t(5));
        QCOMPARE(steps[1].item, QString("B.rtf"));
        QCOMPARE(steps[1].done, 1);
        QCOMPARE(steps[1].total, 5);
        QCOMPARE(fakes().progress.finishes, fakes().progress.starts);

        // The summary in the report window, file first; F9 shows it again.
        const QString summary = "5 scripts traduits, 1 avec des codes non traduits, 0 échec";
        FindingsWindow* window = reportWindow(f);
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->summary(), summary);
        QCOMPARE(f.StatusPanelSpare->text(), summary);
        QCOMPARE(window->grid()->horizontalHeaderItem(0)->text(), QString("Fichier"));
        const QStringList rows{"A.skrivo|Traduit|2 codes remplacés||2|",
                               "A.skrivo|Non traduit|[TAILLE]||1|2",
                               "B.rtf|Traduit|2 codes remplacés||2|",
                               "C.txt|Traduit|2 codes remplacés||2|",
                               "D.SKRU|Traduit|0 code remplacé||0|",
                               "E.skrivo|Traduit|2 codes remplacés||2|"};
        QCOMPARE(rowsShown(window), rows);
        window->close();
        f.action("FUSION_REPORT")->trigger();
        QVERIFY(window->isVisible());
        QCOMPARE(window->summary(), summary);

        // RAPPORT.TXT: Windows-1252, CR LF, the summary then the rows.
        const QByteArray report = readBytes(translated("RAPPORT.TXT"));
        QVERIFY(!report.startsWith("\xEF\xBB\xBF"));
        QVERIFY(report.endsWith("\r\n"));
        QCOMPARE(polyx::TextLinesFile::Decode(report).lines,
                 QStringList{summary} + QStringList(rows).replaceInStrings("|", "\t"));

        // A double-click opens that translation in the target page, rich
        // for RTF, and shows a finding's place.
        TForm1::selectPageQuietly(f.PageControl_SCRIPTS, 0);
        emit window->grid()->cellDoubleClicked(1, 0);
        QCOMPARE(f.PageControl_SCRIPTS->currentIndex(), 1);
        QCOMPARE(f.SKRIVO_INT->Text(), QString("Nom : £[SG : nom]#\r\nÂge : £[SG : age]#, taille [TAILLE]\r\n"));
        QCOMPARE(f.SKRIVO_INT->textCursor().selectedText(), QString("[TAILLE]"));
        emit window->grid()->cellDoubleClicked(2, 0);
        QVERIFY(!f.SKRIVO_INT->PlainText());
        QVERIFY(!f.findChild<QAction*>("check_TexteBrut1")->isChecked());
        QCOMPARE(f.SKRIVO_INT->Text(), QString("Bonjour £[SG : nom]#\r\n£[SG : age]#"));

        // The next single translation takes the report window back.
        f.SKRIVO_EXT->SetText("[NOM]");
        f.action("FUSION_EXT_INT")->trigger();
        QCOMPARE(window->grid()->horizontalHeaderItem(0)->text(), QString("État"));
    }

    void intoTheUniversalLanguageElsewhere()
    {
        TForm1& f = form();
        const QString elsewhere = m_window->path("ailleurs/lot");
        fakes().dialogs.batchAnswers = {choice(elsewhere, true)};
        f.action("FUSION_BATCH")->trigger();
        noErrors();
        QCOMPARE(readBytes(elsewhere + "/A.skrivo"), QByteArray("Nom : <NOM>\r\n\xC2ge : <AGE>, taille [TAILLE]\r\n"));
        QCOMPARE(rtfText(readBytes(elsewhere + "/B.rtf")), QString("Bonjour <NOM>\n<AGE>"));
        QVERIFY(QFile::exists(elsewhere + "/RAPPORT.TXT"));
        QVERIFY(!QDir(m_scripts + "/TRADUITS").exists());
        emit reportWindow(f)->grid()->cellDoubleClicked(0, 0);
        QCOMPARE(f.PageControl_SCRIPTS->currentIndex(), 2);
        QCOMPARE(f.SKRIVO_POLYX->Text(), QString("Nom : <NOM>\r\nÂge : <AGE>, taille [TAILLE]\r\n"));
    }

    void theScriptsFolderIsRefused_data()
    {
        // Inside the test's folder, "." as typed.
        QTest::addColumn<QString>("typed");
        QTest::newRow("as listed") << "lettres";
        QTest::newRow("with a slash") << "lettres/";
        QTest::newRow("relative") << ".";
        QTest::newRow("through a link") << "lien";
    }
    void theScriptsFolderIsRefused()
    {
        QFETCH(QString, typed);
        const QString output = typed == "." ? typed : m_window->path(typed);
        QVERIFY(QFile::link(m_scripts, m_window->path("lien")));
        TForm1& f = form();
        // Refused, then the user closes the dialog: nothing is written.
        fakes().dialogs.batchAnswers = {choice(output)};
        f.action("FUSION_BATCH")->trigger();
        QCOMPARE(fakes().dialogs.messages.size(), size_t(1));
        QCOMPARE(fakes().dialogs.messages[0].kind, platform::BoxKind::Warning);
        QCOMPARE(fakes().dialogs.messages[0].text, QString("Le dossier de sortie doit être différent du dossier des scripts."));
        QVERIFY(fakes().progress.steps.empty());
        QCOMPARE(readBytes(script("A.skrivo")), kAnsi);
        QCOMPARE(QDir(m_scripts).entryList(QDir::Files).size(), 6);
        // Refused, then corrected in the same dialog.
        fakes().dialogs.batchAnswers = {choice(output), choice(m_scripts + "/TRADUITS/")};
        f.action("FUSION_BATCH")->trigger();
        QCOMPARE(fakes().dialogs.batchCounts.size(), size_t(3));
        QVERIFY(QFile::exists(translated("A.skrivo")));
    }

    void theReplaceQuestion()
    {
        // An existing "traduits/" and "a.skrivo" are used with their names.
        QVERIFY(QDir().mkpath(m_scripts + "/traduits"));
        writeBytes(m_scripts + "/traduits/a.skrivo", "ancien");
        writeBytes(m_scripts + "/traduits/C.txt", "ancien");
        TForm1& f = form();
        fakes().dialogs.batchAnswers = {choice(m_scripts + "/TRADUITS/")};
        fakes().dialogs.confirmAnswers = {false};
        f.action("FUSION_BATCH")->trigger();
        QCOMPARE(fakes().dialogs.batchRequests[0].initial.outputFolder, m_scripts + "/traduits/");
        QCOMPARE(fakes().dialogs.confirms,
                 std::vector<QString>{"2 fichier(s) existent déjà dans \"" + m_scripts
                                      + "/traduits/\".\r\n\r\nLes remplacer ?"});
        QCOMPARE(readBytes(m_scripts + "/traduits/a.skrivo"), QByteArray("ancien"));
        QCOMPARE(QDir(m_scripts + "/traduits").entryList(QDir::Files).size(), 2);
        QVERIFY(fakes().progress.steps.empty());
        QVERIFY(!QDir(m_scripts + "/TRADUITS").exists());

        fakes().dialogs.batchAnswers = {choice(m_scripts + "/TRADUITS/")};
        fakes().dialogs.confirmAnswers = {true};
        f.action("FUSION_BATCH")->trigger();
        noErrors();
        QVERIFY(readBytes(m_scripts + "/traduits/a.skrivo").startsWith("Nom : \xA3[SG : nom]#"));
        QVERIFY(!QFile::exists(m_scripts + "/traduits/A.skrivo"));
        QVERIFY(!QDir(m_scripts + "/TRADUITS").exists());
    }

    void failuresAreReportedAndTheBatchGoesOn()
    {
        // Too large to be read, between two good ones; two names differing
        // by case only; a script named as the report.
        QFile big(script("B2.skrivo"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(300) * 1024 * 1024));
        big.close();
        writeBytes(script("c.TXT"), "[NOM]");
        writeBytes(script("rapport.txt"), "[NOM]");
        TForm1& f = form();
        fakes().dialogs.batchAnswers = {choice(m_scripts + "/TRADUITS/")};
        f.action("FUSION_BATCH")->trigger();
        noErrors();
        const QStringList rows = rowsShown(reportWindow(f));
        QCOMPARE(rows.filter("B2.skrivo|Échec|Impossible d'ouvrir le fichier").size(), 1);
        QCOMPARE(rows.filter(QRegularExpression("^c\\.TXT\\|Échec\\|.*casse")).size(), 1);
        QCOMPARE(rows.filter("rapport.txt|Ignoré|").size(), 1);
        QCOMPARE(reportWindow(f)->summary(), QString("5 scripts traduits, 1 avec des codes non traduits, 2 échecs, 1 ignoré"));
        QVERIFY(QFile::exists(translated("B.rtf")));
        QVERIFY(QFile::exists(translated("C.txt")));
        QVERIFY(!QFile::exists(translated("B2.skrivo")));
        QCOMPARE(readBytes(translated("C.txt")).left(3), QByteArray("\xEF\xBB\xBF")); // the first of the two
        QCOMPARE(polyx::TextLinesFile::Read(translated("RAPPORT.TXT")).lines.first(), reportWindow(f)->summary());
        QCOMPARE(readBytes(script("rapport.txt")), QByteArray("[NOM]"));
    }

    void cancelAfterTheFirstFile()
    {
        TForm1& f = form();
        fakes().dialogs.batchAnswers = {choice(m_scripts + "/TRADUITS/")};
        fakes().progress.cancelAtStep = 1;
        f.action("FUSION_BATCH")->trigger();
        noErrors();
        QCOMPARE(fakes().progress.steps.size(), size_t(2));
        QVERIFY(QFile::exists(translated("A.skrivo")));
        QVERIFY(!QFile::exists(translated("B.rtf")));
        const QString summary = "1 script traduit, 1 avec des codes non traduits, 0 échec, annulé après 1 / 5";
        QCOMPARE(reportWindow(f)->summary(), summary);
        QCOMPARE(polyx::TextLinesFile::Read(translated("RAPPORT.TXT")).lines.first(), summary);
        QCOMPARE(fakes().progress.finishes, 1);
    }
};

QTEST_MAIN(BatchWindowTest)
#include "tst_batch_window.moc"
