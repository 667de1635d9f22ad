#include "TestEntries.h"
#include "scripts/translation/PlainTextTarget.h"

#include <QTest>

using namespace polyx;

namespace {
// The author and title pairs that open every fusion dictionary.
QStringList WithHeader(const QStringList& lines)
{
    return QStringList{"Dr Martin=Dr Dupont", "Bilan=Compte rendu"} + lines;
}

// `count` entries "C01=v01"... and a script holding each code once.
std::pair<QStringList, QString> NumberedEntries(int count)
{
    QStringList lines;
    QString script;
    for (int i = 1; i <= count; ++i) {
        const QString number = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        lines << QStringLiteral("C%1=valeur longue %1").arg(number);
        script += QStringLiteral("[C%1] ").arg(number);
    }
    return {lines, script};
}

QString ReportOf(const QStringList& lines)
{
    QString report;
    for (const DictionaryEntry& entry : Entries(lines))
        report += entry.first + " => " + entry.second + "\r\n";
    return report;
}
} // namespace

class TranslationRulesTest : public QObject {
    Q_OBJECT
private slots:
    void usableEntry_data();
    void usableEntry();
    void intoInternal_data();
    void intoInternal();
    void intoInternalLeavesOutTheHeaderRows_data();
    void intoInternalLeavesOutTheHeaderRows();
    void intoUniversal_data();
    void intoUniversal();
    void balloonWhenNothingApplied();
    void reportListsTheFirstNineteen_data();
    void reportListsTheFirstNineteen();
    void caretFollowsTheLastReplacementMade();
};

void TranslationRulesTest::usableEntry_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("usable");

    QTest::newRow("code") << "NOM" << "£[SG : nom]#" << true;
    QTest::newRow("empty key") << "" << "x" << false;
    QTest::newRow("empty value") << "NOM" << "" << false;
    QTest::newRow("header key") << "<_AUTEUR>" << "Dr Martin" << false;
    QTest::newRow("second character _") << "x_y" << "z" << false;
    QTest::newRow("first character _") << "_x" << "z" << true;
    QTest::newRow("one character") << "_" << "z" << true;
    QTest::newRow("blank value") << "NOM" << " " << true;
}

void TranslationRulesTest::usableEntry()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(bool, usable);
    QCOMPARE(IsUsableEntry(key, value), usable);
}

void TranslationRulesTest::intoInternal_data()
{
    QTest::addColumn<QStringList>("fusion");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("translated");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("report");

    QTest::newRow("from the third row")
        << WithHeader({"NOM=£[SG : nom]#"}) << "Dr Martin Bilan NOM" << "Dr Martin Bilan £[SG : nom]#"
        << 1 << "NOM => £[SG : nom]#\r\n";
    QTest::newRow("first two rows never used")
        << QStringList{"NOM=%N%", "AGE=%A%", "DDN=%D%"} << "NOM AGE DDN" << "NOM AGE %D%" << 1
        << "DDN => %D%\r\n";
    QTest::newRow("fewer than three rows") << QStringList{"NOM=%N%", "AGE=%A%"} << "NOM AGE"
                                           << "NOM AGE" << 0 << "";
    QTest::newRow("exact test, any case replaced")
        << WithHeader({"NOM=£[SG : nom]#"}) << "Nom: NOM nom"
        << "£[SG : nom]#: £[SG : nom]# £[SG : nom]#" << 1 << "NOM => £[SG : nom]#\r\n";
    QTest::newRow("other case only") << WithHeader({"NOM=£[SG : nom]#"}) << "Nom: nom"
                                     << "Nom: nom" << 0 << "";
    QTest::newRow("accented case") << WithHeader({"ÉTAT=%E%"}) << "état ÉTAT" << "%E% %E%" << 1
                                   << "ÉTAT => %E%\r\n";
    QTest::newRow("shorter code first")
        << WithHeader({"NOM=%N%", "NOMJF=%J%"}) << "NOMJF NOM" << "%N%JF %N%" << 1
        << "NOM => %N%\r\n";
    QTest::newRow("longer code first")
        << WithHeader({"NOMJF=%J%", "NOM=%N%"}) << "NOMJF NOM" << "%J% %N%" << 2
        << "NOMJF => %J%\r\nNOM => %N%\r\n";
    QTest::newRow("replacement makes a later code")
        << WithHeader({"A=BC", "BC=z"}) << "A" << "z" << 2 << "A => BC\r\nBC => z\r\n";
    QTest::newRow("replacement holding its code")
        << WithHeader({"NOM=NOM NOM"}) << "NOM nom" << "NOM NOM NOM NOM" << 1
        << "NOM => NOM NOM\r\n";
    QTest::newRow("overlapping occurrences") << WithHeader({"aa=b"}) << "aaa" << "ba" << 1
                                             << "aa => b\r\n";
    QTest::newRow("exact occurrence inside another case")
        << WithHeader({"aa=b"}) << "Aaa" << "ba" << 1 << "aa => b\r\n";
    QTest::newRow("inside words") << WithHeader({"NOM=%N%"}) << "PRENOM" << "PRE%N%" << 1
                                  << "NOM => %N%\r\n";
    QTest::newRow("second character _")
        << WithHeader({"x_y=%X%", "_x=%Y%"}) << "x_y _x" << "x_y %Y%" << 1 << "_x => %Y%\r\n";
    QTest::newRow("header keys later on")
        << WithHeader({"<_CODE>=B12", "NOM=%N%"}) << "<_CODE> NOM" << "<_CODE> %N%" << 1
        << "NOM => %N%\r\n";
    QTest::newRow("three occurrences count once")
        << WithHeader({"AGE=%A%"}) << "AGE, AGE et AGE" << "%A%, %A% et %A%" << 1
        << "AGE => %A%\r\n";
    QTest::newRow("across lines") << WithHeader({"NOM=%N%"}) << "NOM\r\nnom\nNOM" << "%N%\r\n%N%\n%N%"
                                  << 1 << "NOM => %N%\r\n";
}

