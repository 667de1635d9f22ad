// The dictionary pages in the window: pop-up items, the remembered cell,
// the grids' events, the page change and the automatic saves.
#include "tests/support/WindowFixture.h"

#include "app/Unit1.h"
#include "app/WorkFolders.h"
#include "dictionaries/DictionaryPane.h"
#include "platform/testing/FakeServices.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {
const QString kGridIndex = "Indice de grille hors limites";
const QStringList kHeaders{"<_AUTEUR>=", "<_TITRE>=", "<_CODE>="};
} // namespace

class TestDictionaryPages : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;
    TForm1* m_form = nullptr;

    DictionaryPane* pane(const QString& name) const { return m_form->findChild<DictionaryPane*>(name); }
    QStringList lines(const QString& name) const { return pane(name)->lines().Lines(); }
    void setLines(const QString& name, const QStringList& lines)
    {
        pane(name)->lines().ClearLines();
        for (const QString& line : lines)
            pane(name)->lines().AddLine(line);
    }
    void trigger(const QString& item) { m_form->findChild<QAction*>(item)->trigger(); }
    int pageOf(DictionaryPane* grid) const
    {
        for (int page = 0; page < m_form->PageControl_DICOS->count(); ++page)
            if (m_form->PageControl_DICOS->widget(page)->isAncestorOf(grid))
                return page;
        return -1;
    }
    // The cell gets the cursor with the focus in its grid, as a click would.
    void enterCell(const QString& name, int row, int column)
    {
        DictionaryPane* grid = pane(name);
        TForm1::selectPageQuietly(m_form->PageControl_DICOS, pageOf(grid));
        grid->setFocus();
        grid->SetCurrentCell(row, column);
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused == grid || grid->isAncestorOf(focused));
    }
    QPoint cellCentre(const QString& name, int row, int column) const
    {
        DictionaryPane* grid = pane(name);
        return grid->visualRect(grid->model().index(row - 1, column)).center();
    }
    // The user's choice of a tab.
    void pickPage(int page)
    {
        QTabBar* tabs = m_form->PageControl_DICOS->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
        QCOMPARE(m_form->PageControl_DICOS->currentIndex(), page);
    }
    bool written(const QString& name) const { return QFile::exists(WorkDir() + name); }

