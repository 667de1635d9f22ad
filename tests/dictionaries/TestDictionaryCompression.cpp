#include "tests/support/DictionaryFilling.h"
#include "tests/support/ErrorMessage.h"

#include "dictionaries/DictionaryCompression.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using polyx::ColonCut;
using polyx::DictionaryLines;

Q_DECLARE_METATYPE(polyx::ColonCut)

namespace {

const QStringList kWorn{" <NOM> =DUPONT : nom de famille ", "<AUTEUR>=ancien", "sans egal", "=commence"};

} // namespace

class TestDictionaryCompression : public QObject {
    Q_OBJECT

private slots:
    void stripBlanks_data();
    void stripBlanks();
    void compress_data();
    void compress();
    void colonCutSparesCodes_data();
    void colonCutSparesCodes();
    void compressionKeepsEncodingAndLabel();
    void compressAllCutsAllButSanvor();
    void refusalNamesTheDictionary_data();
    void refusalNamesTheDictionary();
};

void TestDictionaryCompression::stripBlanks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stripped");

    QTest::newRow("blanks") << "  a b  " << "a b";
    QTest::newRow("controls") << "\t\x01" "a\r\n" << "a";
    QTest::newRow("only blanks") << " \t " << "";
    QTest::newRow("no-break space stays") << QString::fromUtf8("\u00A0a ") << QString::fromUtf8("\u00A0a");
}

void TestDictionaryCompression::stripBlanks()
{
    QFETCH(QString, text);
    QFETCH(QString, stripped);
    QCOMPARE(polyx::StripBlanks(text), stripped);
}

void TestDictionaryCompression::compress_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<ColonCut>("cut");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("error");

    QTest::newRow("worn pane, colon cut") << kWorn << ColonCut::Cut
                                          << QStringList{"<_AUTEUR>=", "<_CODE>=", "<_TITRE>=", "<NOM>=DUPONT "} << "";
    QTest::newRow("worn pane, whole values") << kWorn << ColonCut::Keep
                                             << QStringList{"<_AUTEUR>=", "<_CODE>=", "<_TITRE>=",
                                                            "<NOM>=DUPONT : nom de famille"}
                                             << "";
    QTest::newRow("header keys present")
        << QStringList{"<_CODE>=7", "<_TITRE>=T", "<_AUTEUR>=A"} << ColonCut::Cut
        << QStringList{"<_AUTEUR>=A", "<_CODE>=7", "<_TITRE>=T"} << "";
    QTest::newRow("<_CODE> named in a value only")
        << QStringList{"<_AUTEUR>=", "<_TITRE>=", "<X>=voir <_CODE>"} << ColonCut::Cut
        << QStringList{"<_AUTEUR>=", "<_TITRE>=", "<X>=voir <_CODE>"} << "";
    QTest::newRow("old header forms dropped")
        << QStringList{"<TITRE>=t", "<CODE>=c", "<auteur>=kept"} << ColonCut::Keep
        << QStringList{"<_AUTEUR>=", "<_CODE>=", "<_TITRE>=", "<auteur>=kept"} << "";
    QTest::newRow("empty pane") << QStringList() << ColonCut::Cut
                                << QStringList{"<_AUTEUR>=", "<_CODE>=", "<_TITRE>="} << "";
    QTest::newRow("stripped key meets another")
        << QStringList{"<A>= a ", "<NOM>=x", " <nom>=y", "<Z>= z "} << ColonCut::Cut
        << QStringList{"<A>=a", "<NOM>=x", " <nom>=y", "<Z>= z "} << "Une clé nommée \"<nom>\" existe déjà";
    QTest::newRow("header key in other capitals")
        << QStringList{"<_auteur>=x"} << ColonCut::Cut << QStringList{"<_auteur>=x"}
        << "Une clé nommée \"<_AUTEUR>\" existe déjà";
}

void TestDictionaryCompression::compress()
{
    QFETCH(QStringList, lines);
    QFETCH(ColonCut, cut);
    QFETCH(QStringList, expected);
    QFETCH(QString, error);
    DictionaryLines pane;
    fill(pane, lines);

    const QString message = errorOf([&] { polyx::CompressDictionary(pane, cut); });
    QCOMPARE(message, error);
    QCOMPARE(pane.Lines(), expected);
}

