// The report of a translation: its rules, the code shapes and tokens, the
// trail of replacements, the automaton and the summary line.
#include "TestEntries.h"
#include "scripts/translation/CodeAutomaton.h"
#include "scripts/translation/CodeShapes.h"
#include "scripts/translation/PlainTextTarget.h"
#include "scripts/translation/ReplacementTrail.h"
#include "scripts/translation/RunReport.h"
#include "scripts/translation/SearchableText.h"

#include <QRandomGenerator>
#include <QTest>

using namespace polyx;

namespace {
const QStringList kHeader{"Dr Martin=Dr Dupont", "Bilan=Compte rendu"};

struct Run {
    QString before;
    QString after;
    QList<ReportRow> rows;
};

Run Translate(bool universal, const QStringList& lines, const QString& script)
{
    PlainTextTarget target(script);
    ReportRecorder recorder;
    if (universal)
        TranslateIntoUniversal(Entries(lines), script, target, &recorder);
    else
        TranslateIntoInternal(Entries(kHeader + lines), target, &recorder);
    return Run{script, target.text(), BuildRunReport(script, target.text(), recorder.walks())};
}

// "État|Code|Remplacé par|Occurrences|Lignes" for each row.
QStringList Shown(const QList<ReportRow>& rows)
{
    QStringList shown;
    for (const ReportRow& row : rows)
        shown.append(ReportCells(row).join(u'|'));
    return shown;
}
} // namespace

class RunReportTest : public QObject {
    Q_OBJECT
private slots:
    void rules_data();
    void rules();
    void placesHoldWhatTheRowSays_data();
    void placesHoldWhatTheRowSays();
    void shapeOf_data();
    void shapeOf();
    void tokens_data();
    void tokens();
    void automatonFindsWhatASearchFinds();
    void trailAcrossInsertedText();
    void summary_data();
    void summary();
    void linesText();
    void copiedText();
};

