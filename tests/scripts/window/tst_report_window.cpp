// The report of a translation and the dictionary check, driven through
// the window: menu items, F9, the balloon, the windows' contents,
// double-clicks, highlights and the option that turns them off.
#include "tests/support/DictionaryFilling.h"
#include "tests/support/WindowFixture.h"

#include "app/FindingsWindow.h"
#include "config/ConfigStore.h"
#include "dictionaries/DictionaryPane.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QtTest>

namespace {
const QStringList kExternal{"<_AUTEUR>=Dr Ext", "<_TITRE>=Lettre", "<_CODE>=B12", "<NOM>=[NOM]",
                            "<AGE>=[AGE]", "<SEXE>=[SEXE]", "<POIDS>=[POIDS]"};
const QStringList kInternal{"<_AUTEUR>=Moi", "<_TITRE>=Courrier", "<_CODE>=C1", "<NOM>=£[SG : nom]#",
                            "<AGE>=£[SG : age]#", "<SEXE>=£[SG : sexe]#", "<POIDS>=£[SG : poids]#"};
// [NOM] twice, [AGE] once, [sexe] in another case, [TAILLE] in no
// dictionary, [POIDS] nowhere.
const QString kScript = "Nom : [NOM]\nÂge : [AGE], taille [TAILLE]\n[sexe] de [NOM]";
const QString kSummary = "2 codes remplacés (3 occurrences) — 1 code non traduit — 1 avertissement";

QStringList rowsShown(const FindingsWindow* window)
{
    QStringList rows;
    const QTableWidget* grid = window->grid();
    for (int row = 0; row < grid->rowCount(); ++row) {
        if (grid->isRowHidden(row))
            continue;
        QStringList cells;
        for (int column = 0; column < grid->columnCount(); ++column)
            cells << grid->item(row, column)->text();
        rows << cells.join('|');
    }
    return rows;
}

QStringList headers(const QTableWidget* grid)
{
    QStringList titles;
    for (int column = 0; column < grid->columnCount(); ++column)
        titles << grid->horizontalHeaderItem(column)->text();
    return titles;
}

int rowOf(const QTableWidget* grid, const QString& state, const QString& code)
{
    for (int row = 0; row < grid->rowCount(); ++row) {
        if (grid->item(row, 0)->text() == state && grid->item(row, 1)->text() == code)
            return row;
    }
    return -1;
}
} // namespace

class ReportWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;

    platform::FakeServices& fakes() { return m_window->fakes; }
    TForm1& translated(bool shown = false)
    {
        TForm1& form = m_window->open();
        if (shown) {
            form.show();
            if (!QTest::qWaitForWindowExposed(&form))
                qFatal("window not shown");
        }
        setLines(form.ValueListEditor_EXT, kExternal);
        setLines(form.ValueListEditor_INT, kInternal);
        form.SKRIVO_EXT->SetText(kScript);
        form.action("FUSION_EXT_INT")->trigger();
        return form;
    }
    FindingsWindow* reportWindow(TForm1& form) { return form.findChild<FindingsWindow*>("RapportTraduction"); }

