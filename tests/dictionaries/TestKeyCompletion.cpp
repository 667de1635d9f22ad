#include "tests/support/DictionaryFilling.h"
#include "tests/support/ErrorMessage.h"

#include "dictionaries/KeyCompletion.h"

#include <QtTest>

using polyx::DictionaryLines;

class TestKeyCompletion : public QObject {
    Q_OBJECT

private slots:
    void appendMissingKeys_data();
    void appendMissingKeys();
    void completesInternalFromExternalKeys();
};

void TestKeyCompletion::appendMissingKeys_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("error");

    QTest::newRow("only the missing key") << QStringList{"<NOM>=x"} << QStringList{"<NOM>", "<AGE>"}
                                          << QStringList{"<NOM>=x", "<AGE>="} << "";
    QTest::newRow("found inside a value") << QStringList{"<X>=voir <NOM>"} << QStringList{"<NOM>"}
                                          << QStringList{"<X>=voir <NOM>"} << "";
    QTest::newRow("repeated key appended once") << QStringList() << QStringList{"<A>", "<B>", "<A>"}
                                                << QStringList{"<A>=", "<B>="} << "";
    QTest::newRow("empty key always appended") << QStringList{"=x"} << QStringList{"", ""}
                                               << QStringList{"=x", "=", "="} << "";
    QTest::newRow("no keys") << QStringList{"<A>=1"} << QStringList() << QStringList{"<A>=1"} << "";
    QTest::newRow("other capitals stop it")
        << QStringList{"<Nom>=x"} << QStringList{"<AGE>", "<NOM>", "<DDN>"} << QStringList{"<Nom>=x", "<AGE>="}
        << "Une clé nommée \"<NOM>\" existe déjà";
}

void TestKeyCompletion::appendMissingKeys()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, expected);
    QFETCH(QString, error);
    DictionaryLines pane;
    fill(pane, lines);

    const QString message = errorOf([&] { polyx::AppendMissingKeys(pane, keys); });
    QCOMPARE(message, error);
    QCOMPARE(pane.Lines(), expected);
}

void TestKeyCompletion::completesInternalFromExternalKeys()
{
    DictionaryLines external, internal;
    fill(external, {"<NOM>=A1", "<AGE>=A2", "sans egal", "<_CODE>=7"});
    fill(internal, {"<NOM>=B1", "<_CODE>="});

    polyx::AppendMissingKeys(internal, external.Keys());
    QCOMPARE(internal.Lines(), (QStringList{"<NOM>=B1", "<_CODE>=", "<AGE>=", "="}));
}

QTEST_GUILESS_MAIN(TestKeyCompletion)
#include "TestKeyCompletion.moc"