private slots:
    void init()
    {
        m_window = std::make_unique<WindowFixture>();
        m_form = &m_window->open();
        m_form->AUTO_SAVE->setChecked(false);
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
    }
    void cleanup()
    {
        m_window.reset();
    }

    void deleteTakesTheRememberedRow_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QString>("shownIn"); // where a cell was last shown; none since start when empty
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("error");

        QTest::newRow("external, nothing shown since start")
            << "MenuItem2" << "ValueListEditor_EXT" << "" << 0 << kHeaders << kGridIndex;
        QTest::newRow("internal, nothing shown since start")
            << "mnu_IN_DEL" << "ValueListEditor_INT" << "" << 0 << kHeaders << kGridIndex;
        QTest::newRow("external, its own row")
            << "MenuItem2" << "ValueListEditor_EXT" << "ValueListEditor_EXT" << 2
            << QStringList{"<_AUTEUR>=", "<_CODE>="} << "";
        QTest::newRow("internal, a row shown in another grid")
            << "mnu_IN_DEL" << "ValueListEditor_INT" << "ValueListEditor_EXT" << 3
            << QStringList{"<_AUTEUR>=", "<_TITRE>="} << "";
        QTest::newRow("beyond the last line")
            << "MenuItem2" << "ValueListEditor_EXT" << "ValueListEditor_SANVOR" << 8 << kHeaders << kGridIndex;
    }
    void deleteTakesTheRememberedRow()
    {
        QFETCH(QString, item);
        QFETCH(QString, grid);
        QFETCH(QString, shownIn);
        QFETCH(int, row);
        QFETCH(QString, error);
        if (!shownIn.isEmpty())
            enterCell(shownIn, row, 1);

        trigger(item);
        QTEST(lines(grid), "expected");
        QCOMPARE(m_window->fakes.dialogs.errors, error.isEmpty() ? std::vector<QString>() : std::vector<QString>{error});
    }

    void rightClickOnTheEditedCellOpensTheGridMenu_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QString>("menu");
        QTest::newRow("external") << "ValueListEditor_EXT" << "Pop_DICext";
        QTest::newRow("internal") << "ValueListEditor_INT" << "Pop_DIint";
        QTest::newRow("Sanvor") << "ValueListEditor_SANVOR" << "Pop_SANVOR";
    }
    void rightClickOnTheEditedCellOpensTheGridMenu()
    {
        QFETCH(QString, grid);
        QFETCH(QString, menu);
        enterCell(grid, 2, 1);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        // A line edit's own menu would run a loop of its own: closed from there.
        QString shown;
        QTimer::singleShot(0, this, [&shown] {
            if (QWidget* popUp = QApplication::activePopupWidget()) {
                shown = popUp->objectName();
                popUp->close();
            }
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), editor->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(editor, &click);
        QTRY_COMPARE(shown, menu);
        QCOMPARE(pane(grid)->CurrentRow(), 2);
    }

    void doubleClickPastesTheClipboard_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("external, clipboard text")
            << "ValueListEditor_EXT" << "12" << QStringList{"<_AUTEUR>=", "<_TITRE>=12", "<_CODE>="};
        QTest::newRow("internal, empty clipboard")
            << "ValueListEditor_INT" << "" << QStringList{"<_AUTEUR>=", "<_TITRE>=", "<_CODE>="};
    }
    void doubleClickPastesTheClipboard()
    {
        QFETCH(QString, grid);
        QFETCH(QString, clipboard);
        pane(grid)->lines().SetValueOf("<_TITRE>", "old");
        enterCell(grid, 1, 0);
        m_window->fakes.clipboard.contents = clipboard;

        QTest::mouseDClick(pane(grid)->viewport(), Qt::LeftButton, {}, cellCentre(grid, 2, 1));
        QTEST(lines(grid), "expected");
        QVERIFY(m_window->fakes.dialogs.errors.empty());
    }

    void doubleClickBeyondTheLastLineChangesNothing()
    {
        enterCell("ValueListEditor_SANVOR", 8, 0);
        m_window->fakes.clipboard.contents = "12";
        emit m_form->ValueListEditor_EXT->gridDoubleClicked();
        QCOMPARE(lines("ValueListEditor_EXT"), kHeaders);
        QCOMPARE(m_window->fakes.dialogs.errors, std::vector<QString>{"Index de liste hors limites (7)"});
    }

    void clickChoosesTheDictionaryKind_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("kind");
        QTest::newRow("external") << "ValueListEditor_EXT" << 0;
        QTest::newRow("internal") << "ValueListEditor_INT" << 0;
        QTest::newRow("Sanvor keeps the kind") << "ValueListEditor_SANVOR" << 3;
    }
    void clickChoosesTheDictionaryKind()
    {
        QFETCH(QString, grid);
        TForm1::selectPageQuietly(m_form->PageControl_DICOS, pageOf(pane(grid)));
        m_form->TabSet1->setCurrentIndex(3);
        QTest::mouseClick(pane(grid)->viewport(), Qt::LeftButton, {}, cellCentre(grid, 2, 0));
        QTEST(m_form->TabSet1->currentIndex(), "kind");
    }

    void popUpItems_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QStringList>("expected");
        const QStringList byKey{"A=3", "B=1", "C=2"};
        const QStringList byValue{"B=1", "C=2", "A=3"};
        QTest::newRow("external, Ajouter") << "MenuItem1" << "ValueListEditor_EXT" << QStringList{"B=1", "A=3", "C=2", ""};
        QTest::newRow("external, Purger la liste") << "Purgerlaliste1" << "ValueListEditor_EXT" << QStringList();
        QTest::newRow("external, by key") << "Rier1" << "ValueListEditor_EXT" << byKey;
        QTest::newRow("external, by value") << "rierparValeur1" << "ValueListEditor_EXT" << byValue;
        QTest::newRow("internal, Ajouter") << "mnu_IN_ADD" << "ValueListEditor_INT" << QStringList{"B=1", "A=3", "C=2", ""};
        QTest::newRow("internal, Purger") << "Purgerlaliste2" << "ValueListEditor_INT" << QStringList();
        QTest::newRow("internal, by key") << "RierparCl1" << "ValueListEditor_INT" << byKey;
        QTest::newRow("internal, by value") << "RierparValeur2" << "ValueListEditor_INT" << byValue;
        QTest::newRow("fusion, by key") << "MenuItem8" << "ValueListEditor_FUSION" << byKey;
        QTest::newRow("fusion, by value") << "MenuItem9" << "ValueListEditor_FUSION" << byValue;
        QTest::newRow("Sanvor, by key") << "rierparcl2" << "ValueListEditor_SANVOR" << byKey;
        QTest::newRow("Sanvor, by value") << "rierparvaleur3" << "ValueListEditor_SANVOR" << byValue;
    }
    void popUpItems()
    {
        QFETCH(QString, item);
        QFETCH(QString, grid);
        const QStringList start{"B=1", "A=3", "C=2"};
        const QStringList grids{"ValueListEditor_EXT", "ValueListEditor_INT", "ValueListEditor_FUSION",
                                "ValueListEditor_SANVOR"};
        for (const QString& name : grids)
            setLines(name, start);

        trigger(item);
        QTEST(lines(grid), "expected");
        for (const QString& name : grids)
            if (name != grid)
                QCOMPARE(lines(name), start);
    }

    void sanvorQuestion_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("error");
        QTest::newRow("typed question") << std::optional<QString>("  date de naissance ") << "<DATE_DE_NAISSANCE>="
                                        << "";
        QTest::newRow("cancelled") << std::optional<QString>() << "" << "";
        QTest::newRow("key already there") << std::optional<QString>("nom") << ""
                                           << "Une clé nommée \"<NOM>\" existe déjà";
    }
    void sanvorQuestion()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, added);
        QFETCH(QString, error);
        const QStringList before = lines("ValueListEditor_SANVOR");
        m_window->fakes.dialogs.inputAnswers.push_back(answer);

        trigger("Ajouter1");
        QCOMPARE(m_window->fakes.dialogs.inputs.size(), size_t(1));
        QCOMPARE(m_window->fakes.dialogs.inputs[0].title, QString("Ajouter une Question"));
        QCOMPARE(m_window->fakes.dialogs.inputs[0].prompt, QString("QUESTION"));
        QCOMPARE(m_window->fakes.dialogs.inputs[0].value, QString());
        QCOMPARE(lines("ValueListEditor_SANVOR"), added.isEmpty() ? before : before + QStringList{added});
        QCOMPARE(m_window->fakes.dialogs.errors, error.isEmpty() ? std::vector<QString>() : std::vector<QString>{error});
    }

    void pageChangeFollowsWithTheOtherTabs_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("scriptPage");
        QTest::addColumn<int>("sideTab");
        // Before: script page 2 (0 for the page 2), side tab "Dico.INT".
        QTest::newRow("external") << 0 << 0 << 0;
        QTest::newRow("internal") << 1 << 1 << 1;
        QTest::newRow("fusion") << 2 << 2 << 1;
        QTest::newRow("Sanvor") << 3 << 2 << 1;
    }
    void pageChangeFollowsWithTheOtherTabs()
    {
        QFETCH(int, page);
        m_form->TabSet2->setCurrentIndex(page == 1 ? 0 : 1);
        m_form->TabSet1->setCurrentIndex(2);
        TForm1::selectPageQuietly(m_form->PageControl_DICOS, page == 0 ? 1 : 0);
        TForm1::selectPageQuietly(m_form->PageControl_SCRIPTS, page == 2 ? 0 : 2);

        pickPage(page);
        QTEST(m_form->PageControl_SCRIPTS->currentIndex(), "scriptPage");
        QCOMPARE(m_form->TabSet1->currentIndex(), 0);
        QTEST(m_form->TabSet2->currentIndex(), "sideTab");
        QVERIFY(m_window->fakes.dialogs.errors.empty());
    }

    void externalPageGivesItsLabel_data()
    {
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty author takes the label") << "" << "DUPONT";
        QTest::newRow("author kept") << "Moi" << "Moi";
    }
    void externalPageGivesItsLabel()
    {
        QFETCH(QString, author);
        TForm1::selectPageQuietly(m_form->PageControl_DICOS, 3);
        m_form->ValueListEditor_EXT->SetPageLabel("DUPONT");
        m_form->ValueListEditor_EXT->lines().SetValueOf("<_AUTEUR>", author);

        pickPage(0);
        QCOMPARE(m_form->SKRIVO_EXT->PageLabel(), QString("DUPONT"));
        QTEST(m_form->ValueListEditor_EXT->lines().ValueOf("<_AUTEUR>"), "expected");
    }

    void internalPageCompletesTheDictionary_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty headers filled")
            << "" << QStringList{"<_AUTEUR>=MOI", "<_TITRE>=T1", "<_CODE>=C1", "<NOM>=x", "<AGE>="};
        QTest::newRow("a title of its own kept")
            << "Mien" << QStringList{"<_AUTEUR>=MOI", "<_TITRE>=Mien", "<_CODE>=C1", "<NOM>=x", "<AGE>="};
    }
    void internalPageCompletesTheDictionary()
    {
        QFETCH(QString, title);
        setLines("ValueListEditor_EXT", {"<_AUTEUR>=LUI", "<_TITRE>=T1", "<_CODE>=C1", "<NOM>=n", "<AGE>=a"});
        setLines("ValueListEditor_INT", {"<_AUTEUR>=", "<_TITRE>=" + title, "<_CODE>=", "<NOM>=x"});
        m_form->ValueListEditor_INT->SetPageLabel("MOI");

        pickPage(1);
        QTEST(lines("ValueListEditor_INT"), "expected");
        QCOMPARE(m_form->SKRIVO_INT->PageLabel(), QString("MOI"));
    }

    void fusionPageGeneratesTheFusion()
    {
        setLines("ValueListEditor_EXT", {"<NOM>=A1"});
        setLines("ValueListEditor_INT", {"<nom>=B1"});
        setLines("ValueListEditor_FUSION", {"old=1"});
        pickPage(2);
        QCOMPARE(lines("ValueListEditor_FUSION"), QStringList{"A1=B1"});
    }

    void sanvorPageChangesNoDictionary()
    {
        setLines("ValueListEditor_EXT", {"<NOM>=A1", "<_AUTEUR>="});
        setLines("ValueListEditor_INT", {"<NOM>=B1"});
        TForm1::selectPageQuietly(m_form->PageControl_SCRIPTS, 1);
        const QStringList grids{"ValueListEditor_EXT", "ValueListEditor_INT", "ValueListEditor_FUSION",
                                "ValueListEditor_SANVOR"};
        QList<QStringList> before;
        for (const QString& name : grids)
            before << lines(name);

        pickPage(3);
        for (int i = 0; i < grids.size(); ++i)
            QCOMPARE(lines(grids[i]), before[i]);
        QCOMPARE(m_form->PageControl_SCRIPTS->currentIndex(), 1);
    }

    void pageSelectedByCodeRunsNoStep()
    {
        setLines("ValueListEditor_EXT", {"<NOM>=A1", "<AGE>=a"});
        setLines("ValueListEditor_INT", {"<NOM>=B1"});
        m_form->TabSet1->setCurrentIndex(3);
        TForm1::selectPageQuietly(m_form->PageControl_DICOS, 2);
        TForm1::selectPageQuietly(m_form->PageControl_DICOS, 1);
        QCOMPARE(lines("ValueListEditor_FUSION"), QStringList());
        QCOMPARE(lines("ValueListEditor_INT"), QStringList{"<NOM>=B1"});
        QCOMPARE(m_form->PageControl_SCRIPTS->currentIndex(), 0);
        QCOMPARE(m_form->TabSet1->currentIndex(), 3);
    }

    void leavingSaves_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<bool>("autoSave");
        QTest::addColumn<bool>("toCheckBox");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("external, ticked") << "ValueListEditor_EXT" << true << false
                                          << QStringList{"Externe.DICO", "~SANVOR.DICO"};
        QTest::newRow("external, unticked") << "ValueListEditor_EXT" << false << false << QStringList();
        QTest::newRow("internal, ticked") << "ValueListEditor_INT" << true << false
                                          << QStringList{"Interne.DICO", "~SANVOR.DICO"};
        QTest::newRow("internal, unticked") << "ValueListEditor_INT" << false << false << QStringList();
        QTest::newRow("fusion page, ticked") << "ValueListEditor_FUSION" << true << false
                                             << QStringList{"~SANVOR.DICO"};
        QTest::newRow("external for the check box") << "ValueListEditor_EXT" << true << true
                                                    << QStringList{"Externe.DICO", "~SANVOR.DICO"};
    }
    void leavingSaves()
    {
        QFETCH(QString, grid);
        QFETCH(bool, autoSave);
        QFETCH(bool, toCheckBox);
        QFETCH(QStringList, files);
        m_form->ValueListEditor_EXT->lines().AddLine(" <NOM> =DUPONT : nom");
        enterCell(grid, 1, 0);
        m_form->AUTO_SAVE->setChecked(autoSave);

        if (toCheckBox)
            m_form->AUTO_SAVE->setFocus();
        else
            m_form->SKRIVO_EXT->setFocus();
        QVERIFY(m_window->fakes.dialogs.errors.empty());
        for (const char* name : {"Externe.DICO", "Interne.DICO", "~SANVOR.DICO"})
            QCOMPARE(written(name), files.contains(name));
        // The external save compresses every dictionary first.
        const bool compressed = files.contains("Externe.DICO") || files.contains("Interne.DICO");
        QCOMPARE(lines("ValueListEditor_EXT").last(), compressed ? QString("<NOM>=DUPONT ") : QString(" <NOM> =DUPONT : nom"));
    }

    void gridIsLeftBeforeThePageControl()
    {
        for (const char* name : {"Externe.DICO", "~SANVOR.DICO"})
            QVERIFY(QDir().mkdir(WorkDir() + name)); // neither file can be written
        enterCell("ValueListEditor_EXT", 2, 1);
        m_form->AUTO_SAVE->setChecked(true);

        m_form->SKRIVO_EXT->setFocus();
        QCOMPARE(m_window->fakes.dialogs.errors.size(), size_t(2));
        QVERIFY(m_window->fakes.dialogs.errors[0].startsWith(QString("Impossible de créer le fichier \"%1Externe.DICO\".").arg(WorkDir())));
        QVERIFY(m_window->fakes.dialogs.errors[1].startsWith(QString("Impossible de créer le fichier \"%1~SANVOR.DICO\".").arg(WorkDir())));
    }

    void pickingATabLeavesTheGridFirst()
    {
        // The save fails, then the page change fails: the order of the messages is the order of the steps.
        QVERIFY(QDir().mkdir(WorkDir() + "Externe.DICO"));
        m_form->ValueListEditor_EXT->lines().AddLine("<AGE>=a");
        m_form->ValueListEditor_INT->lines().AddLine("<age>=");
        enterCell("ValueListEditor_EXT", 1, 1);
        m_form->AUTO_SAVE->setChecked(true);

        pickPage(1);
        QCOMPARE(m_window->fakes.dialogs.errors.size(), size_t(2));
        QVERIFY(m_window->fakes.dialogs.errors[0].startsWith("Impossible de créer le fichier"));
        QCOMPARE(m_window->fakes.dialogs.errors[1], QString("Une clé nommée \"<AGE>\" existe déjà"));
        QVERIFY(!written("~SANVOR.DICO")); // the focus stayed in the page control
    }

    void rightPressRenamesThePageShown_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("author");
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("title"); // empty: no input box
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("expectedAuthor");
        QTest::newRow("external") << 0 << "" << std::optional<QString>("DUPONT") << "Renommer l'étiquette de la page 1"
                                  << "DIC EXTERNE" << "DUPONT" << "DUPONT";
        QTest::newRow("internal, kept as typed") << 1 << "" << std::optional<QString>(" moi ")
                                                 << "Renommer l'étiquette de la page 2" << "DIC INTERNE" << " moi "
                                                 << " moi ";
        QTest::newRow("author kept") << 0 << "Lui" << std::optional<QString>("DUPONT")
                                     << "Renommer l'étiquette de la page 1" << "DIC EXTERNE" << "DUPONT" << "Lui";
        QTest::newRow("empty label") << 0 << "" << std::optional<QString>("") << "Renommer l'étiquette de la page 1"
                                     << "DIC EXTERNE" << "" << "";
        QTest::newRow("cancelled") << 1 << "" << std::optional<QString>() << "Renommer l'étiquette de la page 2"
                                   << "DIC INTERNE" << "Interne" << "";
        QTest::newRow("fusion page") << 2 << "" << std::optional<QString>("X") << "" << "" << "" << "";
        QTest::newRow("Sanvor page") << 3 << "" << std::optional<QString>("X") << "" << "" << "" << "";
    }
    void rightPressRenamesThePageShown()
    {
        QFETCH(int, page);
        QFETCH(QString, author);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, title);
        QFETCH(QString, prompt);
        TForm1::selectPageQuietly(m_form->PageControl_DICOS, page);
        DictionaryPane* grid = page == 1 ? m_form->ValueListEditor_INT : m_form->ValueListEditor_EXT;
        const QString before = grid->PageLabel();
        grid->lines().SetValueOf("<_AUTEUR>", author);
        m_window->fakes.dialogs.inputAnswers.push_back(answer);

        // On another tab than the page shown: the page shown counts.
        QTabBar* tabs = m_form->PageControl_DICOS->tabBar();
        QTest::mouseClick(tabs, Qt::RightButton, {}, tabs->tabRect(3 - page).center());
        QCOMPARE(m_form->PageControl_DICOS->currentIndex(), page);
        if (title.isEmpty()) {
            QVERIFY(m_window->fakes.dialogs.inputs.empty());
            QCOMPARE(grid->PageLabel(), before);
            return;
        }
        QCOMPARE(m_window->fakes.dialogs.inputs.size(), size_t(1));
        QCOMPARE(m_window->fakes.dialogs.inputs[0].title, title);
        QCOMPARE(m_window->fakes.dialogs.inputs[0].prompt, prompt);
        QCOMPARE(m_window->fakes.dialogs.inputs[0].value, before);
        QTEST(grid->PageLabel(), "label");
        QTEST(m_form->PageControl_DICOS->tabText(page), "label");
        QTEST(grid->lines().ValueOf("<_AUTEUR>"), "expectedAuthor");
    }

    void emptyLabelSavesUnderTheStateFile()
    {
        m_window->fakes.dialogs.inputAnswers.push_back(QString());
        QTabBar* tabs = m_form->PageControl_DICOS->tabBar();
        QTest::mouseClick(tabs, Qt::RightButton, {}, tabs->tabRect(0).center());
        QCOMPARE(m_form->ValueListEditor_EXT->PageLabel(), QString());
        m_form->action("DICO_EXT_SAVE")->trigger();
        QVERIFY(written("~EXTERNE.DICO"));
    }
};

QTEST_MAIN(TestDictionaryPages)
#include "TestDictionaryPages.moc"
