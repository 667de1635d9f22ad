#include "tests/support/DictionaryFilling.h"
#include "tests/support/ErrorMessage.h"
#include "tests/support/FileBytes.h"

#include "dictionaries/DictionaryLines.h"
#include "dictionaries/KeyCollation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using polyx::DictionaryLines;
using polyx::TextEncoding;

Q_DECLARE_METATYPE(polyx::TextEncoding)

namespace {

QString duplicate(const QString& key)
{
    return QString("Une clé nommée \"%1\" existe déjà").arg(key);
}

// The first line of every load error.
QString inFile(const QString& path)
{
    return QString("Fichier \"%1\" :\r\n").arg(QDir::toNativeSeparators(path));
}

const QStringList kMixed{"A=1", "X=1=2", "nokey", "=v", "<NOM> =espace", "nokey"};

} // namespace

class TestDictionaryLines : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void rowsOfAnEmptyPane();
    void keyAndValueAt_data();
    void keyAndValueAt();
    void valueOf_data();
    void valueOf();
    void addLine_data();
    void addLine();
    void setKeyAt_data();
    void setKeyAt();
    void setValueOf_data();
    void setValueOf();
    void setValueOfKeepsKeysUnique();
    void deleteRow_data();
    void deleteRow();
    void insertLine();
    void allText();
    void sortByKey();
    void sortByValueKeepsEqualValues();
    void lookupsFollowEveryChange();
    void loadReplacesLinesAndEncoding_data();
    void loadReplacesLinesAndEncoding();
    void duplicateKeyLoadLeavesPaneUnchanged();
    void failedOpenLeavesPaneUnchanged();
    void saveRoundTripIsByteExact_data();
    void saveRoundTripIsByteExact();
    void clearedUtf8PaneWritesOnlyTheMark();
    void saveFallsBackToUtf8AndRemembersIt();
    void failedSaveKeepsEncodingAndOldFile();
    void loadsTwentyThousandLines();
};

void TestDictionaryLines::rowsOfAnEmptyPane()
{
    DictionaryLines pane("Chercher", "Remplacer");
    QCOMPARE(pane.KeyAt(0), QString("Chercher"));
    QCOMPARE(pane.ValueAt(0), QString("Remplacer"));
    QCOMPARE(pane.KeyAt(1), QString());
    QCOMPARE(pane.KeyAt(7), QString());
    QCOMPARE(pane.Count(), 0);
    QCOMPARE(pane.Encoding(), TextEncoding::Ansi);
}

void TestDictionaryLines::keyAndValueAt_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("error");

    QTest::newRow("title row") << 0 << "Clé" << "Valeur" << "";
    QTest::newRow("plain line") << 1 << "A" << "1" << "";
    QTest::newRow("value holds =") << 2 << "X" << "1=2" << "";
    QTest::newRow("no = shows whole text") << 3 << "" << "nokey" << "";
    QTest::newRow("begins with =") << 4 << "" << "v" << "";
    QTest::newRow("blank kept") << 5 << "<NOM> " << "espace" << "";
    QTest::newRow("beyond the last") << 7 << "" << "" << "Index de liste hors limites (6)";
    QTest::newRow("negative") << -1 << "" << "" << "Index de liste hors limites (-2)";
}

void TestDictionaryLines::keyAndValueAt()
{
    QFETCH(int, row);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, error);
    DictionaryLines pane;
    fill(pane, kMixed);

    if (!error.isEmpty()) {
        QCOMPARE(errorOf([&] { pane.KeyAt(row); }), error);
        QCOMPARE(errorOf([&] { pane.ValueAt(row); }), error);
        return;
    }
    QCOMPARE(pane.KeyAt(row), key);
    QCOMPARE(pane.ValueAt(row), value);
}

void TestDictionaryLines::valueOf_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const QStringList accents{"<ETAT>=sans", "<ÉTAT>=avec"};
    QTest::newRow("exact") << kMixed << "A" << "1";
    QTest::newRow("other case") << QStringList{"<NOM>=A1"} << "<nom>" << "A1";
    QTest::newRow("accented capital") << QStringList{"<état>=e"} << "<ÉTAT>" << "e";
    QTest::newRow("accents are distinct") << accents << "<ÉTAT>" << "avec";
    QTest::newRow("accents are distinct 2") << accents << "<etat>" << "sans";
    QTest::newRow("after the first =") << kMixed << "X" << "1=2";
    QTest::newRow("missing") << kMixed << "B" << "";
    QTest::newRow("no trimming") << kMixed << "<NOM>" << "";
    QTest::newRow("blank in key") << kMixed << "<NOM> " << "espace";
    QTest::newRow("empty key finds first line beginning with =") << kMixed << "" << "v";
    QTest::newRow("empty key, no such line") << QStringList{"nokey", "A=1"} << "" << "";
    QTest::newRow("whole text is no key") << kMixed << "nokey" << "";
}

