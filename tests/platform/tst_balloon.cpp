#include "platform/Services.h"
#include "platform/WindowBalloon.h"

#include <QApplication>
#include <QLabel>
#include <QSystemTrayIcon>
#include <QTest>

using namespace platform;

class BalloonTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cutsTitleAndText_data();
    void cutsTitleAndText();
    void showsInTheLowerRightCornerThenHides();

private:
    QWidget* balloonWidget() { return m_window->findChild<QWidget*>("notificationBalloon"); }
    QString label(const char* name) { return m_window->findChild<QLabel*>(name)->text(); }
    std::unique_ptr<QWidget> m_window;
};

void BalloonTest::init()
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        QSKIP("the desktop has a notification area: balloons do not go into the window");
    resetServices();
    m_window = std::make_unique<QWidget>();
    m_window->resize(800, 600);
    m_window->show();
    setMainWindow(m_window.get());
}

void BalloonTest::cleanup()
{
    setMainWindow(nullptr);
    m_window.reset();
}

void BalloonTest::cutsTitleAndText_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shownTitle");
    QTest::addColumn<QString>("shownText");

    const QString title63 = QString(63, 'T');
    const QString text255 = QString(255, 'x');
    QTest::newRow("short") << "12 REMPLACEMENT(S)" << "<NOM>=%NOM%" << "12 REMPLACEMENT(S)"
                           << "<NOM>=%NOM%";
    QTest::newRow("at the limits") << title63 << text255 << title63 << text255;
    QTest::newRow("one over") << title63 + "U" << text255 + "y" << title63 << text255;
    QTest::newRow("far over") << title63 + QString(100, 'U') << text255 + QString(1000, 'y') << title63
                              << text255;
    QTest::newRow("tag-like keys") << "<CENTER> 1 REMPLACEMENT(S)" << "<B> => <SMALL>" << "<CENTER> 1 REMPLACEMENT(S)"
                                   << "<B> => <SMALL>";
    QTest::newRow("empty text") << "Aucun remplacement n'a été effectué" << ""
                                << "Aucun remplacement n'a été effectué" << "";
}

void BalloonTest::cutsTitleAndText()
{
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, shownTitle);
    QFETCH(QString, shownText);

    balloon().show(title, text);

    QWidget* note = balloonWidget();
    QVERIFY(note);
    QVERIFY(note->isVisible());
    QCOMPARE(label("balloonTitle"), shownTitle);
    QCOMPARE(label("balloonText"), shownText);
    QVERIFY(m_window->findChild<QLabel*>("balloonTitle")->font().bold());
    for (const char* name : {"balloonTitle", "balloonText"})
        QCOMPARE(m_window->findChild<QLabel*>(name)->textFormat(), Qt::PlainText);
}

void BalloonTest::showsInTheLowerRightCornerThenHides()
{
    balloon().show("3 REMPLACEMENT(S)", "<NOM>=%NOM%\r\n<AGE>=%AGE%");
    QWidget* note = balloonWidget();
    QVERIFY(note);
    QCOMPARE(label("balloonText"), QString("<NOM>=%NOM%\n<AGE>=%AGE%"));
    const QRect area = note->geometry();
    QVERIFY(m_window->rect().contains(area));
    QVERIFY(area.right() > m_window->width() * 3 / 4);
    QVERIFY(area.bottom() > m_window->height() * 3 / 4);
    QTRY_VERIFY_WITH_TIMEOUT(!note->isVisible(), WindowBalloon::shownMilliseconds + 2000);
}

QTEST_MAIN(BalloonTest)
#include "tst_balloon.moc"