void TestDictionaryCompression::compressionKeepsEncodingAndLabel()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("a.DICO"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" " X = 1 \r\n");
    file.close();
    DictionaryLines pane;
    pane.LoadFromFile(file.fileName());
    pane.SetPageLabel("DUPONT");

    polyx::CompressDictionary(pane, ColonCut::Cut);
    QCOMPARE(pane.Lines(), (QStringList{"<_AUTEUR>=", "<_CODE>=", "<_TITRE>=", "X=1"}));
    QCOMPARE(pane.Encoding(), polyx::TextEncoding::Utf8);
    QCOMPARE(pane.PageLabel(), QString("DUPONT"));
}

// The cut is for comments; a user's own codes may hold ":" inside brackets.
void TestDictionaryCompression::colonCutSparesCodes_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("kept");

    QTest::newRow("comment") << "DUPONT : nom de famille" << "DUPONT ";
    QTest::newRow("Sanvor code") << "£[SG : nom]#" << "£[SG : nom]#";
    QTest::newRow("braces") << "{NOM : défaut}" << "{NOM : défaut}";
    QTest::newRow("parentheses") << "(a:b)" << "(a:b)";
    QTest::newRow("angle brackets") << "<DATE:jj/mm>" << "<DATE:jj/mm>";
    QTest::newRow("guillemets") << "«NOM : x»" << "«NOM : x»";
    QTest::newRow("code then comment") << "£[SG : nom]# : le nom" << "£[SG : nom]# ";
    QTest::newRow("nested pairs") << "[a{b:c}d:e]:f" << "[a{b:c}d:e]";
    QTest::newRow("colon before the code") << "nom: £[SG : nom]#" << "nom";
    QTest::newRow("pair closed, then comment") << "(x) y : z" << "(x) y ";
    QTest::newRow("stray closer is text") << "a ] b : c" << "a ] b ";
    QTest::newRow("crossed closer is text") << "[a) : b]" << "[a) : b]";
    QTest::newRow("pair never closed keeps the rest") << "£[SG : nom" << "£[SG : nom";
    QTest::newRow("colon first") << ":tout" << "";
    QTest::newRow("no colon") << "[SG]" << "[SG]";
}

void TestDictionaryCompression::colonCutSparesCodes()
{
    QFETCH(QString, value);
    QFETCH(QString, kept);
    DictionaryLines pane;
    fill(pane, {"<X>=" + value});
    polyx::CompressDictionary(pane, ColonCut::Cut);
    QCOMPARE(pane.ValueOf("<X>"), kept);
}

void TestDictionaryCompression::compressAllCutsAllButSanvor()
{
    DictionaryLines external, internal, fusion, sanvor;
    fill(external, {"<NOM>=a : b"});
    fill(internal, {"<NOM>=c : d"});
    fill(fusion, {"a =c : d"});
    fill(sanvor, {"<NOM>=£[SG : nom]#"});

    polyx::CompressAllDictionaries(external, internal, fusion, sanvor);
    QCOMPARE(external.ValueOf("<NOM>"), QString("a "));
    QCOMPARE(internal.ValueOf("<NOM>"), QString("c "));
    QCOMPARE(fusion.ValueOf("a"), QString("c "));
    QCOMPARE(sanvor.ValueOf("<NOM>"), QString("£[SG : nom]#"));
    QCOMPARE(sanvor.Count(), 4);
}

// Every save compresses the four dictionaries: a refusal says which one.
void TestDictionaryCompression::refusalNamesTheDictionary_data()
{
    QTest::addColumn<int>("broken");
    QTest::addColumn<QString>("pageName");
    QTest::newRow("external") << 0 << "Externe";
    QTest::newRow("internal") << 1 << "Interne";
    QTest::newRow("fusion") << 2 << "Fusion";
    QTest::newRow("Sanvor") << 3 << "Sanvor";
}

void TestDictionaryCompression::refusalNamesTheDictionary()
{
    QFETCH(int, broken);
    QFETCH(QString, pageName);
    DictionaryLines panes[4];
    fill(panes[broken], {"<NOM>=x", " <nom>=y"});
    const QString message = errorOf([&] { polyx::CompressAllDictionaries(panes[0], panes[1], panes[2], panes[3]); });
    QCOMPARE(message, "Dictionnaire " + pageName + " :\r\nUne clé nommée \"<nom>\" existe déjà");
}

QTEST_GUILESS_MAIN(TestDictionaryCompression)
#include "TestDictionaryCompression.moc"