void TranslationRulesTest::intoInternal()
{
    QFETCH(QStringList, fusion);
    QFETCH(QString, script);
    QFETCH(QString, translated);
    QFETCH(int, count);
    QFETCH(QString, report);

    PlainTextTarget target(script);
    const TranslationReport result = TranslateIntoInternal(Entries(fusion), target);

    QCOMPARE(target.text(), translated);
    QCOMPARE(result.count, count);
    QCOMPARE(result.lines, report);
    if (count > 0) {
        QCOMPARE(result.balloonTitle, QString::number(count) + " REMPLACEMENT(S)");
        QCOMPARE(result.balloonText, report);
    }
}

// Only the rows given as header rows are left out, wherever they stand.
void TranslationRulesTest::intoInternalLeavesOutTheHeaderRows_data()
{
    QTest::addColumn<QList<int>>("headerRows");
    QTest::addColumn<QString>("translated");
    QTest::addColumn<int>("count");

    QTest::newRow("none: from row 1 on") << QList<int>() << "a b c d" << 4;
    QTest::newRow("rows 1 and 2") << QList<int>{1, 2} << "AAA BBB c d" << 2;
    QTest::newRow("row 1 only") << QList<int>{1} << "AAA b c d" << 3;
    QTest::newRow("rows 3 and 4, below the codes") << QList<int>{3, 4} << "a b CCC DDD" << 2;
}

void TranslationRulesTest::intoInternalLeavesOutTheHeaderRows()
{
    QFETCH(QList<int>, headerRows);
    QFETCH(QString, translated);
    QFETCH(int, count);
    PlainTextTarget target(QStringLiteral("AAA BBB CCC DDD"));
    const TranslationReport result =
        TranslateIntoInternal(Entries({"AAA=a", "BBB=b", "CCC=c", "DDD=d"}), target, nullptr, headerRows);
    QCOMPARE(target.text(), translated);
    QCOMPARE(result.count, count);
}

void TranslationRulesTest::intoUniversal_data()
{
    QTest::addColumn<QStringList>("external");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("translated");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("report");

    QTest::newRow("every row") << QStringList{"<NOM>=%N%", "<AGE>=%A%"} << "%N% %A%"
                               << "<NOM> <AGE>" << 2 << "<NOM> => %N%\r\n<AGE> => %A%\r\n";
    QTest::newRow("header keys left out")
        << QStringList{"<_AUTEUR>=Dr Martin", "<_TITRE>=Bilan", "<NOM>=%N%"}
        << "Dr Martin Bilan %N%" << "Dr Martin Bilan <NOM>" << 1 << "<NOM> => %N%\r\n";
    QTest::newRow("empty value") << QStringList{"<NOM>=", "<AGE>=%A%"} << "%A%" << "<AGE>" << 1
                                 << "<AGE> => %A%\r\n";
    QTest::newRow("exact test, any case replaced")
        << QStringList{"<NOM>=NOM"} << "Nom: NOM nom" << "<NOM>: <NOM> <NOM>" << 1
        << "<NOM> => NOM\r\n";
    QTest::newRow("other case only") << QStringList{"<NOM>=NOM"} << "Nom: nom" << "Nom: nom" << 0
                                     << "";
    QTest::newRow("both prefix codes counted")
        << QStringList{"<NOM>=NOM", "<NOMJF>=NOMJF"} << "NOMJF" << "<NOM>JF" << 2
        << "<NOM> => NOM\r\n<NOMJF> => NOMJF\r\n";
    QTest::newRow("counted though gone from the target")
        << QStringList{"<A>=NOM", "<B>=OM"} << "NOM" << "<A>" << 2
        << "<A> => NOM\r\n<B> => OM\r\n";
    QTest::newRow("made by a replacement only")
        << QStringList{"<A>=a", "<B>=A>"} << "a" << "<A>" << 1 << "<A> => a\r\n";
}