void RunReportTest::rules_data()
{
    QTest::addColumn<bool>("universal");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("rows");

    const QString nom = "£[SG : nom]#";
    QTest::newRow("replaced, lines of the target")
        << false << QStringList{"[NOM]=" + nom} << "Nom : [NOM]\n\n[nom] et [NOM]"
        << QStringList{"Remplacé|[NOM]|" + nom + "|3|1, 3"};
    QTest::newRow("tokens inside a replacement are not reported")
        << false << QStringList{"[NOM]=[SG : nom]"} << "[NOM]" << QStringList{"Remplacé|[NOM]|[SG : nom]|1|1"};
    QTest::newRow("not translated, one row per token text")
        << false << QStringList{"[NOM]=" + nom} << "[NOM] [AGE]\n[AGE] [SEXE]"
        << QStringList{"Non traduit|[AGE]||2|1, 2", "Non traduit|[SEXE]||1|2", "Remplacé|[NOM]|" + nom + "|1|1"};
    QTest::newRow("two tokens on a line") << false << QStringList{"[NOM]=x"} << "[A] et [B]"
                                          << QStringList{"Non traduit|[A]||1|1", "Non traduit|[B]||1|1",
                                                         "Absent du script|[NOM]|x|0|"};
    QTest::newRow("longest opening wins")
        << false << QStringList{"£[SG : nom]#=x", "[AGE]=y"} << "£[SG : prenom]# [X]"
        << QStringList{"Non traduit|£[SG : prenom]#||1|1", "Non traduit|[X]||1|1",
                       "Absent du script|£[SG : nom]#|x|0|", "Absent du script|[AGE]|y|0|"};
    QTest::newRow("80 characters are a token")
        << false << QStringList{"[NOM]=x", "[AGE]=y"} << "[" + QString(78, u'A') + "] [NOM]"
        << QStringList{"Non traduit|[" + QString(78, u'A') + "]||1|1", "Remplacé|[NOM]|x|1|1",
                       "Absent du script|[AGE]|y|0|"};
    QTest::newRow("81 characters are not")
        << false << QStringList{"[NOM]=x"} << "[" + QString(79, u'A') + "] [NOM]"
        << QStringList{"Remplacé|[NOM]|x|1|1"};
    QTest::newRow("no line break in a token")
        << false << QStringList{"[NOM]=x"} << "[NO\nM] [NOM]" << QStringList{"Remplacé|[NOM]|x|1|2"};
    QTest::newRow("no shape, no token")
        << false << QStringList{"NOM=x", "AGE=y"} << "NOM [PRENAME] <AGE>"
        << QStringList{"Remplacé|NOM|x|1|1", "Remplacé|AGE|y|1|1"};
    QTest::newRow("other case, reported once")
        << false << QStringList{"[NOM]=x"} << "[nom]\n[Nom]"
        << QStringList{"Casse différente|[NOM]|x|2|1, 2"};
    QTest::newRow("masked by an earlier code")
        << false << QStringList{"NOM=<NOM>", "NOMJF=<NOMJF>"} << "NOMJF"
        << QStringList{"Masqué|NOMJF|<NOMJF> (masqué par NOM)|1|1", "Remplacé|NOM|<NOM>|1|1"};
    QTest::newRow("universal: counted, nothing left")
        << true << QStringList{"<NOM>=NOM", "<NOMJF>=NOMJF"} << "NOMJF"
        << QStringList{"Masqué|NOMJF|<NOMJF> (masqué par NOM)|1|1", "Remplacé|NOM|<NOM>|1|1"};
    QTest::newRow("universal: same code twice")
        << true << QStringList{"<A>=[X]", "<B>=[X]"} << "[X]"
        << QStringList{"Masqué|[X]|<B> (masqué par [X])|1|1", "Remplacé|[X]|<A>|1|1"};
    QTest::newRow("absent shown last, header entries never")
        << false << QStringList{"[AGE]=y", "[NOM]=x"} << "[NOM] Dr Martin"
        << QStringList{"Remplacé|[NOM]|x|1|1", "Absent du script|[AGE]|y|0|"};
    QTest::newRow("universal: shapes from the codes")
        << true << QStringList{"<_AUTEUR>=Dr X", "<NOM>={nom}"} << "{nom} {age} <AGE>"
        << QStringList{"Non traduit|{age}||1|1", "Remplacé|{nom}|<NOM>|1|1"};
    QTest::newRow("replacement text holding a later code")
        << false << QStringList{"[A]=[B]", "[B]=[C]"} << "[A]"
        << QStringList{"Remplacé|[A]|[B]|1|", "Remplacé|[B]|[C]|1|1"};
    QTest::newRow("empty script") << false << QStringList{"[A]=x"} << ""
                                  << QStringList{"Absent du script|[A]|x|0|"};
}

void RunReportTest::rules()
{
    QFETCH(bool, universal);
    QFETCH(QStringList, lines);
    QFETCH(QString, script);
    QFETCH(QStringList, rows);
    QCOMPARE(Shown(Translate(universal, lines, script).rows), rows);
}

void RunReportTest::placesHoldWhatTheRowSays_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 2u, 3u, 42u, 2024u})
        QTest::addRow("seed %u", seed) << seed;
}

// Random scripts with codes that never overlap: every place of a
// "Remplacé" row holds its replacement, every other place its code.
void RunReportTest::placesHoldWhatTheRowSays()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QString("[E%1]=%2").arg(i).arg(i % 3 ? QString("£[SG : champ %1]#").arg(i) : QString("<%1>").arg(i));
    QString script;
    for (int i = 0; i < 300; ++i) {
        const int code = random.bounded(50);
        script += QString("mot%1 ").arg(i) + (i % 9 ? QString("[E%1]").arg(code) : QString("[e%1]").arg(code));
        script += random.bounded(4) == 0 ? "\n" : " ";
    }
    const Run run = Translate(false, lines, script);
    int replaced = 0;
    for (const ReportRow& row : run.rows) {
        if (row.state == ReportState::Absent) {
            QVERIFY(row.places.isEmpty());
            continue;
        }
        QCOMPARE(row.places.size(), row.occurrences);
        for (const TextPlace& place : row.places) {
            const QString text = run.after.sliced(place.start, place.length);
            if (row.state == ReportState::Replaced)
                QCOMPARE(text, row.replacement);
            else
                QCOMPARE(text.toCaseFolded(), row.code.toCaseFolded());
        }
        replaced += row.state == ReportState::Replaced ? row.occurrences : 0;
    }
    QVERIFY(replaced > 100);
}