void TestDictionaryLines::valueOf()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, key);
    QFETCH(QString, value);
    DictionaryLines pane;
    fill(pane, lines);
    QCOMPARE(pane.ValueOf(key), value);
}

void TestDictionaryLines::addLine_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("added");
    QTest::addColumn<QString>("error");

    QTest::newRow("other case") << QStringList{"A=1"} << "a=2" << duplicate("a");
    QTest::newRow("accented other case") << QStringList{"<ÉTAT>=1"} << "<état>=2" << duplicate("<état>");
    QTest::newRow("same key, no value") << QStringList{"<NOM>="} << "<NOM>" "=" << duplicate("<NOM>");
    QTest::newRow("accent makes another key") << QStringList{"<ETAT>=1"} << "<ÉTAT>=2" << "";
    QTest::newRow("blank makes another key") << QStringList{"<NOM>=1"} << "<NOM> =2" << "";
    QTest::newRow("empty keys repeat") << QStringList{"=a", "=b"} << "=c" << "";
    QTest::newRow("lines without = repeat") << QStringList{"x", "x"} << "x" << "";
    QTest::newRow("empty lines repeat") << QStringList{"", ""} << "" << "";
}

void TestDictionaryLines::addLine()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, added);
    QFETCH(QString, error);
    DictionaryLines pane;
    fill(pane, lines);

    QCOMPARE(errorOf([&] { pane.AddLine(added); }), error);
    QCOMPARE(pane.Lines(), error.isEmpty() ? lines + QStringList{added} : lines);
}

void TestDictionaryLines::setKeyAt_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("error");

    const QStringList lines{"A=1", "B=2", "nokey"};
    QTest::newRow("new key") << 1 << "C" << QStringList{"C=1", "B=2", "nokey"} << "";
    QTest::newRow("own key in other case") << 1 << "a" << QStringList{"a=1", "B=2", "nokey"} << "";
    QTest::newRow("key of another line") << 2 << "a" << lines << duplicate("a");
    QTest::newRow("line without =") << 3 << "K" << QStringList{"A=1", "B=2", "K=nokey"} << "";
    QTest::newRow("empty key") << 1 << "" << QStringList{"=1", "B=2", "nokey"} << "";
    QTest::newRow("equals sign") << 1 << "A=B" << lines << "La clé ne doit pas contenir de signe égal (\"=\")";
    QTest::newRow("title row") << 0 << "T" << lines << "Index de liste hors limites (-1)";
    QTest::newRow("beyond the last") << 4 << "T" << lines << "Index de liste hors limites (3)";
}

void TestDictionaryLines::setKeyAt()
{
    QFETCH(int, row);
    QFETCH(QString, key);
    QFETCH(QStringList, expected);
    QFETCH(QString, error);
    DictionaryLines pane;
    fill(pane, {"A=1", "B=2", "nokey"});

    QCOMPARE(errorOf([&] { pane.SetKeyAt(row, key); }), error);
    QCOMPARE(pane.Lines(), expected);
}

void TestDictionaryLines::setValueOf_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("found, given key written")
        << QStringList{"<NOM>=a", "B=b"} << "<nom>" << 0 << QStringList{"<nom>=v", "B=b"};
    QTest::newRow("missing is appended") << QStringList{"A=1"} << "B" << 0 << QStringList{"A=1", "B=v"};
    QTest::newRow("blank current row takes it")
        << QStringList{"A=1", "", "C=3"} << "B" << 2 << QStringList{"A=1", "B=v", "C=3"};
    QTest::newRow("current row of a lone =")
        << QStringList{"A=1", "="} << "B" << 2 << QStringList{"A=1", "B=v"};
    QTest::newRow("current row not blank")
        << QStringList{"A=1", "=x"} << "B" << 2 << QStringList{"A=1", "=x", "B=v"};
    QTest::newRow("found wins over the blank row")
        << QStringList{"", "B=1"} << "B" << 1 << QStringList{"", "B=v"};
    QTest::newRow("empty key finds a line beginning with =")
        << QStringList{"nokey", "=old"} << "" << 0 << QStringList{"nokey", "=v"};
    QTest::newRow("empty pane") << QStringList() << "B" << 1 << QStringList{"B=v"};
}

