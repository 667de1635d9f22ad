// The menu "?": the guide and F1, the worked example, the about box and the
// first start's hint, through the window.
#include "tests/support/WindowFixture.h"

#include "app/AboutBox.h"
#include "app/FindingsWindow.h"
#include "app/HelpWindow.h"
#include "app/Unit1.h"
#include "app/WorkFolders.h"
#include "config/ConfigStore.h"
#include "dictionaries/DictionaryPane.h"
#include "dictionaries/FileBytes.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QtTest>

namespace {

const QString kHint = QStringLiteral("Première utilisation ? Menu « ? » > Premiers pas : ouvrir l'exemple");
const QString kReplaceQuestion = QStringLiteral(
    "Les dictionnaires et le script ouverts seront remplacés par ceux de l'exemple (ils sont d'abord enregistrés). "
    "Continuer ?");

// The guide where an installed or built program has it, in the test's folder.
void installGuide(const QString& target)
{
    const QDir source(QStringLiteral(POLYX_GUIDE_DIR));
    QVERIFY(QDir().mkpath(target + "/images"));
    for (const QString& name : source.entryList(QDir::Files))
        QVERIFY(QFile::copy(source.filePath(name), target + '/' + name));
    const QDir images(source.filePath("images"));
    for (const QString& name : images.entryList(QDir::Files))
        QVERIFY(QFile::copy(images.filePath(name), target + "/images/" + name));
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;

    TForm1& open(bool show = false)
    {
        installGuide(m_window->path("aide"));
        TForm1& form = m_window->open();
        if (show) {
            form.show();
            QApplication::setActiveWindow(&form);
            if (!QTest::qWaitForWindowActive(&form))
                qWarning("the window did not become active");
        }
        return form;
    }
    platform::FakeDialogs& dialogs() { return m_window->fakes.dialogs; }
    HelpWindow* help(TForm1& form) { return form.findChild<HelpWindow*>("AideDePolyxX"); }
    QString exampleFile(const QString& name) { return WorkDir() + "Exemple/" + name; }
    void openExample(TForm1& form) { form.action("AIDE_EXEMPLE")->trigger(); }

private slots:
    void init() { m_window = std::make_unique<WindowFixture>(); }
    void cleanup() { m_window.reset(); }

    void helpMenuInOrder()
    {
        TForm1& form = open();
        auto* menu = form.findChild<QMenu*>("mnu_Aide");
        QVERIFY(menu);
        QCOMPARE(menu->title(), QString("?"));
        QStringList shown;
        for (const QAction* item : menu->actions())
            shown << (item->isSeparator() ? QString("---") : item->text());
        QCOMPARE(shown, (QStringList{"Aide de Polyx'X", "Premiers pas : ouvrir l'exemple", "---", "Révisions",
                                     "À propos de Polyx'X"}));
        QCOMPARE(menu->actions().first()->shortcut(), QKeySequence(Qt::Key_F1));
        for (const QAction* item : menu->actions())
            QVERIFY(item->isSeparator() || item->isEnabled());
    }

    // F1 opens the guide at the section of what has the focus.
    void f1OpensTheSectionOfTheFocus_data()
    {
        QTest::addColumn<QString>("part"); // object name of the widget given the focus
        QTest::addColumn<QString>("section");
        QTest::newRow("external dictionary grid") << "ValueListEditor_EXT" << "fenetre.html#dictionnaires";
        QTest::newRow("fusion grid") << "ValueListEditor_FUSION" << "fenetre.html#dictionnaires";
        QTest::newRow("external script") << "SKRIVO_EXT" << "fenetre.html#scripts";
        QTest::newRow("internal script") << "SKRIVO_INT" << "fenetre.html#scripts";
        QTest::newRow("question list") << "JvCheckListBox_QUESTION" << "fenetre.html#questions";
        QTest::newRow("file list") << "JvFileListBox1" << "fenetre.html#fichiers";
        QTest::newRow("file mask") << "Edit_MASK" << "fenetre.html#fichiers";
        QTest::newRow("report window") << "RapportTraduction" << "rapport.html";
        QTest::newRow("dictionary check") << "VerificationDictionnaires" << "verification.html";
    }
    void f1OpensTheSectionOfTheFocus()
    {
        QFETCH(QString, part);
        QFETCH(QString, section);
        TForm1& form = open(true);
        if (part == "RapportTraduction")
            form.run("FUSION_REPORT");
        if (part == "VerificationDictionnaires")
            form.run("DICO_CHECK");
        QWidget* target = form.findChild<QWidget*>(part);
        QVERIFY(target);
        if (auto* window = qobject_cast<FindingsWindow*>(target)) {
            QApplication::setActiveWindow(window);
            QVERIFY(QTest::qWaitForWindowActive(window));
            target = window->grid();
        }
        if (auto* pane = qobject_cast<DictionaryPane*>(target)) {
            const int index = form.PageControl_DICOS->indexOf(pane->parentWidget());
            form.PageControl_DICOS->setCurrentIndex(index < 0 ? 0 : index);
        }
        if (auto* pane = qobject_cast<ScriptPane*>(target))
            TForm1::selectPageQuietly(form.PageControl_SCRIPTS, form.PageControl_SCRIPTS->indexOf(pane->parentWidget()));
        target->setFocus();
        QTRY_VERIFY(target->hasFocus() || target->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QVERIFY(help(form));
        QVERIFY(help(form)->isVisible());
        QCOMPARE(help(form)->section(), section);
        // The page is the guide's own, read from the data folder.
        QVERIFY(help(form)->browser()->toPlainText().size() > 200);
    }

    void menuItemOpensTheStartWhateverHasTheFocus()
    {
        TForm1& form = open(true);
        form.SKRIVO_EXT->setFocus();
        form.findChild<QMenu*>("mnu_Aide")->actions().first()->trigger();
        QCOMPARE(help(form)->section(), QString("index.html"));
        QVERIFY(help(form)->browser()->toPlainText().contains("Polyx'X traduit les lettres types"));
    }

    void batchDialogAsksTheBatchPage()
    {
        TForm1& form = open();
        form.run("FUSION_BATCH"); // no answer: the dialog is closed
        QCOMPARE(dialogs().batchRequests.size(), size_t(1));
        QVERIFY(dialogs().batchRequests[0].help);
        dialogs().batchRequests[0].help();
        QCOMPARE(help(form)->section(), QString("lot.html"));
    }

    void helpWindowLinksSearchBackAndForward()
    {
        TForm1& form = open();
        form.AIDE();
        HelpWindow* window = help(form);
        QTextBrowser* page = window->browser();
        page->setSource(QUrl("premiers-pas.html"));
        QCOMPARE(window->section(), QString("premiers-pas.html"));
        QVERIFY(page->isBackwardAvailable());
        page->backward();
        QCOMPARE(window->section(), QString("index.html"));
        page->forward();
        QCOMPARE(window->section(), QString("premiers-pas.html"));

        // "verifier" finds the pages that say "Vérifier", accents aside.
        window->searchField()->setText("verifier dictionnaires");
        QStringList found;
        for (int row = 0; row < window->contents()->count(); ++row)
            if (!window->contents()->item(row)->isHidden())
                found << window->contents()->item(row)->data(Qt::UserRole).toString();
        QVERIFY(found.contains("verification.html"));
        QVERIFY(!found.contains("configuration.html"));
        window->searchField()->setText("mot-introuvable-xyz");
        for (int row = 0; row < window->contents()->count(); ++row)
            QVERIFY(window->contents()->item(row)->isHidden());
    }

    void exampleOpensItsFilesInThePanes()
    {
        TForm1& form = open();
        QVERIFY(!QFileInfo::exists(WorkDir() + "Exemple"));
        openExample(form);
        QVERIFY(dialogs().confirms.empty()); // empty panes: nothing to ask
        for (const char* name : {"DR_MARTIN.DICO", "MES_CODES.DICO", "QUESTIONS.DICU", "@DDN.TXT", "@TA.TXT",
                                 "@POIDS.TXT", "LETTRE_MARTIN.TXT", "LETTRE_MARTIN.RTF"})
            QVERIFY2(QFileInfo(exampleFile(name)).size() > 0, name);
        QCOMPARE(QDir(form.FileListFolder()).canonicalPath(), QDir(WorkDir() + "Exemple").canonicalPath());
        QCOMPARE(form.ValueListEditor_EXT->PageLabel(), QString("DR_MARTIN"));
        QCOMPARE(form.ValueListEditor_INT->PageLabel(), QString("MES_CODES"));
        QCOMPARE(form.ValueListEditor_EXT->lines().ValueOf("<NOM>"), QString("[NOM]"));
        QCOMPARE(form.ValueListEditor_INT->lines().ValueOf("<NOM>"), QString("£[SG : nom]#"));
        QCOMPARE(form.PageControl_DICOS->currentIndex(), 0);
        QCOMPARE(form.PageControl_SCRIPTS->currentIndex(), 0);
        QVERIFY(form.SKRIVO_EXT->Text().contains("né(e) le [DATE_NAISSANCE]"));
        QVERIFY(form.AUTO_TRAD->isChecked());
        // The letter's RTF version holds the same codes.
        QVERIFY(polyx::ReadFileBytes(exampleFile("LETTRE_MARTIN.RTF"), 10000).contains("[POIDS]"));
    }

    void exampleIsMadeOnceAndReopenedWithoutOverwriting()
    {
        TForm1& form = open();
        openExample(form);
        const QByteArray changed = "<_AUTEUR>=Moi\r\n<_TITRE>=\r\n<_CODE>=\r\n<NOM>=#NOM#\r\n";
        polyx::WriteFileBytes(exampleFile("DR_MARTIN.DICO"), changed);
        QVERIFY(QFile::remove(exampleFile("LETTRE_MARTIN.RTF")));
        // A lower-case copy of a shipped name is the user's file too.
        QVERIFY(QFile::rename(exampleFile("@TA.TXT"), exampleFile("@ta.txt")));
        polyx::WriteFileBytes(exampleFile("@ta.txt"), "mon texte\r\n");

        dialogs().confirmAnswers = {true};
        openExample(form);
        QCOMPARE(dialogs().warningConfirms, std::vector<QString>{kReplaceQuestion});
        QCOMPARE(polyx::ReadFileBytes(exampleFile("DR_MARTIN.DICO"), 10000), changed);
        QCOMPARE(form.ValueListEditor_EXT->lines().ValueOf("<NOM>"), QString("#NOM#"));
        QVERIFY(QFileInfo(exampleFile("LETTRE_MARTIN.RTF")).size() > 0);
        QCOMPARE(polyx::ReadFileBytes(exampleFile("@ta.txt"), 10000), QByteArray("mon texte\r\n"));
        QVERIFY(!QFileInfo::exists(exampleFile("@TA.TXT")));
    }

    void openWorkIsAskedForAndSavedFirst()
    {
        TForm1& form = open();
        form.ValueListEditor_EXT->lines().AddLine("<NOM>=%NOM%");
        form.ValueListEditor_EXT->SetPageLabel("DUPONT");
        form.SKRIVO_EXT->setPlainText("Lettre de M. %NOM%");

        dialogs().confirmAnswers = {false};
        openExample(form);
        QCOMPARE(dialogs().warningConfirms, std::vector<QString>{kReplaceQuestion});
        QCOMPARE(form.ValueListEditor_EXT->PageLabel(), QString("DUPONT"));
        QCOMPARE(form.SKRIVO_EXT->Text(), QString("Lettre de M. %NOM%"));
        QVERIFY(!QFileInfo::exists(WorkDir() + "Exemple"));
        QVERIFY(!QFileInfo::exists(WorkDir() + "DUPONT.DICO"));

        dialogs().confirmAnswers = {true};
        openExample(form);
        QCOMPARE(form.ValueListEditor_EXT->PageLabel(), QString("DR_MARTIN"));
        // Saved as the session saves them: the dictionary under its label,
        // the script to its state file.
        QVERIFY(polyx::ReadFileBytes(WorkDir() + "DUPONT.DICO", 10000).contains("<NOM>=%NOM%"));
        QCOMPARE(ReadString("DICO", "EXTERNE", QString()), WorkDir() + "DUPONT.DICO");
        QVERIFY(polyx::ReadFileBytes(WorkDir() + "~EXTERNE.SKRIVO", 10000).contains("Lettre de M. %NOM%"));
    }

    void turningToTheInternalPageGivesTheReportOfTheGuide()
    {
        TForm1& form = open();
        openExample(form);
        form.PageControl_SCRIPTS->tabBar()->setCurrentIndex(1);
        const QString translated = form.SKRIVO_INT->Text();
        QVERIFY(translated.contains("£[SG : civilité]# £[SG : prénom]# £[SG : nom]#, né(e) le £[SG : date de naissance]#"));
        QVERIFY(translated.contains("le poids de [POIDS] kg"));
        QCOMPARE(form.StatusPanelSpare->text(), QString("7 codes remplacés (7 occurrences) — 1 code non traduit"));
        QCOMPARE(m_window->fakes.balloon.shown.back().title, QString("7 REMPLACEMENT(S)"));

        form.run("FUSION_REPORT");
        QTableWidget* grid = form.findChild<FindingsWindow*>("RapportTraduction")->grid();
        QCOMPARE(grid->rowCount(), 8);
        QCOMPARE(grid->item(0, 0)->text(), QString("Non traduit"));
        QCOMPARE(grid->item(0, 1)->text(), QString("[POIDS]"));
        for (int row = 1; row < grid->rowCount(); ++row)
            QCOMPARE(grid->item(row, 0)->text(), QString("Remplacé"));

        // The guide's fix: the missing line in the correspondent's dictionary.
        form.ValueListEditor_EXT->lines().AddLine("<POIDS>=[POIDS]");
        form.PageControl_SCRIPTS->tabBar()->setCurrentIndex(0);
        form.PageControl_SCRIPTS->tabBar()->setCurrentIndex(1);
        form.action("FUSION_EXT_INT")->trigger(); // the page holds the last translation
        QCOMPARE(form.StatusPanelSpare->text(), QString("8 codes remplacés (8 occurrences)"));
        QVERIFY(form.SKRIVO_INT->Text().contains("le poids de £[SG : poids]# kg"));
    }

    void aboutBoxShowsAndOpensThePaths()
    {
        TForm1& form = open();
        form.findChild<QMenu*>("mnu_Aide")->actions().last()->trigger();
        auto* box = form.findChild<AboutBox*>("AProposDePolyxX");
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QCOMPARE(box->windowTitle(), QString("À propos de Polyx'X"));
        QCOMPARE(box->findChild<QLabel*>("name")->text(), QString("Polyx'X 19.1.1"));
        QCOMPARE(box->findChild<QLabel*>("qtVersion")->text(), QString("Fonctionne avec Qt %1.").arg(qVersion()));
        QVERIFY(box->findChild<QLabel*>("licence")->text().contains("GPL"));
        QCOMPARE(box->workFolderButton()->text(), WorkDir());
        QCOMPARE(box->configFileButton()->text(), ConfigFileName());
        QCOMPARE(ConfigFileName(), m_window->path("PolyxX.INI"));
        box->workFolderButton()->click();
        box->configFileButton()->click();
        QCOMPARE(m_window->fakes.desktop.folders,
                 (std::vector<QString>{WorkDir(), QFileInfo(ConfigFileName()).absolutePath()}));
        QPushButton* close = box->findChild<QPushButton*>("close");
        QCOMPARE(close->text(), QString("Fermer"));
        close->click();
        QVERIFY(!box->isVisible());
    }

    void firstStartHintLastsUntilTheFirstCommand()
    {
        TForm1& form = open();
        QCOMPARE(form.StatusPanelSpare->text(), kHint);
        form.action("SKR_UNI_CLEAR")->trigger();
        QCOMPARE(form.StatusPanelSpare->text(), QString());
    }

    void noHintOnceTheConfigurationExists()
    {
        WriteBool("OPTIONS", "AUTOSAVE", true);
        TForm1& form = open();
        QCOMPARE(form.StatusPanelSpare->text(), QString());
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
