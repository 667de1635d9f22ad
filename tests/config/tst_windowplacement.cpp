#include "config/WindowPlacement.h"
#include "platform/Error.h"

#include <QTest>

class WindowPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void placementText()
    {
        QCOMPARE(PlacementText(QRect(-5, 7, 800, 600)), QStringLiteral("-5:7:800:600"));
    }

    void placementFromText_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QRect>("current");
        QTest::addColumn<QRect>("expected");
        // Work area 1920 x 1040 throughout.
        const QRect current(100, 100, 400, 300);
        QTest::newRow("inside") << "10:20:800:600" << current << QRect(10, 20, 800, 600);
        QTest::newRow("left beyond the right edge") << "2500:20:800:600" << current << QRect(1520, 20, 800, 600);
        QTest::newRow("left at the right edge stays") << "1920:20:800:600" << current << QRect(1920, 20, 800, 600);
        QTest::newRow("wider and taller") << "0:0:3000:2000" << current << QRect(0, 0, 1920, 1040);
        QTest::newRow("negative top") << "10:-50:800:600" << current << QRect(10, 0, 800, 600);
        QTest::newRow("negative left stays") << "-30:20:800:600" << current << QRect(-30, 20, 800, 600);
        QTest::newRow("top beyond the bottom stays") << "10:5000:800:600" << current << QRect(10, 5000, 800, 600);
        QTest::newRow("extra pieces ignored") << "1:2:3:4:5" << current << QRect(1, 2, 3, 4);
        QTest::newRow("three pieces") << "10:20:800" << current << current;
        QTest::newRow("empty") << "" << current << current;
    }
    void placementFromText()
    {
        QFETCH(QString, stored);
        QFETCH(QRect, current);
        QTEST(PlacementFromText(stored, current, QRect(0, 0, 1920, 1040)), "expected");
    }

    void pieceThatIsNoInteger_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("message");
        QTest::newRow("word") << "abc:0:10:10" << "'abc' n'est pas une valeur entière correcte";
        QTest::newRow("trailing letters") << "10:20:30:4x" << "'4x' n'est pas une valeur entière correcte";
        QTest::newRow("empty piece") << "10::30:40" << "'' n'est pas une valeur entière correcte";
    }
    void pieceThatIsNoInteger()
    {
        QFETCH(QString, stored);
        QFETCH(QString, message);
        try {
            PlacementFromText(stored, QRect(0, 0, 10, 10), QRect(0, 0, 1920, 1040));
            QFAIL("no conversion error");
        } catch (const polyx::Error& error) {
            QCOMPARE(error.message(), message);
        }
    }
};

QTEST_GUILESS_MAIN(WindowPlacementTest)
#include "tst_windowplacement.moc"
