#include "platform/NotificationServer.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>

namespace platform {
namespace {
// A server that does not answer at once is not waited for: the balloon
// then goes as it is.
constexpr int answerMilliseconds = 500;
} // namespace

QStringList DBusNotificationServer::capabilities() const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return {};
    const QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("GetCapabilities"));
    const QDBusReply<QStringList> reply = bus.call(ask, QDBus::Block, answerMilliseconds);
    return reply.isValid() ? reply.value() : QStringList();
}

QString notificationBody(const QString& text, const NotificationServer& server)
{
    if (server.capabilities().contains(QStringLiteral("body-markup")))
        return text.toHtmlEscaped();
    return text;
}

} // namespace platform
