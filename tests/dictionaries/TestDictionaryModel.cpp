#include "tests/support/DictionaryFilling.h"

#include "dictionaries/DictionaryModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using polyx::DictionaryLines;
using polyx::DictionaryModel;

namespace {

using Operation = std::function<void(DictionaryLines&)>;

// One model under the checks of QAbstractItemModelTester, with spies on
// the signals a view follows.
struct Fixture {
    explicit Fixture(const QStringList& lines)
    {
        fill(pane, lines);
        model = std::make_unique<DictionaryModel>(pane);
        tester = std::make_unique<QAbstractItemModelTester>(
            model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        inserted = std::make_unique<QSignalSpy>(model.get(), &QAbstractItemModel::rowsInserted);
        removed = std::make_unique<QSignalSpy>(model.get(), &QAbstractItemModel::rowsRemoved);
        changed = std::make_unique<QSignalSpy>(model.get(), &QAbstractItemModel::dataChanged);
        reset = std::make_unique<QSignalSpy>(model.get(), &QAbstractItemModel::modelReset);
        refused = std::make_unique<QSignalSpy>(model.get(), &DictionaryModel::editRefused);
    }
    QString cell(int row, int column) const { return model->index(row, column).data().toString(); }

    DictionaryLines pane;
    std::unique_ptr<DictionaryModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
    std::unique_ptr<QSignalSpy> inserted, removed, changed, reset, refused;
};

} // namespace

Q_DECLARE_METATYPE(Operation)

class TestDictionaryModel : public QObject {
    Q_OBJECT

private slots:
    void emptyPaneShowsOneBlankRow();
    void titlesAreTheHeader();
    void changesReachTheView_data();
    void changesReachTheView();
    void editing_data();
    void editing();
    void fusionGridIsNotEditable();
    void labelChangeIsSignalled();
};

void TestDictionaryModel::emptyPaneShowsOneBlankRow()
{
    Fixture f({});
    QCOMPARE(f.model->rowCount(), 1);
    QCOMPARE(f.model->columnCount(), 2);
    QCOMPARE(f.cell(0, 0), QString());
    QCOMPARE(f.cell(0, 1), QString());
    QVERIFY(f.model->flags(f.model->index(0, 0)) & Qt::ItemIsEditable);
}

void TestDictionaryModel::titlesAreTheHeader()
{
    DictionaryLines pane("Chercher", "Remplacer");
    pane.AddLine("A1=B1");
    DictionaryModel model(pane);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("Chercher"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("Remplacer"));
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0, 0).data().toString(), QString("A1"));
    QCOMPARE(model.index(0, 1).data().toString(), QString("B1"));
}

void TestDictionaryModel::changesReachTheView_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("signal");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("rows");

    const QStringList two{"A=1", "B=2"};
    QTest::newRow("append") << two << Operation([](DictionaryLines& p) { p.AddLine("C=3"); })
                            << "inserted" << 2 << 3;
    QTest::newRow("insert") << two << Operation([](DictionaryLines& p) { p.InsertLine(1, "="); })
                            << "inserted" << 0 << 3;
    QTest::newRow("first line takes the blank row")
        << QStringList() << Operation([](DictionaryLines& p) { p.AddLine("A=1"); }) << "changed" << 0 << 1;
    QTest::newRow("delete") << two << Operation([](DictionaryLines& p) { p.DeleteRow(2); })
                            << "removed" << 1 << 1;
    QTest::newRow("last line leaves the blank row")
        << QStringList{"A=1"} << Operation([](DictionaryLines& p) { p.DeleteRow(1); }) << "changed" << 0 << 1;
    QTest::newRow("value of a key") << two << Operation([](DictionaryLines& p) { p.SetValueOf("b", "9"); })
                                    << "changed" << 1 << 2;
    QTest::newRow("key at a row") << two << Operation([](DictionaryLines& p) { p.SetKeyAt(1, "Z"); })
                                  << "changed" << 0 << 2;
    QTest::newRow("clear") << two << Operation([](DictionaryLines& p) { p.ClearLines(); }) << "reset" << -1 << 1;
    QTest::newRow("sort") << two << Operation([](DictionaryLines& p) { p.SortByValue(); }) << "reset" << -1 << 2;
}