private slots:
    void init() { m_window = std::make_unique<WindowFixture>(); }
    void cleanup() { m_window.reset(); }

    void menuItems()
    {
        TForm1& form = m_window->open();
        QAction* report = form.action("FUSION_REPORT");
        QCOMPARE(report->shortcut(), QKeySequence(Qt::Key_F9));
        QCOMPARE(report->property("category").toString(), QString("FUSION"));
        QCOMPARE(report->toolTip(), QString("Ce qui a été remplacé, et ce qui ne l'a pas été"));
        const QList<QAction*> items = form.findChild<QMenu*>("mnu_Traductions")->actions();
        QCOMPARE(items.size(), 6);
        QCOMPARE(items[2], form.action("FUSION_BATCH"));
        QVERIFY(items[3]->isSeparator());
        QCOMPARE(items[4], report);
        QCOMPARE(items[5], form.mnu_SURLIGNER);
        QVERIFY(form.mnu_SURLIGNER->isCheckable());
        QVERIFY(form.mnu_SURLIGNER->isChecked());
        QVERIFY(form.findChild<QMenu*>("mnu_DICO")->actions().contains(form.action("DICO_CHECK")));
    }

    void reportOfTheLastRun()
    {
        TForm1& form = translated();
        QCOMPARE(form.StatusPanelSpare->text(), kSummary);
        QVERIFY(!reportWindow(form));
        // F9 shows it.
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClick(&form, Qt::Key_F9);
        FindingsWindow* window = reportWindow(form);
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QCOMPARE(window->windowTitle(), QString("Rapport de traduction"));
        QCOMPARE(window->summary(), kSummary);
        QCOMPARE(headers(window->grid()), (QStringList{"État", "Code", "Remplacé par", "Occurrences", "Lignes"}));
        const QStringList found{"Non traduit|[TAILLE]||1|2", "Casse différente|[SEXE]|£[SG : sexe]#|1|3",
                                "Remplacé|[NOM]|£[SG : nom]#|2|1, 3", "Remplacé|[AGE]|£[SG : age]#|1|2"};
        QCOMPARE(rowsShown(window), found);
        QCOMPARE(window->optionalBox()->text(), QString("Afficher les codes absents"));
        QVERIFY(!window->optionalBox()->isChecked());
        window->optionalBox()->setChecked(true);
        QCOMPARE(rowsShown(window), found + QStringList{"Absent du script|[POIDS]|£[SG : poids]#|0|"});

        window->copyButton()->click();
        QCOMPARE(fakes().clipboard.written.back(),
                 kSummary + "\r\nÉtat\tCode\tRemplacé par\tOccurrences\tLignes\r\n"
                     + found.join("\r\n").replace('|', '\t') + "\r\nAbsent du script\t[POIDS]\t£[SG : poids]#\t0\t\r\n");

        // An open window follows the next run, whichever translation.
        form.action("FUSION_POLYX")->trigger();
        QCOMPARE(window->summary(), QString("2 codes remplacés (3 occurrences) — 1 code non traduit — 1 avertissement"));
        QCOMPARE(window->grid()->item(2, 2)->text(), QString("<NOM>"));
        QCOMPARE(form.StatusPanelSpare->text(), window->summary());
    }

    void beforeAnyRunAndFromTheBalloon()
    {
        TForm1& form = m_window->open();
        form.action("FUSION_REPORT")->trigger();
        FindingsWindow* window = reportWindow(form);
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->grid()->rowCount(), 0);
        window->close();
        QVERIFY(!window->isVisible());

        setLines(form.ValueListEditor_EXT, kExternal);
        setLines(form.ValueListEditor_INT, kInternal);
        form.SKRIVO_EXT->SetText(kScript);
        form.action("FUSION_EXT_INT")->trigger();
        QVERIFY(!window->isVisible()); // a closed window stays closed
        fakes().balloon.click();
        QVERIFY(window->isVisible());
        QCOMPARE(window->summary(), kSummary);
    }

    void doubleClickSelectsTheNextPlace()
    {
        TForm1& form = translated();
        form.action("FUSION_REPORT")->trigger();
        FindingsWindow* window = reportWindow(form);
        QTableWidget* grid = window->grid();
        TForm1::selectPageQuietly(form.PageControl_SCRIPTS, 0);

        const int nom = rowOf(grid, "Remplacé", "[NOM]");
        QVERIFY(nom >= 0);
        QTextCursor first, second;
        emit grid->cellDoubleClicked(nom, 1);
        QCOMPARE(form.PageControl_SCRIPTS->currentIndex(), 1);
        first = form.SKRIVO_INT->textCursor();
        QCOMPARE(first.selectedText(), QString("£[SG : nom]#"));
        emit grid->cellDoubleClicked(nom, 1);
        second = form.SKRIVO_INT->textCursor();
        QCOMPARE(second.selectedText(), QString("£[SG : nom]#"));
        QVERIFY(second.selectionStart() > first.selectionStart());
        emit grid->cellDoubleClicked(nom, 1); // round again
        QCOMPARE(form.SKRIVO_INT->textCursor().selectionStart(), first.selectionStart());

        emit grid->cellDoubleClicked(rowOf(grid, "Non traduit", "[TAILLE]"), 0);
        QCOMPARE(form.SKRIVO_INT->textCursor().selectedText(), QString("[TAILLE]"));
        emit grid->cellDoubleClicked(rowOf(grid, "Casse différente", "[SEXE]"), 0);
        QCOMPARE(form.SKRIVO_INT->textCursor().selectedText(), QString("[sexe]"));

        // "Absent du script" has no place: the selection stays.
        window->optionalBox()->setChecked(true);
        const QTextCursor before = form.SKRIVO_INT->textCursor();
        emit grid->cellDoubleClicked(rowOf(grid, "Absent du script", "[POIDS]"), 0);
        QCOMPARE(form.SKRIVO_INT->textCursor(), before);

        // After an edit the places have moved: the texts are looked for,
        // after the selection ([sexe], last line) and then from the top.
        QTextCursor(form.SKRIVO_INT->document()).insertText("Objet : [TAILLE]\n");
        emit grid->cellDoubleClicked(rowOf(grid, "Non traduit", "[TAILLE]"), 0);
        QCOMPARE(form.SKRIVO_INT->textCursor().selectedText(), QString("[TAILLE]"));
        QCOMPARE(form.SKRIVO_INT->textCursor().blockNumber(), 0);
        emit grid->cellDoubleClicked(rowOf(grid, "Non traduit", "[TAILLE]"), 0);
        QCOMPARE(form.SKRIVO_INT->textCursor().selectedText(), QString("[TAILLE]"));
        QCOMPARE(form.SKRIVO_INT->textCursor().blockNumber(), 2);
        emit grid->cellDoubleClicked(nom, 0);
        QCOMPARE(form.SKRIVO_INT->textCursor().selectedText(), QString("£[SG : nom]#"));
    }

    void highlights()
    {
        // Only the part in view is marked: all of this short script.
        TForm1& form = translated(true);
        const QList<QTextEdit::ExtraSelection> marks = form.SKRIVO_INT->extraSelections();
        QStringList marked;
        for (const auto& mark : marks)
            marked << mark.cursor.selectedText() + "/" + mark.format.background().color().name();
        QCOMPARE(marked, (QStringList{"£[SG : nom]#/#c8f0c8", "£[SG : age]#/#c8f0c8", "[TAILLE]/#ffd8a0",
                                      "£[SG : nom]#/#c8f0c8"}));
        // Decorations only.
        QCOMPARE(form.SKRIVO_INT->Text(), "Nom : £[SG : nom]#\r\nÂge : £[SG : age]#, taille [TAILLE]\r\n[sexe] de £[SG : nom]#");

        // The option turns them off and on again while the text stands.
        form.mnu_SURLIGNER->trigger();
        QVERIFY(!form.mnu_SURLIGNER->isChecked());
        QVERIFY(form.SKRIVO_INT->extraSelections().isEmpty());
        form.mnu_SURLIGNER->trigger();
        QCOMPARE(form.SKRIVO_INT->extraSelections().size(), marks.size());

        // The first edit ends them, and ticking again brings nothing back.
        QTextCursor cursor(form.SKRIVO_INT->document());
        cursor.insertText("x");
        QVERIFY(form.SKRIVO_INT->extraSelections().isEmpty());
        form.mnu_SURLIGNER->trigger();
        form.mnu_SURLIGNER->trigger();
        QVERIFY(form.SKRIVO_INT->extraSelections().isEmpty());

        // Unticked, a run highlights nothing; a run elsewhere clears the
        // other pane's marks.
        form.action("FUSION_EXT_INT")->trigger();
        QVERIFY(!form.SKRIVO_INT->extraSelections().isEmpty());
        form.action("FUSION_POLYX")->trigger();
        QVERIFY(form.SKRIVO_INT->extraSelections().isEmpty());
        QVERIFY(!form.SKRIVO_POLYX->extraSelections().isEmpty());
        form.mnu_SURLIGNER->trigger();
        QVERIFY(form.SKRIVO_POLYX->extraSelections().isEmpty());
        form.action("FUSION_EXT_INT")->trigger();
        QVERIFY(form.SKRIVO_INT->extraSelections().isEmpty());
    }

    void highlightsFollowTheView()
    {
        TForm1& form = m_window->open();
        setLines(form.ValueListEditor_EXT, kExternal);
        setLines(form.ValueListEditor_INT, kInternal);
        QStringList lines;
        for (int i = 1; i <= 400; ++i)
            lines << QString("Ligne %1 : [NOM] et [INCONNU]").arg(i);
        form.SKRIVO_EXT->SetText(lines.join('\n'));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.action("FUSION_EXT_INT")->trigger();
        QScrollBar* bar = form.SKRIVO_INT->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        const auto firstMarked = [&] {
            const auto marks = form.SKRIVO_INT->extraSelections();
            return marks.isEmpty() ? -1 : marks.first().cursor.block().blockNumber() + 1;
        };
        // The caret ends the run at the last replacement: the view is at
        // the end, and so are the marks.
        const auto marks = form.SKRIVO_INT->extraSelections();
        QVERIFY(!marks.isEmpty());
        QVERIFY(marks.size() < 100);
        QVERIFY(firstMarked() > 300);
        // Turning to another page and back marks the same part again.
        TForm1::selectPageQuietly(form.PageControl_SCRIPTS, 0);
        TForm1::selectPageQuietly(form.PageControl_SCRIPTS, 1);
        QCOMPARE(form.SKRIVO_INT->extraSelections().size(), marks.size());
        QCOMPARE(marks.last().cursor.block().blockNumber() + 1, 400);
        bar->setValue(0);
        QCOMPARE(firstMarked(), 1);
        QCOMPARE(form.SKRIVO_INT->extraSelections().first().cursor.selectedText(), QString("£[SG : nom]#"));
        QCOMPARE(form.SKRIVO_INT->extraSelections().at(1).cursor.selectedText(), QString("[INCONNU]"));
    }

    void optionSavedAndRestored()
    {
        {
            TForm1& form = m_window->open();
            form.mnu_SURLIGNER->trigger();
            form.run("INI_SAVE");
            QCOMPARE(ReadBool("OPTIONS", "SURLIGNER", true), false);
        }
        TForm1& again = m_window->open();
        QVERIFY(!again.mnu_SURLIGNER->isChecked());
        again.mnu_SURLIGNER->trigger();
        again.run("INI_SAVE");
        QCOMPARE(ReadBool("OPTIONS", "SURLIGNER", false), true);
    }

    void dictionaryCheck()
    {
        TForm1& form = m_window->open();
        setLines(form.ValueListEditor_EXT, kExternal + QStringList{"<TAILLE>=[NOM]"});
        setLines(form.ValueListEditor_INT, kInternal);
        setLines(form.ValueListEditor_FUSION, {"NOM=a", "NOMJF=b"});
        form.action("DICO_CHECK")->trigger();
        auto* window = form.findChild<FindingsWindow*>("VerificationDictionnaires");
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QString("Vérification des dictionnaires"));
        QVERIFY(!window->optionalBox());
        QCOMPARE(headers(window->grid()), (QStringList{"Dictionnaire", "Clé", "Valeur", "Problème"}));
        QCOMPARE(rowsShown(window),
                 (QStringList{"Externe|<TAILLE>|[NOM]|Code déjà donné à la clé « <NOM> »",
                              "Externe|<TAILLE>|[NOM]|Clé absente du dictionnaire interne",
                              "Fusion|NOMJF|b|Masqué par le code « NOM »"}));
        QCOMPARE(window->summary(), QString("3 problèmes"));

        TForm1::selectPageQuietly(form.PageControl_DICOS, 1);
        emit window->grid()->cellDoubleClicked(0, 0);
        QCOMPARE(form.PageControl_DICOS->currentIndex(), 0);
        QCOMPARE(form.ValueListEditor_EXT->CurrentRow(), 8);
        emit window->grid()->cellDoubleClicked(2, 0);
        QCOMPARE(form.PageControl_DICOS->currentIndex(), 2);
        QCOMPARE(form.ValueListEditor_FUSION->CurrentRow(), 2);
    }
};

QTEST_MAIN(ReportWindowTest)
#include "tst_report_window.moc"
