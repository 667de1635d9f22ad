// Whether the tray balloon's text is escaped: what the desktop's
// notification server announces decides, asked over the session bus.
#include "platform/NotificationServer.h"
#include "platform/testing/FakeServices.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace platform;

// A notification server of our own on a private session bus.
class AnnouncingServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList announced;
public slots:
    QStringList GetCapabilities() { return announced; }
};

class NotificationServerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void bodyEscapedOnlyForMarkup_data();
    void bodyEscapedOnlyForMarkup();
    void sessionBusServerIsAsked();

private:
    QProcess m_bus;
};

void NotificationServerTest::initTestCase()
{
    // Before anything opens the session bus: ours, not the desktop's.
    const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
    if (daemon.isEmpty())
        return;
    m_bus.start(daemon, {"--session", "--nofork", "--print-address=1"});
    if (!m_bus.waitForReadyRead(5000))
        return;
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.readLine().trimmed());
}

void NotificationServerTest::cleanupTestCase()
{
    if (m_bus.state() != QProcess::NotRunning) {
        m_bus.kill();
        m_bus.waitForFinished();
    }
}

void NotificationServerTest::bodyEscapedOnlyForMarkup_data()
{
    QTest::addColumn<QStringList>("capabilities");
    QTest::addColumn<QString>("body");
    const QString report = "<B> => %B%\r\n<CODE> => a&b\r\n";
    QTest::newRow("no server") << QStringList() << report;
    QTest::newRow("plain body") << QStringList{"body", "actions"} << report;
    QTest::newRow("body markup")
        << QStringList{"actions", "body", "body-markup"} << "&lt;B&gt; =&gt; %B%\r\n&lt;CODE&gt; =&gt; a&amp;b\r\n";
}

void NotificationServerTest::bodyEscapedOnlyForMarkup()
{
    QFETCH(QStringList, capabilities);
    QFETCH(QString, body);
    FakeNotificationServer server;
    server.announced = capabilities;
    QCOMPARE(notificationBody("<B> => %B%\r\n<CODE> => a&b\r\n", server), body);
}

void NotificationServerTest::sessionBusServerIsAsked()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        QSKIP("no dbus-daemon to stand for the desktop's session bus");
    const DBusNotificationServer real;
    QCOMPARE(real.capabilities(), QStringList());

    AnnouncingServer server;
    server.announced = {"body", "body-markup"};
    QVERIFY(bus.registerObject("/org/freedesktop/Notifications", &server, QDBusConnection::ExportAllSlots));
    QVERIFY(bus.registerService("org.freedesktop.Notifications"));
    QCOMPARE(real.capabilities(), (QStringList{"body", "body-markup"}));
    QCOMPARE(notificationBody("<NOM>", real), QString("&lt;NOM&gt;"));

    server.announced = {"body"};
    QCOMPARE(notificationBody("<NOM>", real), QString("<NOM>"));
    bus.unregisterService("org.freedesktop.Notifications");
    bus.unregisterObject("/org/freedesktop/Notifications");
}

QTEST_GUILESS_MAIN(NotificationServerTest)
#include "tst_notification_server.moc"