void TestDictionaryModel::changesReachTheView()
{
    QFETCH(QStringList, lines);
    QFETCH(Operation, operation);
    QFETCH(QString, signal);
    QFETCH(int, row);
    QFETCH(int, rows);
    Fixture f(lines);

    operation(f.pane);
    QCOMPARE(f.model->rowCount(), rows);
    const QMap<QString, QSignalSpy*> spies{
        {"inserted", f.inserted.get()}, {"removed", f.removed.get()},
        {"changed", f.changed.get()}, {"reset", f.reset.get()}};
    for (auto it = spies.cbegin(); it != spies.cend(); ++it)
        QCOMPARE(it.value()->count(), it.key() == signal ? 1 : 0);
    if (row >= 0) {
        const QList<QVariant> args = spies[signal]->first();
        QCOMPARE(signal == "changed" ? args.at(0).value<QModelIndex>().row() : args.at(1).toInt(), row);
    }
}

void TestDictionaryModel::editing_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("error");

    const QStringList two{"A=1", "B=2"};
    QTest::newRow("key into the blank row") << QStringList() << 0 << 0 << "<NOM>" << QStringList{"<NOM>="} << "";
    QTest::newRow("value into the blank row") << QStringList() << 0 << 1 << "x" << QStringList{"=x"} << "";
    QTest::newRow("nothing into the blank row") << QStringList() << 0 << 0 << "" << QStringList() << "";
    QTest::newRow("= into the blank row")
        << QStringList() << 0 << 0 << "a=b" << QStringList() << "La clé ne doit pas contenir de signe égal (\"=\")";
    QTest::newRow("key") << two << 1 << 0 << "C" << QStringList{"A=1", "C=2"} << "";
    QTest::newRow("value") << two << 0 << 1 << "x=y" << QStringList{"A=x=y", "B=2"} << "";
    QTest::newRow("duplicate key") << two << 1 << 0 << "a" << two << "Une clé nommée \"a\" existe déjà";
    QTest::newRow("= in a key") << two << 1 << 0 << "=" << two << "La clé ne doit pas contenir de signe égal (\"=\")";
    QTest::newRow("value of a line without =")
        << QStringList{"nokey"} << 0 << 1 << "v" << QStringList{"=v"} << "";
}

void TestDictionaryModel::editing()
{
    QFETCH(QStringList, lines);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QFETCH(QString, error);
    Fixture f(lines);

    QCOMPARE(f.model->setData(f.model->index(row, column), text), error.isEmpty());
    QCOMPARE(f.pane.Lines(), expected);
    QCOMPARE(f.model->lastError(), error);
    QCOMPARE(f.refused->count(), error.isEmpty() ? 0 : 1);
    if (!error.isEmpty())
        QCOMPARE(f.refused->first().at(0).toString(), error);
}

void TestDictionaryModel::fusionGridIsNotEditable()
{
    Fixture f({"A1=B1"});
    f.model->setEditable(false);
    QVERIFY(!(f.model->flags(f.model->index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(!f.model->setData(f.model->index(0, 1), "x"));
    QCOMPARE(f.pane.Lines(), QStringList{"A1=B1"});
}

void TestDictionaryModel::labelChangeIsSignalled()
{
    Fixture f({});
    QSignalSpy labels(f.model.get(), &DictionaryModel::labelChanged);
    f.pane.SetPageLabel("DUPONT");
    f.pane.SetPageLabel("DUPONT");
    QCOMPARE(labels.count(), 1);
    QCOMPARE(labels.first().at(0).toString(), QString("DUPONT"));
}

QTEST_GUILESS_MAIN(TestDictionaryModel)
#include "TestDictionaryModel.moc"
