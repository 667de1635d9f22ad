// The dictionary check: each kind of finding, in which dictionary and row.
#include "scripts/translation/DictionaryCheck.h"

#include <QTest>

using namespace polyx;

namespace {
void Fill(DictionaryLines& lines, const QStringList& text)
{
    for (const QString& line : text)
        lines.AddLine(line);
}

// "Dictionnaire|row|Clé|Valeur|Problème" per finding.
QStringList Shown(const QList<DictionaryFinding>& findings)
{
    QStringList shown;
    for (const DictionaryFinding& f : findings) {
        QStringList cells = CheckCells(f);
        cells.insert(1, QString::number(f.row));
        shown.append(cells.join(u'|'));
    }
    return shown;
}
} // namespace

class DictionaryCheckTest : public QObject {
    Q_OBJECT
private slots:
    void findings_data();
    void findings();
    void summary();
};

void DictionaryCheckTest::findings_data()
{
    QTest::addColumn<QStringList>("external");
    QTest::addColumn<QStringList>("internal");
    QTest::addColumn<QStringList>("fusion");
    QTest::addColumn<QStringList>("found");

    const QStringList header{"<_AUTEUR>=", "<_TITRE>=T"};
    QTest::newRow("clean") << header + QStringList{"<NOM>=[N]"} << header + QStringList{"<NOM>=n"}
                           << QStringList{"[N]=n"} << QStringList{};
    QTest::newRow("code of two keys, every one")
        << QStringList{"<NOM>=[N]", "<NOMJF>=[n]", "<NOMUS>=[N]"} << QStringList{"<NOM>=a", "<NOMJF>=b", "<NOMUS>=c"}
        << QStringList{}
        << QStringList{"Externe|2|<NOMJF>|[n]|Code déjà donné à la clé « <NOM> »",
                       "Externe|3|<NOMUS>|[N]|Code déjà donné à la clé « <NOM> »"};
    QTest::newRow("keys on one side only")
        << QStringList{"<NOM>=a", "<AGE>=b"} << QStringList{"<NOM>=x", "<SEXE>=y"} << QStringList{}
        << QStringList{"Externe|2|<AGE>|b|Clé absente du dictionnaire interne",
                       "Interne|2|<SEXE>|y|Clé absente du dictionnaire externe"};
    QTest::newRow("empty values, header keys aside")
        << QStringList{"<_AUTEUR>=", "<NOM>="} << QStringList{"<_AUTEUR>=", "<NOM>=x"} << QStringList{}
        << QStringList{"Externe|2|<NOM>||Valeur vide"};
    QTest::newRow("keys in another case")
        << QStringList{"<Nom>=a"} << QStringList{"<NOM>=x"} << QStringList{}
        << QStringList{"Externe|1|<Nom>|a|Casse différente de la clé « <NOM> » de l'autre dictionnaire",
                       "Interne|1|<NOM>|x|Casse différente de la clé « <Nom> » de l'autre dictionnaire"};
    QTest::newRow("blanks the compression strips")
        << QStringList{"<NOM> =a", "<AGE>= b "} << QStringList{"<NOM> =x", "<AGE>=y"} << QStringList{" c=d"}
        << QStringList{"Externe|1|<NOM> |a|Blancs au début ou à la fin de la clé",
                       "Externe|2|<AGE>| b |Blancs au début ou à la fin de la valeur",
                       "Interne|1|<NOM> |x|Blancs au début ou à la fin de la clé",
                       "Fusion|1| c|d|Blancs au début ou à la fin de la clé"};
    QTest::newRow("masked codes, the earliest named")
        << QStringList{"<P>=PRENOM", "<N>=NOM", "<J>=NOMJF", "<K>=JF"} << QStringList{"<P>=a", "<N>=b", "<J>=c", "<K>=d"}
        << QStringList{"NOM=b", "x=y", "NOMJF=c"}
        << QStringList{"Externe|3|<J>|NOMJF|Masqué par le code « NOM »",
                       "Fusion|3|NOMJF|c|Masqué par le code « NOM »"};
    QTest::newRow("a later code inside an earlier one is fine")
        << QStringList{"<J>=NOMJF", "<N>=NOM"} << QStringList{"<J>=c", "<N>=b"} << QStringList{} << QStringList{};
}

void DictionaryCheckTest::findings()
{
    QFETCH(QStringList, external);
    QFETCH(QStringList, internal);
    QFETCH(QStringList, fusion);
    QFETCH(QStringList, found);
    DictionaryLines ext, in, fus;
    Fill(ext, external);
    Fill(in, internal);
    Fill(fus, fusion);
    QCOMPARE(Shown(CheckDictionaries(ext, in, fus)), found);
}

void DictionaryCheckTest::summary()
{
    QCOMPARE(CheckSummary({}), QString("Aucun problème trouvé"));
    QCOMPARE(CheckSummary({DictionaryFinding{}}), QString("1 problème"));
    QCOMPARE(CheckSummary({DictionaryFinding{}, DictionaryFinding{}}), QString("2 problèmes"));
}

QTEST_GUILESS_MAIN(DictionaryCheckTest)
#include "TestDictionaryCheck.moc"
