#include "scripts/translation/SearchableText.h"

#include <QRandomGenerator>
#include <QTest>

using namespace polyx;

namespace {
// What a replace-all meets, found the slow and obvious way.
QList<qsizetype> SlowOccurrences(const QString& text, const QString& code)
{
    QList<qsizetype> positions;
    for (qsizetype at = text.indexOf(code, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(code, at + code.size(), Qt::CaseInsensitive))
        positions.append(at);
    return positions;
}

QString SlowReplaced(const QString& text, const QList<qsizetype>& positions, qsizetype length,
                     const QString& replacement)
{
    QString result = text;
    for (qsizetype i = positions.size() - 1; i >= 0; --i)
        result.replace(positions.at(i), length, replacement);
    return result;
}

QString RandomText(QRandomGenerator& random, qsizetype size)
{
    // Few letters in both cases, so that codes occur often and overlap.
    static const QString alphabet = QStringLiteral("aAbBéÉ ") + QChar(0x212A) + u'k';
    QString text;
    for (qsizetype i = 0; i < size; ++i)
        text += alphabet.at(random.bounded(int(alphabet.size())));
    return text;
}
} // namespace

class SearchableTextTest : public QObject {
    Q_OBJECT
private slots:
    void occurrences_data();
    void occurrences();
    void agreesWithQStringOverManyEdits();
};

void SearchableTextTest::occurrences_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QList<qsizetype>>("positions");
    QTest::addColumn<bool>("exact");

    QTest::newRow("any case") << "Nom NOM nom" << "NOM" << QList<qsizetype>{0, 4, 8} << true;
    QTest::newRow("other case only") << "Nom nom" << "NOM" << QList<qsizetype>{0, 4} << false;
    QTest::newRow("no overlap") << "aaaa" << "aa" << QList<qsizetype>{0, 2} << true;
    QTest::newRow("exact inside an overlap") << "Aaa" << "aa" << QList<qsizetype>{0} << true;
    QTest::newRow("absent character") << "abc" << "abz" << QList<qsizetype>{} << false;
    QTest::newRow("empty code") << "abc" << "" << QList<qsizetype>{} << false;
    QTest::newRow("one character") << "xXx" << "x" << QList<qsizetype>{0, 1, 2} << true;
    QTest::newRow("longer than the text") << "ab" << "abc" << QList<qsizetype>{} << false;
    QTest::newRow("whole text") << "Code" << "CODE" << QList<qsizetype>{0} << false;
    // Wider than one pass of the scan, with matches at its edges.
    QTest::newRow("long text") << "NOM.....NOMnom.........................NOM" << "nom"
                               << QList<qsizetype>{0, 8, 11, 39} << true;
}

void SearchableTextTest::occurrences()
{
    QFETCH(QString, text);
    QFETCH(QString, code);
    QFETCH(QList<qsizetype>, positions);
    QFETCH(bool, exact);

    const SearchableText searchable(text);
    QCOMPARE(searchable.occurrencesIgnoringCase(code), positions);
    QCOMPARE(searchable.containsExactly(code), exact);
}

void SearchableTextTest::agreesWithQStringOverManyEdits()
{
    QRandomGenerator random(20240305);
    for (int round = 0; round < 40; ++round) {
        QString expected = RandomText(random, 1 + random.bounded(300));
        SearchableText text(expected);
        for (int edit = 0; edit < 30; ++edit) {
            const QString code = RandomText(random, 1 + random.bounded(4));
            const QString replacement = RandomText(random, random.bounded(6));
            const QList<qsizetype> positions = SlowOccurrences(expected, code);
            QCOMPARE(text.containsExactly(code), expected.contains(code));
            QCOMPARE(text.occurrencesIgnoringCase(code), positions);
            text.replace(positions, code.size(), replacement);
            expected = SlowReplaced(expected, positions, code.size(), replacement);
            QCOMPARE(text.text(), expected);
        }
    }
}

QTEST_GUILESS_MAIN(SearchableTextTest)
#include "TestSearchableText.moc"
