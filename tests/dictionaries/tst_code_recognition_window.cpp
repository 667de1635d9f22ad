// "Reconnaître les codes du script..." through the window: menu items, the
// window's rows and ticks, editing a key, adding rows to the external
// dictionary, the translated letter, double-clicks, the empty script.
#include "tests/support/DictionaryFilling.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WindowFixture.h"

#include "app/CodeRecognitionWindow.h"
#include "dictionaries/DictionaryPane.h"
#include "questions/QuestionList.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextCursor>
#include <QtTest>

namespace {

const QString kScript = "Patient : #NOM# #PRENOM#, né le #DDN#.\n"
                        "Adresse : #Ville_Patient#.\n"
                        "Revu #NOM# ce jour, #ZORGLUB#.";
const QStringList kExternal{"<_AUTEUR>=Dr Neuf", "<_TITRE>=", "<_CODE>=", "<DDN>=", "<PRENOM>=&pre&"};
const QStringList kInternal{"<_AUTEUR>=Moi", "<_TITRE>=", "<_CODE>=", "<NOM>=£[SG : nom]#",
                            "<PRENOM>=£[SG : prénom]#", "<DDN>=SIGNAL(\"dn\")", "<VILLE>=£[SG : ville]#"};

QStringList rowsShown(const QTableWidget* grid)
{
    QStringList rows;
    for (int row = 0; row < grid->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < grid->columnCount(); ++column)
            cells << grid->item(row, column)->text();
        rows << cells.join('|');
    }
    return rows;
}

int rowOf(const QTableWidget* grid, const QString& code)
{
    for (int row = 0; row < grid->rowCount(); ++row) {
        if (grid->item(row, 0)->text() == code)
            return row;
    }
    return -1;
}

} // namespace

class CodeRecognitionWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;

    platform::FakeServices& fakes() { return m_window->fakes; }
    TForm1& prepared()
    {
        writeBytes(m_window->path("Dr_Martin.DICO"), "<NOM>=#NOM#\r\n<PRENOM>=#prenom#\r\n<VILLE>=%ville%\r\n");
        writeBytes(m_window->path("Dr_Durand.DICO"), "<NOM>=#NOM#\r\n");
        TForm1& form = m_window->open();
        setLines(form.ValueListEditor_EXT, kExternal);
        setLines(form.ValueListEditor_INT, kInternal);
        form.JvCheckListBox_QUESTION->SetTexts({"<_AUTEUR>", "<_TITRE>", "<_CODE>", "<NOM>", "<PRENOM>", "<DDN>",
                                                "<VILLE>"});
        form.SKRIVO_EXT->SetText(kScript);
        return form;
    }
    CodeRecognitionWindow* recognition(TForm1& form)
    {
        return form.findChild<CodeRecognitionWindow*>("ReconnaissanceCodes");
    }

