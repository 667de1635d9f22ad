#pragma once
#include "platform/NotificationServer.h"
#include "platform/Services.h"

#include <QPointer>

class QSystemTrayIcon;

namespace platform {

class WindowBalloon;

// The notification icon's balloon when the desktop has a notification area,
// otherwise a WindowBalloon in mainWindow(). Both belong to their window, so
// they go when it goes.
class NotificationBalloon : public Balloon {
public:
    static constexpr int titleLimit = 63;
    static constexpr int textLimit = 255;

    // Puts the window's icon in the notification area for the rest of the
    // run; does nothing where there is no notification area.
    void attach(QWidget* window);
    void show(const QString& title, const QString& text) override;
    void setClickAction(std::function<void()> action) override;

private:
    DBusNotificationServer m_server;
    void clicked();

    std::function<void()> m_clickAction;
    QPointer<QSystemTrayIcon> m_tray;
    QPointer<WindowBalloon> m_inWindow;
};

} // namespace platform