void TestDictionaryLines::setValueOf()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, key);
    QFETCH(int, currentRow);
    QFETCH(QStringList, expected);
    DictionaryLines pane;
    fill(pane, lines);

    pane.SetValueOf(key, "v", currentRow);
    QCOMPARE(pane.Lines(), expected);
    QCOMPARE(pane.ValueOf(key), QString("v"));
}

void TestDictionaryLines::setValueOfKeepsKeysUnique()
{
    DictionaryLines pane;
    fill(pane, {"a=1", ""});
    QCOMPARE(errorOf([&] { pane.SetValueOf("A=b", "v", 2); }), duplicate("A"));
    QCOMPARE(errorOf([&] { pane.SetValueOf("A=b", "v"); }), duplicate("A"));
    QCOMPARE(pane.Lines(), (QStringList{"a=1", ""}));
}

void TestDictionaryLines::deleteRow_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("expected");

    const QStringList lines{"A=1", "B=2"};
    QTest::newRow("first") << lines << 1 << QStringList{"B=2"};
    QTest::newRow("last") << lines << 2 << QStringList{"A=1"};
    QTest::newRow("title row") << lines << 0 << lines;
    QTest::newRow("beyond the last") << lines << 3 << lines;
    QTest::newRow("empty pane") << QStringList() << 1 << QStringList();
}

void TestDictionaryLines::deleteRow()
{
    QFETCH(QStringList, lines);
    QFETCH(int, row);
    QFETCH(QStringList, expected);
    DictionaryLines pane;
    fill(pane, lines);

    const QString error = errorOf([&] { pane.DeleteRow(row); });
    QCOMPARE(error, expected == lines ? QString("Indice de grille hors limites") : QString());
    QCOMPARE(pane.Lines(), expected);
}

void TestDictionaryLines::insertLine()
{
    DictionaryLines pane;
    fill(pane, {"A=1", "B=2"});
    pane.InsertLine(1, "=");
    pane.InsertLine(4, "C=3");
    QCOMPARE(pane.Lines(), (QStringList{"=", "A=1", "B=2", "C=3"}));
    QCOMPARE(errorOf([&] { pane.InsertLine(2, "b=9"); }), duplicate("b"));
    QCOMPARE(errorOf([&] { pane.InsertLine(6, "D=4"); }), QString("Index de liste hors limites (5)"));
    QCOMPARE(pane.Count(), 4);
}

void TestDictionaryLines::allText()
{
    DictionaryLines pane;
    QCOMPARE(pane.AllText(), QString());
    fill(pane, {"A=1", "", "nokey"});
    QCOMPARE(pane.AllText(), QString("A=1\r\n\r\nnokey\r\n"));
}

void TestDictionaryLines::sortByKey()
{
    DictionaryLines pane;
    fill(pane, {"b=1", "<ETAU>=", "<ÉTAT>=", "A=2", "<etat>=", "nokey", "=z"});
    pane.SortByKey();
    QCOMPARE(pane.Lines(), (QStringList{"<etat>=", "<ÉTAT>=", "<ETAU>=", "=z", "A=2", "b=1", "nokey"}));
    QCOMPARE(pane.ValueOf("B"), QString("1"));
}

void TestDictionaryLines::sortByValueKeepsEqualValues()
{
    DictionaryLines pane;
    fill(pane, {"k1=B", "nokey", "k2=a", "k3=b", "k4="});
    pane.SortByValue();

    const QStringList sorted = pane.Lines();
    QCOMPARE(sorted.size(), 5);
    QCOMPARE(QSet<QString>(sorted.cbegin(), sorted.cbegin() + 2), (QSet<QString>{"nokey", "k4="}));
    QCOMPARE(sorted[2], QString("k2=a"));
    QCOMPARE(QSet<QString>(sorted.cbegin() + 3, sorted.cend()), (QSet<QString>{"k1=B", "k3=b"}));
    QCOMPARE(pane.ValueOf("k3"), QString("b"));
}