private slots:
    void init() { m_window = std::make_unique<WindowFixture>(); }
    void cleanup() { m_window.reset(); }

    void menuItems()
    {
        TForm1& form = m_window->open();
        QAction* suggest = form.action("DICO_EXT_SUGGEST");
        QVERIFY(suggest);
        QCOMPARE(suggest->text(), QString("Reconnaître les codes du script..."));
        QCOMPARE(suggest->property("category").toString(), QString("DICO"));
        QCOMPARE(suggest->toolTip(), QString("Propose une clé universelle pour chaque code du script externe que "
                                             "le dictionnaire externe ne connaît pas"));
        const QList<QAction*> dico = form.findChild<QMenu*>("mnu_DICO")->actions();
        QCOMPARE(dico.indexOf(suggest), dico.indexOf(form.action("DICO_CHECK")) + 1);
        QVERIFY(form.findChild<QMenu*>("Pop_DICext")->actions().contains(suggest));
    }

    void emptyScript()
    {
        TForm1& form = m_window->open();
        form.action("DICO_EXT_SUGGEST")->trigger();
        QCOMPARE(fakes().dialogs.messages.size(), size_t(1));
        QCOMPARE(fakes().dialogs.messages[0].text, QString("Rien à reconnaître : le script externe est vide."));
        QCOMPARE(fakes().dialogs.messages[0].kind, platform::BoxKind::Information);
        QVERIFY(!recognition(form));
        QVERIFY(fakes().dialogs.errors.empty());
    }

    void rowsAndTicks()
    {
        TForm1& form = prepared();
        form.action("DICO_EXT_SUGGEST")->trigger();
        CodeRecognitionWindow* window = recognition(form);
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QCOMPARE(window->windowTitle(), QString("Reconnaissance des codes"));
        QTableWidget* grid = window->grid();
        QStringList titles;
        for (int column = 0; column < grid->columnCount(); ++column)
            titles << grid->horizontalHeaderItem(column)->text();
        QCOMPARE(titles, (QStringList{"Code", "Occurrences", "Clé proposée", "Confiance", "Raison"}));
        // "<PRENOM>" has a code in the external dictionary already: #PRENOM#
        // gets nothing; "<VILLE>" is near "Ville_Patient" by name only.
        QCOMPARE(rowsShown(grid),
                 (QStringList{"#PRENOM#|1||à vérifier|\"<PRENOM>\" est déjà dans le dictionnaire",
                              "#Ville_Patient#|1|<VILLE>|à vérifier|Nom proche de \"<VILLE>\"",
                              "#ZORGLUB#|1||à vérifier|", "#DDN#|1|<DDN>|probable|Nom proche de \"<DDN>\"",
                              "#NOM#|2|<NOM>|sûre|Connu dans \"Dr_Durand.DICO\" et 1 autre"}));
        QCOMPARE(window->summary(), QString("5 codes à reconnaître : 1 sûr, 1 probable, 3 à vérifier"));
        // The tick is the first cell's own check state, which screen readers
        // announce; only the sure row is ticked.
        for (int row = 0; row < grid->rowCount(); ++row) {
            QTableWidgetItem* code = grid->item(row, 0);
            QVERIFY(code->flags() & Qt::ItemIsUserCheckable);
            QVERIFY(!grid->cellWidget(row, 0));
            QCOMPARE(code->checkState(), code->text() == "#NOM#" ? Qt::Checked : Qt::Unchecked);
            QCOMPARE(bool(grid->item(row, 1)->flags() & Qt::ItemIsEditable), false);
            QCOMPARE(bool(grid->item(row, 2)->flags() & Qt::ItemIsEditable), true);
        }
        // Unticking goes into the rows the window adds.
        grid->item(rowOf(grid, "#NOM#"), 0)->setCheckState(Qt::Unchecked);
        QVERIFY(!window->rows().last().ticked);

        QCOMPARE(window->copyButton()->text(), QString("Copier"));
        window->copyButton()->click();
        QVERIFY(fakes().clipboard.written.back().startsWith(
            "5 codes à reconnaître : 1 sûr, 1 probable, 3 à vérifier\r\nCode\tOccurrences\tClé proposée\tConfiance\tRaison\r\n"
            "#PRENOM#\t1\t\tà vérifier\t\"<PRENOM>\" est déjà dans le dictionnaire\r\n"));
        QCOMPARE(window->findChild<QPushButton*>("close")->text(), QString("Fermer"));
    }

    void editingAKey()
    {
        TForm1& form = prepared();
        form.action("DICO_EXT_SUGGEST")->trigger();
        CodeRecognitionWindow* window = recognition(form);
        QTableWidget* grid = window->grid();
        const int ddn = rowOf(grid, "#DDN#");
        const QModelIndex index = grid->model()->index(ddn, CodeRecognitionWindow::KeyColumn);
        grid->setCurrentIndex(index);
        grid->edit(index);
        auto* combo = grid->findChild<QComboBox*>("cle");
        QVERIFY(combo);
        QCOMPARE(combo->currentText(), QString("<DDN>"));
        // The code's own keys with their reasons first, then every question.
        QStringList offered;
        for (int i = 0; i < combo->count(); ++i)
            offered << combo->itemText(i);
        QCOMPARE(offered.first(), QString("<DDN>"));
        QCOMPARE(combo->model()->index(0, 1).data().toString(), QString("probable — Nom proche de \"<DDN>\""));
        for (const QString question : {"<NOM>", "<PRENOM>", "<VILLE>"})
            QVERIFY2(offered.contains(question), qPrintable(question));
        QVERIFY(!offered.contains("<_AUTEUR>"));

        // Picking a question the list holds keeps its spelling; the row is the user's choice: ticked.
        combo->setEditText("nom");
        grid->itemDelegateForColumn(CodeRecognitionWindow::KeyColumn)->setModelData(combo, grid->model(), index);
        QCOMPARE(grid->item(ddn, 2)->text(), QString("<NOM>"));
        QCOMPARE(grid->item(ddn, 0)->checkState(), Qt::Checked);
        // A new key is typed as a name; something that cannot be a key changes nothing.
        window->chooseKey(ddn, "date de naissance");
        QCOMPARE(grid->item(ddn, 2)->text(), QString("<date_de_naissance>"));
        QCOMPARE(grid->item(ddn, 3)->text(), QString("à vérifier"));
        window->chooseKey(ddn, "<a=b>");
        QCOMPARE(grid->item(ddn, 2)->text(), QString("<date_de_naissance>"));
        window->chooseKey(ddn, "<DDN>");
        QCOMPARE(rowsShown(grid).at(ddn), QString("#DDN#|1|<DDN>|probable|Nom proche de \"<DDN>\""));
        // The copy follows the edits.
        window->copyButton()->click();
        QVERIFY(fakes().clipboard.written.back().contains("#DDN#\t1\t<DDN>\tprobable\tNom proche de \"<DDN>\"\r\n"));
    }

    void addingRows()
    {
        TForm1& form = prepared();
        const QStringList filesBefore = m_window->folder.filesOnDisk();
        form.action("DICO_EXT_SUGGEST")->trigger();
        CodeRecognitionWindow* window = recognition(form);
        QTableWidget* grid = window->grid();
        grid->item(rowOf(grid, "#DDN#"), 0)->setCheckState(Qt::Checked); // empty value in the dictionary
        window->chooseKey(rowOf(grid, "#PRENOM#"), "<PRENOM>");             // another value there
        window->chooseKey(rowOf(grid, "#Ville_Patient#"), "<VILLE_PATIENT>"); // a new question
        QCOMPARE(window->addToDictionaryButton()->text(), QString("Ajouter au dictionnaire externe"));
        window->addToDictionaryButton()->click();
        QVERIFY(fakes().dialogs.errors.empty());

        QCOMPARE(form.ValueListEditor_EXT->lines().Lines(),
                 (QStringList{"<_AUTEUR>=Dr Neuf", "<_TITRE>=", "<_CODE>=", "<DDN>=#DDN#", "<PRENOM>=&pre&",
                              "<VILLE_PATIENT>=#Ville_Patient#", "<NOM>=#NOM#"}));
        QCOMPARE(form.StatusPanelSpare->text(), QString("3 lignes ajoutées au dictionnaire externe"));
        QVERIFY(form.JvCheckListBox_QUESTION->Texts().contains("<VILLE_PATIENT>"));
        QCOMPARE(form.JvCheckListBox_QUESTION->Texts().count("<NOM>"), 1);
        // The fusion is generated anew.
        QCOMPARE(form.ValueListEditor_FUSION->lines().ValueOf("#NOM#"), QString("£[SG : nom]#"));
        QCOMPARE(form.ValueListEditor_FUSION->lines().ValueOf("#DDN#"), QString("SIGNAL(\"dn\")"));
        // The rows added leave; the one left alone says why, unticked.
        QCOMPARE(rowsShown(grid), (QStringList{"#PRENOM#|1|<PRENOM>|sûre|Déjà \"&pre&\" dans le dictionnaire",
                                               "#ZORGLUB#|1||à vérifier|"}));
        QCOMPARE(grid->item(0, 0)->checkState(), Qt::Unchecked);
        QCOMPARE(window->summary(), QString("2 codes à reconnaître : 1 sûr, 0 probable, 1 à vérifier"));
        // Nothing is written to a file.
        QCOMPARE(m_window->folder.filesOnDisk(), filesBefore);
    }

    void translatedLetterAndDoubleClick()
    {
        TForm1& form = prepared();
        // Not made from this script by a translation: it is the user's own letter.
        form.SKRIVO_INT->SetText("Patient : £[SG : nom]# £[SG : prénom]#, né le SIGNAL(\"dn\").\n"
                                 "Adresse : £[SG : ville]#.\nRevu £[SG : nom]# ce jour, aucun.");
        form.action("DICO_EXT_SUGGEST")->trigger();
        CodeRecognitionWindow* window = recognition(form);
        QTableWidget* grid = window->grid();
        QCOMPARE(rowsShown(grid).filter("#Ville_Patient#"),
                 QStringList{"#Ville_Patient#|1|<VILLE>|sûre|D'après la lettre traduite"});
        QCOMPARE(rowsShown(grid).filter("#DDN#"), QStringList{"#DDN#|1|<DDN>|sûre|D'après la lettre traduite"});

        // A letter from a file, here one that pairs the town otherwise.
        writeBytes(m_window->path("lettre.txt"), "Adresse : \xA3[SG : pr\xE9" "nom]#.\r\nRevu \xA3[SG : nom]# ce jour, aucun.\r\n");
        fakes().dialogs.openAnswers.push_back(m_window->path("lettre.txt"));
        QCOMPARE(window->letterButton()->text(), QString("Lettre déjà traduite..."));
        window->letterButton()->click();
        QCOMPARE(fakes().dialogs.openRequests.size(), size_t(1));
        QCOMPARE(rowsShown(grid).filter("#Ville_Patient#"),
                 QStringList{"#Ville_Patient#|1|<VILLE>|à vérifier|Nom proche de \"<VILLE>\" ; \"<PRENOM>\" est déjà dans le dictionnaire"});

        // A double-click selects the code's next occurrence in the external pane.
        TForm1::selectPageQuietly(form.PageControl_SCRIPTS, 1);
        const int nom = rowOf(grid, "#NOM#");
        emit grid->cellDoubleClicked(nom, 0);
        QCOMPARE(form.PageControl_SCRIPTS->currentIndex(), 0);
        const QTextCursor first = form.SKRIVO_EXT->textCursor();
        QCOMPARE(first.selectedText(), QString("#NOM#"));
        emit grid->cellDoubleClicked(nom, 1);
        QVERIFY(form.SKRIVO_EXT->textCursor().selectionStart() > first.selectionStart());
        emit grid->cellDoubleClicked(nom, 1);
        QCOMPARE(form.SKRIVO_EXT->textCursor().selectionStart(), first.selectionStart());
    }

    void freshTranslationIsNoLetter()
    {
        TForm1& form = prepared();
        form.action("FUSION_EXT_INT")->trigger();
        form.action("DICO_EXT_SUGGEST")->trigger();
        for (const polyx::RecognitionRow& row : recognition(form)->rows())
            QVERIFY2(!row.reason.startsWith("D'après"), qPrintable(row.reason));
    }

    void fromTheReportWindow()
    {
        TForm1& form = prepared();
        form.action("FUSION_REPORT")->trigger();
        auto* report = form.findChild<FindingsWindow*>("RapportTraduction");
        QVERIFY(report);
        auto* button = report->findChild<QPushButton*>("reconnaitre");
        QVERIFY(button);
        QCOMPARE(button->text(), QString("Reconnaître les codes..."));
        QCOMPARE(button->accessibleName(), QString("Reconnaître les codes..."));
        button->click();
        QVERIFY(recognition(form) && recognition(form)->isVisible());
        QCOMPARE(recognition(form)->grid()->rowCount(), 5);
    }
};

QTEST_MAIN(CodeRecognitionWindowTest)
#include "tst_code_recognition_window.moc"