void RunReportTest::shapeOf_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("closing");
    QTest::newRow("Sanvor") << "£[SG : nom]#" << "£[" << "]#";
    QTest::newRow("brackets") << "[NOM]" << "[" << "]";
    QTest::newRow("blanks are not signs") << "< NOM >" << "<" << ">";
    QTest::newRow("no closing") << "[NOM" << "" << "";
    QTest::newRow("no opening") << "NOM]" << "" << "";
    QTest::newRow("letters only") << "NOM" << "" << "";
    QTest::newRow("signs only") << "[]" << "" << "";
    QTest::newRow("empty") << "" << "" << "";
}

void RunReportTest::shapeOf()
{
    QFETCH(QString, code);
    QFETCH(QString, opening);
    QFETCH(QString, closing);
    const auto shape = ShapeOf(code);
    QCOMPARE(shape.has_value(), !opening.isEmpty());
    if (shape) {
        QCOMPARE(shape->opening, opening);
        QCOMPARE(shape->closing, closing);
    }
}

void RunReportTest::tokens_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("tokens");
    QTest::newRow("nearest closing") << QStringList{"[A]"} << "[A] et [B]" << QStringList{"[A]", "[B]"};
    QTest::newRow("closing of the same shape")
        << QStringList{"[A]", "<B>"} << "[x > y] <z]>" << QStringList{"[x > y]", "<z]>"};
    QTest::newRow("longest opening") << QStringList{"[A]", "£[B]#"} << "£[x]#" << QStringList{"£[x]#"};
    QTest::newRow("shared opening, nearest closing")
        << QStringList{"[A]", "[B]#"} << "[x]# [y]" << QStringList{"[x]#", "[y]"};
    QTest::newRow("unclosed") << QStringList{"[A]"} << "[x [y]" << QStringList{"[x [y]"};
    QTest::newRow("line break") << QStringList{"[A]"} << "[x\ny]" << QStringList{};
}

void RunReportTest::tokens()
{
    QFETCH(QStringList, codes);
    QFETCH(QString, text);
    QFETCH(QStringList, tokens);
    QStringList found;
    for (const auto& token : CodeShapes(codes).tokens(text, 0, text.size()))
        found << text.sliced(token.start, token.length);
    QCOMPARE(found, tokens);
}

void RunReportTest::automatonFindsWhatASearchFinds()
{
    QRandomGenerator random(7);
    const auto word = [&](int length) {
        QString w;
        for (int i = 0; i < length; ++i)
            w += QChar(u"abcAB£é"[random.bounded(7)]);
        return w;
    };
    QStringList codes;
    for (int i = 0; i < 60; ++i)
        codes << Folded(word(1 + random.bounded(4)));
    codes << QString() << codes.first(); // empty occurs nowhere; repeats both found
    const QString text = Folded(word(3000));
    QList<QPair<qsizetype, qsizetype>> expected, found;
    for (qsizetype end = 1; end <= text.size(); ++end) {
        for (qsizetype code = 0; code < codes.size(); ++code) {
            const qsizetype start = end - codes[code].size();
            if (!codes[code].isEmpty() && start >= 0 && QStringView(text).sliced(start).startsWith(codes[code]))
                expected.append({code, start});
        }
    }
    CodeAutomaton(codes).forEachMatch(text, [&](qsizetype code, qsizetype start) { found.append({code, start}); });
    const auto byEndThenCode = [&](const auto& a, const auto& b) {
        const qsizetype endA = a.second + codes[a.first].size(), endB = b.second + codes[b.first].size();
        return endA != endB ? endA < endB : a.first < b.first;
    };
    std::sort(found.begin(), found.end(), byEndThenCode);
    std::sort(expected.begin(), expected.end(), byEndThenCode);
    QVERIFY(expected.size() > 1000);
    QCOMPARE(found, expected);
}

