#include "tests/support/DictionaryFilling.h"
#include "tests/support/ErrorMessage.h"

#include "dictionaries/FusionDictionary.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using polyx::DictionaryLines;

namespace {

const QStringList kStartLines{"<_AUTEUR>=", "<_TITRE>=", "<_CODE>="};

} // namespace

class TestFusionDictionary : public QObject {
    Q_OBJECT

private slots:
    void generate_data();
    void generate();
    void generationKeepsFusionEncoding();
    void headerRows_data();
    void headerRows();
    void headerRowsOfAFusionNotAsGenerated();
    void fileName_data();
    void fileName();
    void savedFusionReadsBack();
};

void TestFusionDictionary::generate_data()
{
    QTest::addColumn<QStringList>("external");
    QTest::addColumn<QStringList>("internal");
    QTest::addColumn<QStringList>("fusion");
    QTest::addColumn<QString>("error");

    QTest::newRow("joined on the key") << QStringList{"<NOM>=A1"} << QStringList{"<NOM>=B1"}
                                       << QStringList{"A1=B1"} << "";
    QTest::newRow("internal key in small letters") << QStringList{"<NOM>=A1"} << QStringList{"<nom>=B1"}
                                                   << QStringList{"A1=B1"} << "";
    QTest::newRow("empty external value") << QStringList{"<NOM>="} << QStringList{"<NOM>=B1"}
                                          << QStringList() << "";
    QTest::newRow("key missing inside") << QStringList{"<NOM>=A1"} << QStringList{"<AGE>=B1"}
                                        << QStringList() << "";
    QTest::newRow("empty internal value") << QStringList{"<NOM>=A1"} << QStringList{"<NOM>="}
                                          << QStringList() << "";
    QTest::newRow("<_CODE> skipped") << QStringList{"<_CODE>=1"} << QStringList{"<_CODE>=2"}
                                     << QStringList() << "";
    QTest::newRow("<_code> not skipped") << QStringList{"<_code>=1"} << QStringList{"<_CODE>=2"}
                                         << QStringList{"1=2"} << "";
    QTest::newRow("start lines give nothing") << kStartLines << kStartLines << QStringList() << "";
    QTest::newRow("author and title kept, in external order")
        << QStringList{"<_TITRE>=T1", "<_AUTEUR>=DUPONT", "<_CODE>=7", "<AGE>=A2", "<NOM>=A1"}
        << QStringList{"<NOM>=B1", "<_AUTEUR>=MOI", "<AGE>=B2", "<_TITRE>=T2", "<_CODE>=8"}
        << QStringList{"T1=T2", "DUPONT=MOI", "A2=B2", "A1=B1"} << "";
    QTest::newRow("keyless lines skipped") << QStringList{"nokey", "=A1", ""} << QStringList{"=B1"}
                                           << QStringList() << "";
    QTest::newRow("blanks kept") << QStringList{"<NOM>=A1 "} << QStringList{"<NOM>= B1"}
                                 << QStringList{"A1 = B1"} << "";
    QTest::newRow("external value holding =") << QStringList{"<NOM>=a=b"} << QStringList{"<NOM>=Y"}
                                              << QStringList{"a=b=Y"} << "";
    QTest::newRow("repeated code stops the generation")
        << QStringList{"<NOM>=A1", "<PRENOM>=a1", "<AGE>=A3"}
        << QStringList{"<NOM>=B1", "<PRENOM>=B2", "<AGE>=B3"} << QStringList{"A1=B1"}
        << "Dictionnaire Fusion :\r\nUne clé nommée \"a1\" existe déjà\r\n"
           "Le code \"a1\" sert à \"<NOM>\" et à \"<PRENOM>\".";
    QTest::newRow("repeated code after skipped lines")
        << QStringList{"<_CODE>=c", "<AGE>=", "<NOM>=n", "<VILLE>=x", "<PRENOM>=N"}
        << QStringList{"<NOM>=B1", "<PRENOM>=B2", "<AGE>=B3"} << QStringList{"n=B1"}
        << "Dictionnaire Fusion :\r\nUne clé nommée \"N\" existe déjà\r\n"
           "Le code \"N\" sert à \"<NOM>\" et à \"<PRENOM>\".";
    QTest::newRow("empty external") << QStringList() << QStringList{"<NOM>=B1"} << QStringList() << "";
}

void TestFusionDictionary::generate()
{
    QFETCH(QStringList, external);
    QFETCH(QStringList, internal);
    QFETCH(QStringList, fusion);
    QFETCH(QString, error);
    DictionaryLines externalPane;
    DictionaryLines internalPane;
    DictionaryLines fusionPane("Chercher", "Remplacer");
    fill(externalPane, external);
    fill(internalPane, internal);
    fusionPane.AddLine("OLD=line");

    const QString message = errorOf([&] { polyx::GenerateFusion(externalPane, internalPane, fusionPane); });
    QCOMPARE(message, error);
    QCOMPARE(fusionPane.Lines(), fusion);
    QCOMPARE(externalPane.Lines(), external);
    QCOMPARE(internalPane.Lines(), internal);
}

void TestFusionDictionary::generationKeepsFusionEncoding()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("X_Y.PLX");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xFF\xFE" "a\0=\0b\0", 8);
    file.close();
    DictionaryLines external, internal, fusion;
    fill(external, {"<NOM>=A1"});
    fill(internal, {"<NOM>=B1"});
    fusion.LoadFromFile(path);

    polyx::GenerateFusion(external, internal, fusion);
    QCOMPARE(fusion.Lines(), QStringList{"A1=B1"});
    QCOMPARE(fusion.Encoding(), polyx::TextEncoding::Utf16LE);
}

