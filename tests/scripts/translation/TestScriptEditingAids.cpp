#include "scripts/translation/ScriptEditingAids.h"

#include <QTest>

using namespace polyx;

class ScriptEditingAidsTest : public QObject {
    Q_OBJECT
private slots:
    void pickToken_data();
    void pickToken();
    void aid_data();
    void aid();
};

void ScriptEditingAidsTest::pickToken_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("picked");
    QTest::addColumn<QString>("token");

    QTest::newRow("tag") << "{NOM}" << true << "NOM";
    QTest::newRow("blank before colon") << "(AGE : 45)" << true << "AGE";
    QTest::newRow("tag with a format") << "{DDN :date}" << true << "DDN";
    QTest::newRow("two blanks before colon") << "CODE  : x" << true << "CODE ";
    QTest::newRow("no colon") << "£[SG" << true << "£[SG";
    QTest::newRow("first colon") << "a:b : c" << true << "a";
    QTest::newRow("brackets kept") << "[{NOM}]" << true << "[NOM]";
    QTest::newRow("brace only") << "{" << true << "";
    QTest::newRow("parentheses only") << "()" << true << "";
    QTest::newRow("colon first") << " :NOM" << true << "";
    QTest::newRow("nothing selected") << "" << false << "";
}

void ScriptEditingAidsTest::pickToken()
{
    QFETCH(QString, selected);
    QFETCH(bool, picked);
    QFETCH(QString, token);

    const std::optional<QString> result = PickToken(selected);
    QCOMPARE(result.has_value(), picked);
    if (picked)
        QCOMPARE(*result, token);
}

void ScriptEditingAidsTest::aid_data()
{
    QTest::addColumn<ScriptAid>("aid");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caret");

    QTest::newRow("comment selection") << ScriptAid::Comment << "a NOM b" << 2 << 3
                                       << "a /* NOM */ b" << 11;
    QTest::newRow("comment at caret") << ScriptAid::Comment << "ab" << 1 << 0 << "a/*  */b" << 7;
    QTest::newRow("tag selection") << ScriptAid::Tag << "a NOM b" << 2 << 3 << "a {NOM} b" << 7;
    QTest::newRow("tag at caret") << ScriptAid::Tag << "" << 0 << 0 << "{}" << 2;
    QTest::newRow("assignment over a word") << ScriptAid::Assignment << "x NOM y" << 2 << 3
                                            << "x @@_ :=  y" << 9;
    QTest::newRow("assignment at caret") << ScriptAid::Assignment << "xy" << 2 << 0
                                         << "xy@@_ := " << 9;
    QTest::newRow("selection past the end") << ScriptAid::Comment << "abc" << 2 << 10
                                            << "ab/* c */" << 9;
}

void ScriptEditingAidsTest::aid()
{
    QFETCH(ScriptAid, aid);
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, result);
    QFETCH(int, caret);

    const ScriptAidEdit edit = ApplyScriptAid(aid, text, start, length);
    QCOMPARE(edit.text, result);
    QCOMPARE(edit.caret, qsizetype(caret));
}

QTEST_GUILESS_MAIN(ScriptEditingAidsTest)
#include "TestScriptEditingAids.moc"