void RunReportTest::trailAcrossInsertedText()
{
    // "abcdef": "cd" -> "XYZ" (owner 0), then "bX" -> "" (owner 1),
    // giving "aYZef"; then "Z" -> "QQ" (owner 2), giving "aYQQef".
    ReplacementTrail trail(6);
    trail.Replaced({2}, 2, 3, 0);
    trail.Replaced({1}, 2, 0, 1);
    trail.Replaced({2}, 1, 2, 2);
    const auto spans = trail.InsertedSpans();
    QCOMPARE(spans.size(), 1);
    // The three replacements joined: "YQQ" at 1, the last owner's.
    QCOMPARE(spans[0].start, 1);
    QCOMPARE(spans[0].length, 3);
    QCOMPARE(spans[0].owner, 2);
    // Old "ef" is untouched at 4; old "a" at 0; old "c" went into the span.
    QCOMPARE(trail.WhereNow(4, 2).start, 4);
    QCOMPARE(trail.WhereNow(4, 2).owner, -1);
    QCOMPARE(trail.WhereNow(0, 1).length, 1);
    QCOMPARE(trail.WhereNow(2, 1).start, 1);
    QCOMPARE(trail.WhereNow(2, 1).length, 3);
}

void RunReportTest::summary_data()
{
    QTest::addColumn<QList<int>>("states"); // ReportState per row
    QTest::addColumn<QList<int>>("occurrences");
    QTest::addColumn<QString>("line");
    const int R = int(ReportState::Replaced), N = int(ReportState::NotTranslated),
              C = int(ReportState::OtherCase), M = int(ReportState::Masked), A = int(ReportState::Absent);
    QTest::newRow("nothing") << QList<int>{} << QList<int>{} << "0 code remplacé (0 occurrence)";
    QTest::newRow("one") << QList<int>{R} << QList<int>{1} << "1 code remplacé (1 occurrence)";
    QTest::newRow("two") << QList<int>{R, R} << QList<int>{2, 3} << "2 codes remplacés (5 occurrences)";
    QTest::newRow("absent rows say nothing") << QList<int>{R, A, A} << QList<int>{1, 0, 0}
                                             << "1 code remplacé (1 occurrence)";
    QTest::newRow("every part")
        << QList<int>{R, N, N, N, C} << QList<int>{57, 1, 2, 1, 1}
        << "1 code remplacé (57 occurrences) — 3 codes non traduits — 1 avertissement";
    QTest::newRow("warnings") << QList<int>{N, C, M} << QList<int>{1, 1, 1}
                              << "0 code remplacé (0 occurrence) — 1 code non traduit — 2 avertissements";
}

void RunReportTest::summary()
{
    QFETCH(QList<int>, states);
    QFETCH(QList<int>, occurrences);
    QFETCH(QString, line);
    QList<ReportRow> rows;
    for (qsizetype i = 0; i < states.size(); ++i) {
        ReportRow row;
        row.state = ReportState(states[i]);
        row.occurrences = occurrences[i];
        rows.append(row);
    }
    QCOMPARE(SummaryLine(rows), line);
}

void RunReportTest::linesText()
{
    QCOMPARE(LinesText({}), QString());
    QCOMPARE(LinesText({4}), QString("4"));
    QCOMPARE(LinesText({1, 2, 3, 4, 5}), QString("1, 2, 3, 4, 5"));
    QCOMPARE(LinesText({1, 2, 3, 4, 5, 9}), QString("1, 2, 3, 4, 5, …"));
}

void RunReportTest::copiedText()
{
    ReportRow row;
    row.code = "[NOM]";
    row.replacement = "<NOM>";
    row.occurrences = 2;
    row.lines = {1, 3};
    row.file = "LETTRE";
    ReportRow absent;
    absent.state = ReportState::Absent;
    absent.code = "[AGE]";
    const FindingsTable table = ReportTable({row, absent});
    const QString shown = "résumé\r\nÉtat\tCode\tRemplacé par\tOccurrences\tLignes\r\n"
                          "Remplacé\t[NOM]\t<NOM>\t2\t1, 3\r\n";
    QCOMPARE(table.asText("résumé", false), shown);
    QCOMPARE(table.asText("résumé", true), shown + "Absent du script\t[AGE]\t\t0\t\r\n");
    QCOMPARE(ReportCells(row, true).first(), QString("LETTRE"));
    QCOMPARE(ReportColumns(true).first(), QString("Fichier"));
    QCOMPARE(table.numberColumns, QList<int>{3});
    QCOMPARE(ReportColumns(true).at(ReportTable({row}, true).numberColumns.first()), QString("Occurrences"));
}

QTEST_GUILESS_MAIN(RunReportTest)
#include "TestRunReport.moc"