// The rows the header keys gave, wherever the external dictionary has them;
// a pair missing on either side gives no row, and the codes move up.
void TestFusionDictionary::headerRows_data()
{
    QTest::addColumn<QStringList>("external");
    QTest::addColumn<QStringList>("internal");
    QTest::addColumn<QList<int>>("rows");

    const QStringList internal{"<_AUTEUR>=MOI", "<_TITRE>=T2", "<_CODE>=8", "<NOM>=B1", "<AGE>=B2"};
    QTest::newRow("both pairs leading")
        << QStringList{"<_AUTEUR>=DUPONT", "<_TITRE>=T1", "<_CODE>=7", "<NOM>=A1", "<AGE>=A2"} << internal
        << QList<int>{1, 2};
    QTest::newRow("empty title")
        << QStringList{"<_AUTEUR>=DUPONT", "<_TITRE>=", "<_CODE>=7", "<NOM>=A1", "<AGE>=A2"} << internal
        << QList<int>{1};
    QTest::newRow("no author inside")
        << QStringList{"<_AUTEUR>=DUPONT", "<_TITRE>=T1", "<NOM>=A1", "<AGE>=A2"}
        << QStringList{"<_TITRE>=T2", "<NOM>=B1", "<AGE>=B2"} << QList<int>{1};
    QTest::newRow("no header at all") << QStringList{"<NOM>=A1", "<AGE>=A2"} << internal << QList<int>();
    QTest::newRow("below the codes, uncompressed")
        << QStringList{"<NOM>=A1", "<AGE>=A2", "<_TITRE>=T1", "<_AUTEUR>=DUPONT"} << internal
        << QList<int>{3, 4};
    QTest::newRow("keys in small letters") << QStringList{"<NOM>=A1", "<_auteur>=DUPONT"} << internal
                                           << QList<int>{2};
}

void TestFusionDictionary::headerRows()
{
    QFETCH(QStringList, external);
    QFETCH(QStringList, internal);
    QFETCH(QList<int>, rows);
    DictionaryLines externalPane, internalPane, fusion;
    fill(externalPane, external);
    fill(internalPane, internal);

    const QList<int> generated = polyx::GenerateFusion(externalPane, internalPane, fusion);
    QCOMPARE(generated, rows);
    QCOMPARE(polyx::FusionHeaderRows(fusion, polyx::GeneratedFusion{fusion.Lines(), generated}), rows);
}

// Read from a file or changed since its generation, a fusion is taken to
// hold its header pairs in rows 1 and 2, as it always was.
void TestFusionDictionary::headerRowsOfAFusionNotAsGenerated()
{
    DictionaryLines external, internal, fusion;
    fill(external, {"<NOM>=A1", "<AGE>=A2", "<POIDS>=A3"});
    fill(internal, {"<NOM>=B1", "<AGE>=B2", "<POIDS>=B3"});
    const polyx::GeneratedFusion generated{{"A1=B1", "A2=B2", "A3=B3"},
                                           polyx::GenerateFusion(external, internal, fusion)};
    QCOMPARE(polyx::FusionHeaderRows(fusion, generated), QList<int>());
    QCOMPARE(polyx::FusionHeaderRows(fusion, std::nullopt), (QList<int>{1, 2}));

    QTemporaryDir dir;
    const QString path = dir.filePath("X_Y.PLX");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("A1=B1\r\nA2=B2\r\nA3=B3\r\nA4=B4\r\n");
    file.close();
    fusion.LoadFromFile(path);
    QCOMPARE(polyx::FusionHeaderRows(fusion, generated), (QList<int>{1, 2}));

    polyx::GenerateFusion(external, internal, fusion);
    fusion.SortByValue();
    fusion.DeleteRow(1);
    QCOMPARE(polyx::FusionHeaderRows(fusion, generated), (QList<int>{1, 2}));
}

void TestFusionDictionary::fileName_data()
{
    QTest::addColumn<QString>("external");
    QTest::addColumn<QString>("internal");
    QTest::addColumn<QString>("name");

    QTest::newRow("labels") << "DUPONT" << "~INTERNE" << "DUPONT_~INTERNE.PLX";
    QTest::newRow("empty labels") << "" << "" << "_.PLX";
    QTest::newRow("labels kept as they are") << "Dr Martin" << "moi" << "Dr Martin_moi.PLX";
}

void TestFusionDictionary::fileName()
{
    QFETCH(QString, external);
    QFETCH(QString, internal);
    QFETCH(QString, name);
    QCOMPARE(polyx::FusionFileName(external, internal), name);
}

void TestFusionDictionary::savedFusionReadsBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(polyx::FusionFileName("DUPONT", "~INTERNE"));
    DictionaryLines external, internal, fusion, reloaded;
    fill(external, {"<NOM>=£[SG : nom]#", "<AGE>=A2"});
    fill(internal, {"<AGE>=B2", "<NOM>=NOM()"});
    polyx::GenerateFusion(external, internal, fusion);

    fusion.SaveToFile(path);
    reloaded.LoadFromFile(path);
    QCOMPARE(reloaded.Lines(), (QStringList{"£[SG : nom]#=NOM()", "A2=B2"}));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("\xA3[SG : nom]#=NOM()\r\nA2=B2\r\n"));
}

QTEST_GUILESS_MAIN(TestFusionDictionary)
#include "TestFusionDictionary.moc"
