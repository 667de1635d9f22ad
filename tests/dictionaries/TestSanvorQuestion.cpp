#include "questions/SanvorQuestion.h"

#include <QtTest>

class TestSanvorQuestion : public QObject {
    Q_OBJECT

private slots:
    void line_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        QTest::newRow("blanks around, blanks inside") << "  date de naissance " << "<DATE_DE_NAISSANCE>=";
        QTest::newRow("accented letters stay small") << "<âge>" << "<âGE>=";
        QTest::newRow("accented capitals stay") << "Élève" << "<ÉLèVE>=";
        QTest::newRow("empty") << "" << "<>=";
        QTest::newRow("control characters at the ends") << "\tcode postal\r\n" << "<CODE_POSTAL>=";
        QTest::newRow("every blank") << "a  b" << "<A__B>=";
        QTest::newRow("brackets anywhere") << "<<x>y>" << "<XY>=";
        QTest::newRow("only blanks") << "   " << "<>=";
    }
    void line()
    {
        QFETCH(QString, typed);
        QTEST(polyx::SanvorQuestionLine(typed), "line");
    }
};

QTEST_GUILESS_MAIN(TestSanvorQuestion)
#include "TestSanvorQuestion.moc"
