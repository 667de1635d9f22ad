#include "platform/NotificationBalloon.h"

#include "platform/PlainToolTip.h"
#include "platform/WindowBalloon.h"

#include <QApplication>
#include <QStyle>
#include <QSystemTrayIcon>

namespace platform {
namespace {
// Cuts to `limit` UTF-16 units without leaving half a surrogate pair behind.
QString cut(const QString& text, int limit)
{
    QString result = text.left(limit);
    if (result.size() < text.size() && !result.isEmpty() && result.back().isHighSurrogate())
        result.chop(1);
    return result;
}
} // namespace

void NotificationBalloon::attach(QWidget* window)
{
    if (m_tray || !window || !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    QIcon icon = window->windowIcon();
    if (icon.isNull())
        icon = window->style()->standardIcon(QStyle::SP_MessageBoxInformation);
    m_tray = new QSystemTrayIcon(icon, window);
    m_tray->setToolTip(plainToolTip(window->windowTitle()));
    QObject::connect(m_tray, &QSystemTrayIcon::messageClicked, m_tray, [this] { clicked(); });
    m_tray->setVisible(true);
}

void NotificationBalloon::show(const QString& title, const QString& text)
{
    const QString shownTitle = cut(title, titleLimit);
    const QString shownText = cut(text, textLimit);
    if (!m_tray)
        attach(mainWindow());
    if (m_tray) {
        m_tray->setVisible(true);
        m_tray->showMessage(shownTitle, notificationBody(shownText, m_server), QSystemTrayIcon::Information);
        return;
    }
    QWidget* window = mainWindow() ? mainWindow() : QApplication::activeWindow();
    if (!window)
        return;
    if (!m_inWindow || m_inWindow->parentWidget() != window) {
        m_inWindow = new WindowBalloon(window);
        QObject::connect(m_inWindow, &WindowBalloon::clicked, m_inWindow, [this] { clicked(); });
    }
    m_inWindow->showNote(shownTitle, shownText);
}

void NotificationBalloon::setClickAction(std::function<void()> action)
{
    m_clickAction = std::move(action);
}

void NotificationBalloon::clicked()
{
    if (m_clickAction)
        m_clickAction();
}

} // namespace platform
