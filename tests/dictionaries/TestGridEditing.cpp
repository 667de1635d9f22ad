// Editing a dictionary grid with the keyboard, on an offscreen window.
#include "dictionaries/DictionaryPane.h"
#include "platform/testing/FakeServices.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A grid and a line edit above it, to take the focus away.
struct Grid {
    explicit Grid(const QStringList& lines, bool readOnly = false)
    {
        // The line edit comes first in the focus chain: it has the focus
        // when the window opens.
        auto* layout = new QVBoxLayout(&window);
        elsewhere = new QLineEdit(&window);
        pane = new DictionaryPane("grid", "Clé", "Valeur", QString(), &window);
        layout->addWidget(elsewhere);
        layout->addWidget(pane);
        for (const QString& line : lines)
            pane->lines().AddLine(line);
        if (readOnly)
            pane->setReadOnlyRows();
        window.resize(400, 300);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    void enter(int row, int column)
    {
        pane->setFocus();
        pane->SetCurrentCell(row, column);
    }
    QLineEdit* editor() const { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }
    QString shown(int row, int column) const
    {
        return pane->model().index(row - 1, column).data().toString();
    }

    platform::FakeServices fakes;
    QWidget window;
    DictionaryPane* pane = nullptr;
    QLineEdit* elsewhere = nullptr;
};

// "'text" types the text; anything else is a key sequence such as "Ctrl+Down".
void play(const QStringList& steps)
{
    for (const QString& step : steps) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY2(target, qPrintable(step));
        if (step.startsWith(u'\'')) {
            QTest::keyClicks(target, step.mid(1));
        } else {
            const QKeyCombination key = QKeySequence::fromString(step)[0];
            QTest::keyClick(target, key.key(), key.keyboardModifiers());
        }
    }
}

const QString kEquals = "La clé ne doit pas contenir de signe égal (\"=\")";

} // namespace

class TestGridEditing : public QObject {
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
    void typingIntoAnEmptyPaneCreatesTheFirstLine();
    void equalsSignIsRefusedAtOnce();
    void duplicateKeyIsJudgedWhenEditingEnds_data();
    void duplicateKeyIsJudgedWhenEditingEnds();
    void editorTellsTheCellItShows();
};

void TestGridEditing::keys_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("endRow");
    QTest::addColumn<int>("endColumn");

    const QStringList two{"A=1", "B=2"};
    const QStringList three{"A=1", "B=2", "C=3"};
    QTest::newRow("Insert above a line with a key")
        << false << two << 2 << 1 << QStringList{"Insert"} << QStringList{"A=1", "=", "B=2"} << 2 << 0;
    QTest::newRow("no Insert on a line without key")
        << false << QStringList{"A=1", "=x"} << 2 << 0 << QStringList{"Insert"} << QStringList{"A=1", "=x"} << 2 << 0;
    QTest::newRow("inserted line typed into stays")
        << false << two << 2 << 0 << QStringList{"Insert", "'C", "Down"} << QStringList{"A=1", "C=", "B=2"} << 3 << 0;
    QTest::newRow("inserted line left blank goes")
        << false << two << 2 << 0 << QStringList{"Insert", "Up"} << two << 1 << 0;
    QTest::newRow("Down on the last row appends")
        << false << QStringList{"A=1"} << 1 << 1 << QStringList{"Down"} << QStringList{"A=1", "="} << 2 << 1;
    QTest::newRow("no append below a line without key")
        << false << QStringList{"A=1", "=x"} << 2 << 0 << QStringList{"Down"} << QStringList{"A=1", "=x"} << 2 << 0;
    QTest::newRow("appended line left blank goes")
        << false << QStringList{"A=1"} << 1 << 0 << QStringList{"Down", "Up"} << QStringList{"A=1"} << 1 << 0;
    QTest::newRow("blank line passed over goes")
        << false << QStringList{"A=1", "", "B=2"} << 1 << 0 << QStringList{"Down", "Down"} << two << 2 << 0;
    QTest::newRow("Ctrl+Down goes to the last line")
        << false << three << 1 << 1 << QStringList{"Ctrl+Down"} << three << 3 << 1;
    QTest::newRow("Ctrl+Up goes to the first line")
        << false << three << 3 << 0 << QStringList{"Ctrl+Up"} << three << 1 << 0;
    QTest::newRow("Ctrl+Delete deletes the line")
        << false << three << 2 << 1 << QStringList{"Ctrl+Delete"} << QStringList{"A=1", "C=3"} << 2 << 1;
    QTest::newRow("Ctrl+Delete of the only line")
        << false << QStringList{"A=1"} << 1 << 0 << QStringList{"Ctrl+Delete"} << QStringList() << 1 << 0;
    QTest::newRow("Escape undoes the cell")
        << false << two << 1 << 1 << QStringList{"'23", "Escape"} << two << 1 << 1;
    QTest::newRow("Escape removes a blank line")
        << false << two << 2 << 0 << QStringList{"Insert", "Escape"} << two << 2 << 0;
    QTest::newRow("Escape restores the key before judging the line")
        << false << QStringList{"A=1", "B="} << 2 << 0 << QStringList{"Backspace", "Escape"}
        << QStringList{"A=1", "B="} << 2 << 0;
    QTest::newRow("Tab goes to the value") << false << two << 1 << 0 << QStringList{"Tab"} << two << 1 << 1;
    QTest::newRow("Tab goes to the next line") << false << two << 1 << 1 << QStringList{"Tab"} << two << 2 << 0;
    QTest::newRow("Tab from the last cell wraps") << false << two << 2 << 1 << QStringList{"Tab"} << two << 1 << 0;

    QTest::newRow("fusion: Insert") << true << two << 2 << 0 << QStringList{"Insert"}
                                    << QStringList{"A=1", "=", "B=2"} << 2 << 0;
    QTest::newRow("fusion: Down appends") << true << two << 2 << 0 << QStringList{"Down"}
                                          << QStringList{"A=1", "B=2", "="} << 3 << 0;
    QTest::newRow("fusion: blank line goes") << true << two << 2 << 0 << QStringList{"Down", "Up"} << two << 2 << 0;
    QTest::newRow("fusion: Ctrl+Delete") << true << two << 1 << 0 << QStringList{"Ctrl+Delete"}
                                         << QStringList{"B=2"} << 1 << 0;
}