void TranslationRulesTest::intoUniversal()
{
    QFETCH(QStringList, external);
    QFETCH(QString, script);
    QFETCH(QString, translated);
    QFETCH(int, count);
    QFETCH(QString, report);

    PlainTextTarget target(script);
    const TranslationReport result = TranslateIntoUniversal(Entries(external), script, target);

    QCOMPARE(target.text(), translated);
    QCOMPARE(result.count, count);
    QCOMPARE(result.lines, report);
    if (count > 0) {
        QCOMPARE(result.balloonTitle, QString::number(count) + " REMPLACEMENT(S)");
        QCOMPARE(result.balloonText, report);
    }
}

void TranslationRulesTest::balloonWhenNothingApplied()
{
    const DictionaryEntries entries = Entries(WithHeader({"NOM=%N%"}));
    PlainTextTarget internal("rien");
    const TranslationReport intoInternal = TranslateIntoInternal(entries, internal);
    QCOMPARE(intoInternal.balloonTitle, QStringLiteral("Aucun remplacement n'a pu être effectué"));
    QCOMPARE(intoInternal.balloonText,
             QStringLiteral(
                 "Etes vous sûr d'avoir choisi les bons dictionnaires ?\r\n\r\nEt de les avoir "
                 "placés dans le bon sens\r\n\r\nVerifiez que le DICO de Gauche correspond aux "
                 "champs du SKRIVO de Gauche (SOURCE)\r\nEt que le DICO de Droite correspond aux "
                 "champs du SKRIVO de Droite (CIBLE)"));

    PlainTextTarget universal("rien");
    const TranslationReport intoUniversal = TranslateIntoUniversal(entries, "rien", universal);
    QCOMPARE(intoUniversal.balloonTitle, QStringLiteral("Aucun remplacement n'a été effectué"));
    QCOMPARE(intoUniversal.balloonText, QString());
}

void TranslationRulesTest::reportListsTheFirstNineteen_data()
{
    QTest::addColumn<int>("applied");
    QTest::newRow("1") << 1;
    QTest::newRow("19") << 19;
    QTest::newRow("20") << 20;
    QTest::newRow("25") << 25;
}

void TranslationRulesTest::reportListsTheFirstNineteen()
{
    QFETCH(int, applied);
    const auto [lines, script] = NumberedEntries(applied);
    const QString listed = ReportOf(lines.mid(0, ReportedEntriesLimit));
    const QString title = QString::number(applied) + " REMPLACEMENT(S)";

    PlainTextTarget internal(script);
    const TranslationReport intoInternal = TranslateIntoInternal(Entries(WithHeader(lines)), internal);
    QCOMPARE(intoInternal.count, applied);
    QCOMPARE(intoInternal.balloonTitle, title);
    QCOMPARE(intoInternal.balloonText, listed);
    QVERIFY(internal.text().endsWith("[" + Entries(lines).last().second + "] "));

    QStringList external;
    for (const DictionaryEntry& entry : Entries(lines))
        external << "<" + entry.second + ">=" + entry.first;
    PlainTextTarget universal(script);
    const TranslationReport intoUniversal =
        TranslateIntoUniversal(Entries(external), script, universal);
    QCOMPARE(intoUniversal.count, applied);
    QCOMPARE(intoUniversal.balloonTitle, title);
    QCOMPARE(intoUniversal.balloonText, ReportOf(external.mid(0, ReportedEntriesLimit)));
    // The balloon shows only the beginning of a long report; the title
    // keeps the whole count.
    if (applied >= 19)
        QVERIFY(intoInternal.balloonText.size() > 255);
}

void TranslationRulesTest::caretFollowsTheLastReplacementMade()
{
    PlainTextTarget target("AGE NOM x");
    TranslateIntoInternal(Entries(WithHeader({"NOM=%NOM%", "AGE=%A%", "ABSENT=%Z%"})), target);
    QCOMPARE(target.text(), QStringLiteral("%A% %NOM% x"));
    QCOMPARE(target.LastReplacementEnd(), 3);

    PlainTextTarget untouched("rien");
    TranslateIntoInternal(Entries(WithHeader({"NOM=%NOM%"})), untouched);
    QCOMPARE(untouched.LastReplacementEnd(), -1);
}

QTEST_GUILESS_MAIN(TranslationRulesTest)
#include "TestTranslationRules.moc"
