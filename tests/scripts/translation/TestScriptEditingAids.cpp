#include "scripts/ScriptEditingAids.h"

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
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("insertion");

    QTest::newRow("comment selection") << ScriptAid::Comment << "NOM" << "/* NOM */";
    QTest::newRow("comment at caret") << ScriptAid::Comment << "" << "/*  */";
    QTest::newRow("tag selection") << ScriptAid::Tag << "NOM" << "{NOM}";
    QTest::newRow("tag at caret") << ScriptAid::Tag << "" << "{}";
    QTest::newRow("assignment drops the selection") << ScriptAid::Assignment << "NOM" << "@@_ := ";
    QTest::newRow("assignment at caret") << ScriptAid::Assignment << "" << "@@_ := ";
}

void ScriptEditingAidsTest::aid()
{
    QFETCH(ScriptAid, aid);
    QFETCH(QString, selected);
    QTEST(ScriptAidInsertion(aid, selected), "insertion");
}

QTEST_GUILESS_MAIN(ScriptEditingAidsTest)
#include "TestScriptEditingAids.moc"