void TestDictionaryLines::lookupsFollowEveryChange()
{
    // Every kind of change, then every key looked up against a plain scan.
    DictionaryLines pane;
    const std::function<void(DictionaryLines&)> steps[] = {
        [](DictionaryLines& p) { fill(p, {"K1=1", "K2=2", "K3=3", "K4=4", "K5=5"}); },
        [](DictionaryLines& p) { p.InsertLine(1, "K0=0"); },
        [](DictionaryLines& p) { p.DeleteRow(3); },
        [](DictionaryLines& p) { p.DeleteRow(p.Count()); },
        [](DictionaryLines& p) { p.SetKeyAt(2, "K2"); },
        [](DictionaryLines& p) { p.AddLine("K9=9"); },
        [](DictionaryLines& p) { p.SetValueAt(1, "zero"); },
        [](DictionaryLines& p) { p.SortByValue(); },
        [](DictionaryLines& p) { p.SetValueOf("k6", "6"); },
        [](DictionaryLines& p) { p.SortByKey(); },
        [](DictionaryLines& p) { p.DeleteRow(1); },
        [](DictionaryLines& p) { p.AddLine("K0=again"); },
    };
    const QCollator collator = polyx::KeyCollator();
    const QStringList probes{"K0", "k1", "K2", "K3", "K4", "K5", "K6", "K9"};
    for (const auto& step : steps) {
        step(pane);
        for (const QString& probe : probes) {
            const QStringList lines = pane.Lines();
            const auto found = std::find_if(lines.cbegin(), lines.cend(), [&](const QString& line) {
                return collator.compare(DictionaryLines::KeyOfLine(line), probe) == 0;
            });
            const bool present = found != lines.cend();
            QCOMPARE(pane.ValueOf(probe), present ? DictionaryLines::ValueOfLine(*found) : QString());
            QCOMPARE(errorOf([&] { pane.InsertLine(1, probe + "=x"); }), present ? duplicate(probe) : QString());
            if (!present)
                pane.DeleteRow(1);
        }
    }
    QCOMPARE(pane.Lines(), (QStringList{"K2=1", "K3=3", "K4=4", "k6=6", "K9=9", "K0=again"}));
}

void TestDictionaryLines::loadReplacesLinesAndEncoding_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<TextEncoding>("encoding");

    QTest::newRow("crlf, code page") << QByteArray("A=1\r\n\r\nnokey\r\n") << TextEncoding::Ansi;
    QTest::newRow("lf twin") << QByteArray("A=1\n\nnokey\n") << TextEncoding::Ansi;
    QTest::newRow("utf-8") << QByteArray("\xEF\xBB\xBF" "A=1\r\n\r\nnokey") << TextEncoding::Utf8;
    QTest::newRow("utf-16 le") << QByteArray("\xFF\xFE" "A\0=\0" "1\0\n\0\n\0n\0o\0k\0e\0y\0", 22)
                               << TextEncoding::Utf16LE;
}

void TestDictionaryLines::loadReplacesLinesAndEncoding()
{
    QFETCH(QByteArray, data);
    QFETCH(TextEncoding, encoding);
    writeBytes(path("load.DICO"), data);
    DictionaryLines pane;
    fill(pane, {"OLD=1"});
    pane.SetPageLabel("AVANT");

    pane.LoadFromFile(path("load.DICO"));
    QCOMPARE(pane.Lines(), (QStringList{"A=1", "", "nokey"}));
    QCOMPARE(pane.Encoding(), encoding);
    QCOMPARE(pane.PageLabel(), QString("AVANT"));
    QCOMPARE(pane.ValueOf("a"), QString("1"));
    QCOMPARE(pane.ValueOf("OLD"), QString());
}

void TestDictionaryLines::duplicateKeyLoadLeavesPaneUnchanged()
{
    writeBytes(path("utf8.DICO"), QByteArray("\xEF\xBB\xBF" "Z=1\r\n"));
    writeBytes(path("dup.DICO"), QByteArray("A=1\r\nB=2\r\na=2\r\nC=3\r\n"));
    DictionaryLines pane;
    pane.LoadFromFile(path("utf8.DICO"));
    pane.SetPageLabel("AVANT");

    QCOMPARE(errorOf([&] { pane.LoadFromFile(path("dup.DICO")); }), inFile(path("dup.DICO")) + duplicate("a"));
    QCOMPARE(pane.Lines(), QStringList{"Z=1"});
    QCOMPARE(pane.Encoding(), TextEncoding::Utf8);
    QCOMPARE(pane.PageLabel(), QString("AVANT"));
    QCOMPARE(pane.ValueOf("z"), QString("1"));
    pane.AddLine("A=1");
}

