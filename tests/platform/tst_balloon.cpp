#include "platform/Services.h"
#include "platform/WindowBalloon.h"

#include <QApplication>
#include <QImage>
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
    void groundIsOpaque();
    void staysInsideTheWindowAndWraps_data();
    void staysInsideTheWindowAndWraps();

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

// What lies below (here a red panel standing for the tool buttons) never
// shows through the note.
void BalloonTest::groundIsOpaque()
{
    auto* below = new QWidget(m_window.get());
    below->setAutoFillBackground(true);
    QPalette red = below->palette();
    red.setColor(QPalette::Window, Qt::red);
    below->setPalette(red);
    below->setGeometry(m_window->rect());
    below->show();
    balloon().show("3 REMPLACEMENT(S)", "<NOM>=%NOM%");
    const QRect area = balloonWidget()->geometry();
    const QImage shot = m_window->grab().toImage();
    const QColor ground = balloonWidget()->palette().color(QPalette::ToolTipBase);
    // Inside the border, in the margins the text leaves free.
    for (const QPoint& at : {area.topLeft() + QPoint(3, 3), area.bottomRight() - QPoint(3, 3),
                             QPoint(area.center().x(), area.bottom() - 3)}) {
        QCOMPARE(shot.pixelColor(at), ground);
    }
}

void BalloonTest::staysInsideTheWindowAndWraps_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whole"); // the window leaves room for all of the text
    const QString code = QString(255, 'x');
    const QString codes = "<NOM>=%NOM%\r\n<PRENOM_DU_PATIENT_ET_DE_SON_MEDECIN_TRAITANT>=%PRENOM_DU_PATIENT_ET_DE_SON_MEDECIN_TRAITANT%";
    QTest::newRow("a code without a space") << QSize(800, 600) << code << true;
    QTest::newRow("long codes") << QSize(800, 600) << codes << true;
    QTest::newRow("a narrow window") << QSize(200, 600) << code << true;
    QTest::newRow("a window smaller than the note") << QSize(100, 60) << code << false;
}

void BalloonTest::staysInsideTheWindowAndWraps()
{
    QFETCH(QSize, window);
    QFETCH(QString, text);
    QFETCH(bool, whole);
    m_window->resize(window);
    balloon().show("12 REMPLACEMENT(S) dans une lettre au titre long", text);
    QWidget* note = balloonWidget();
    QVERIFY(m_window->rect().contains(note->geometry()));
    for (const char* name : {"balloonTitle", "balloonText"}) {
        auto* shown = m_window->findChild<QLabel*>(name);
        QVERIFY(note->rect().contains(shown->geometry()));
        // Its lines are as wide as the note lets them be, and there are as
        // many as the text needs.
        if (whole)
            QVERIFY2(shown->heightForWidth(shown->width()) <= shown->height(), name);
    }
    auto* lines = m_window->findChild<QLabel*>("balloonText");
    if (whole)
        QVERIFY(lines->height() >= 2 * lines->fontMetrics().height());

    // The window shrinks under the note: the note follows.
    m_window->resize(window / 2);
    QVERIFY(m_window->rect().contains(note->geometry()));
}

QTEST_MAIN(BalloonTest)
#include "tst_balloon.moc"
