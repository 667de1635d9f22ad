#pragma once
#include <QString>
#include <QStringList>

namespace platform {

// The desktop's notification server (org.freedesktop.Notifications), which
// shows the notification icon's balloons where the desktop has one.
class NotificationServer {
public:
    virtual ~NotificationServer() = default;
    // What the server announces it does ("body-markup", ...); nothing when
    // there is no server to ask.
    virtual QStringList capabilities() const = 0;
};

// The server on the session bus, asked at each call: another one may have
// taken its place since.
class DBusNotificationServer : public NotificationServer {
public:
    QStringList capabilities() const override;
};

// A balloon's text as `server` must receive it to show it as written: a
// server that reads markup in the body gets it escaped ("<NOM>" is no tag),
// any other gets it as it is.
QString notificationBody(const QString& text, const NotificationServer& server);

} // namespace platform