void TestGridEditing::keys()
{
    QFETCH(bool, readOnly);
    QFETCH(QStringList, lines);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QStringList, steps);
    Grid grid(lines, readOnly);
    grid.enter(row, column);

    play(steps);
    QTEST(grid.pane->lines().Lines(), "expected");
    QTEST(grid.pane->CurrentRow(), "endRow");
    QTEST(grid.pane->currentIndex().column(), "endColumn");
    QVERIFY(grid.fakes.dialogs.errors.empty());
    if (readOnly) {
        QCOMPARE(QApplication::focusWidget(), grid.pane); // no cell editor
    } else {
        QVERIFY(grid.editor());
        QCOMPARE(grid.editor()->parentWidget(), grid.pane->viewport());
        QCOMPARE(grid.editor()->text(), grid.shown(grid.pane->CurrentRow(), grid.pane->currentIndex().column()));
    }
}

void TestGridEditing::typingIntoAnEmptyPaneCreatesTheFirstLine()
{
    Grid grid({});
    grid.enter(1, 0);
    play({"'<NOM>"});
    QCOMPARE(grid.pane->lines().Lines(), QStringList{"<NOM>="});
    play({"Tab", "'x"});
    QCOMPARE(grid.pane->lines().Lines(), QStringList{"<NOM>=x"});
}

void TestGridEditing::equalsSignIsRefusedAtOnce()
{
    Grid grid({"AB=1"});
    grid.enter(1, 0);
    play({"Left", "'="});
    QCOMPARE(grid.fakes.dialogs.errors, std::vector<QString>{kEquals});
    QCOMPARE(grid.editor()->text(), QString("AB"));
    QCOMPARE(grid.pane->lines().Lines(), QStringList{"AB=1"});
    // The cursor stays where the "=" was typed.
    play({"'x"});
    QCOMPARE(grid.pane->lines().Lines(), QStringList{"AxB=1"});
    QCOMPARE(grid.fakes.dialogs.errors.size(), size_t(1));
}

void TestGridEditing::duplicateKeyIsJudgedWhenEditingEnds_data()
{
    QTest::addColumn<QStringList>("typing");
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("error");

    // Every refusal brings back the key of the line when its editing began
    // (AB), not the last one accepted on the way (NO).
    const QString duplicate = "Une clé nommée \"NOM\" existe déjà";
    const QStringList retyped{"Backspace", "Backspace", "'NOM"};
    const QStringList kept{"nom=1", "AB=2"};
    QTest::newRow("refused on moving down") << retyped << "Down" << kept << duplicate;
    QTest::newRow("refused on Tab") << retyped << "Tab" << kept << duplicate;
    QTest::newRow("refused on Return") << retyped << "Return" << kept << duplicate;
    QTest::newRow("refused when the focus leaves") << retyped << "elsewhere" << kept << duplicate;
    QTest::newRow("a passing match is tolerated")
        << QStringList{"Backspace", "Backspace", "'NOMX"} << "Tab" << QStringList{"nom=1", "NOMX=2"} << QString();
}

void TestGridEditing::duplicateKeyIsJudgedWhenEditingEnds()
{
    QFETCH(QStringList, typing);
    QFETCH(QString, ending);
    QFETCH(QString, error);
    Grid grid({"nom=1", "AB=2"});
    grid.enter(2, 0);

    play(typing);
    QVERIFY(grid.fakes.dialogs.errors.empty());
    if (ending == "elsewhere")
        grid.elsewhere->setFocus();
    else
        play({ending});
    QCoreApplication::processEvents(); // the delegate ends an editing by Return later
    QTEST(grid.pane->lines().Lines(), "expected");
    QCOMPARE(grid.fakes.dialogs.errors, error.isEmpty() ? std::vector<QString>() : std::vector<QString>{error});
}

void TestGridEditing::editorTellsTheCellItShows()
{
    Grid grid({"A=1", "B=2"});
    QSignalSpy told(grid.pane, &DictionaryPane::editTextSet);
    grid.pane->SetCurrentCell(2, 1);
    QCOMPARE(told.count(), 0); // without the focus, no editor
    grid.pane->setFocus();
    QCOMPARE(told.count(), 1);
    QCOMPARE(told.last(), (QList<QVariant>{1, 2, "2"}));
    play({"End", "'x"}); // the editor opens with its text selected
    QCOMPARE(told.last(), (QList<QVariant>{1, 2, "2x"}));
    play({"Up"});
    QCOMPARE(told.last(), (QList<QVariant>{1, 1, "1"}));
}

QTEST_MAIN(TestGridEditing)
#include "TestGridEditing.moc"