void TestDictionaryLines::failedOpenLeavesPaneUnchanged()
{
    QDir(m_dir.path()).mkpath("folder.DICO");
    DictionaryLines pane;
    fill(pane, {"A=1"});

    QCOMPARE(errorOf([&] { pane.LoadFromFile(path("folder.DICO")); }),
             inFile(path("folder.DICO"))
                 + QString("Impossible d'ouvrir le fichier \"%1\". Accès refusé")
                       .arg(QDir::toNativeSeparators(path("folder.DICO"))));
    QCOMPARE(pane.Lines(), QStringList{"A=1"});
}

void TestDictionaryLines::saveRoundTripIsByteExact_data()
{
    QTest::addColumn<QByteArray>("data");

    QTest::newRow("code page") << QByteArray("<_AUTEUR>=Dr \xC9tienne\r\nX=1=2\r\nnokey\r\nnokey\r\n\r\n");
    QTest::newRow("utf-8") << QByteArray("\xEF\xBB\xBF<NOM>=\xC2\xA3[SG : nom]#\r\n");
    QTest::newRow("utf-16 be") << QByteArray("\xFE\xFF\0A\0=\0\xE9\0\r\0\n", 12);
}

void TestDictionaryLines::saveRoundTripIsByteExact()
{
    QFETCH(QByteArray, data);
    writeBytes(path("in.DICO"), data);
    DictionaryLines pane;
    pane.LoadFromFile(path("in.DICO"));
    pane.SaveToFile(path("out.DICO"));
    QCOMPARE(readBytes(path("out.DICO")).toHex(' '), data.toHex(' '));
}

void TestDictionaryLines::clearedUtf8PaneWritesOnlyTheMark()
{
    writeBytes(path("mark.DICO"), QByteArray("\xEF\xBB\xBF" "A=1\r\n"));
    DictionaryLines pane;
    pane.LoadFromFile(path("mark.DICO"));
    pane.ClearLines();
    QCOMPARE(pane.Count(), 0);
    pane.SaveToFile(path("mark.DICO"));
    QCOMPARE(readBytes(path("mark.DICO")), QByteArray("\xEF\xBB\xBF"));
}

void TestDictionaryLines::saveFallsBackToUtf8AndRemembersIt()
{
    DictionaryLines pane;
    fill(pane, {"<NOM>=Ω"});
    pane.SaveToFile(path("omega.DICO"));
    QCOMPARE(pane.Encoding(), TextEncoding::Utf8);
    QCOMPARE(readBytes(path("omega.DICO")), QByteArray("\xEF\xBB\xBF<NOM>=\xCE\xA9\r\n"));

    DictionaryLines back;
    back.LoadFromFile(path("omega.DICO"));
    QCOMPARE(back.Lines(), pane.Lines());
}

void TestDictionaryLines::failedSaveKeepsEncodingAndOldFile()
{
    QDir(m_dir.path()).mkpath("taken.DICO");
    DictionaryLines pane;
    fill(pane, {"<NOM>=Ω"});
    QCOMPARE(errorOf([&] { pane.SaveToFile(path("taken.DICO")); }),
             QString("Impossible de créer le fichier \"%1\". Accès refusé")
                 .arg(QDir::toNativeSeparators(path("taken.DICO"))));
    QCOMPARE(pane.Encoding(), TextEncoding::Ansi);
    QVERIFY(QFileInfo(path("taken.DICO")).isDir());
}

void TestDictionaryLines::loadsTwentyThousandLines()
{
    QByteArray data;
    for (int i = 0; i < 20000; ++i)
        data += "<QUESTION_" + QByteArray::number(i) + ">=code " + QByteArray::number(i) + "\r\n";
    writeBytes(path("big.DICO"), data);

    DictionaryLines pane;
    pane.LoadFromFile(path("big.DICO"));
    QCOMPARE(pane.Count(), 20000);
    QCOMPARE(pane.ValueOf("<question_19999>"), QString("code 19999"));
    QCOMPARE(errorOf([&] { pane.AddLine("<Question_0>=again"); }), duplicate("<Question_0>"));

    writeBytes(path("big.DICO"), data + "<question_7>=x\r\n");
    QCOMPARE(errorOf([&] { pane.LoadFromFile(path("big.DICO")); }), inFile(path("big.DICO")) + duplicate("<question_7>"));
    QCOMPARE(pane.Count(), 20000);
}

QTEST_GUILESS_MAIN(TestDictionaryLines)
#include "TestDictionaryLines.moc"
