#include "platform/Services.h"

#include "platform/NotificationBalloon.h"
#include "platform/ProgressWindow.h"
#include "platform/QtDialogs.h"
#include "platform/SystemDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace platform {
namespace {

class SystemClipboard : public Clipboard {
public:
    QString text() const override { return QGuiApplication::clipboard()->text(); }
    void setText(const QString& text) override { QGuiApplication::clipboard()->setText(text); }
};

class SystemScreen : public Screen {
public:
    QRect workArea() const override
    {
        if (const QScreen* primary = QGuiApplication::primaryScreen())
            return primary->availableGeometry();
        return QRect(0, 0, 1024, 768);
    }
};

class WaitCursor : public Cursor {
public:
    void pushBusy() override { QApplication::setOverrideCursor(Qt::WaitCursor); }
    void pop() override { QApplication::restoreOverrideCursor(); }
};

struct RealServices {
    QtDialogs dialogs;
    SystemClipboard clipboard;
    SystemDesktop desktop;
    NotificationBalloon balloon;
    SystemScreen screen;
    WaitCursor cursor;
    ProgressWindow progress;

    Services all() { return {&dialogs, &clipboard, &desktop, &balloon, &screen, &cursor, &progress}; }
};

RealServices& real()
{
    static RealServices instance;
    return instance;
}

Services& inForce()
{
    static Services current = real().all();
    return current;
}

template <class T> T* orReal(T* replacement, T* realOne) { return replacement ? replacement : realOne; }

QPointer<QWidget>& theMainWindow()
{
    static QPointer<QWidget> window;
    return window;
}

} // namespace

Services& services() { return inForce(); }

void setServices(const Services& replacement)
{
    const Services fallback = real().all();
    inForce() = {orReal(replacement.dialogs, fallback.dialogs),
                 orReal(replacement.clipboard, fallback.clipboard),
                 orReal(replacement.desktop, fallback.desktop),
                 orReal(replacement.balloon, fallback.balloon),
                 orReal(replacement.screen, fallback.screen),
                 orReal(replacement.cursor, fallback.cursor),
                 orReal(replacement.progress, fallback.progress)};
}

void resetServices() { inForce() = real().all(); }

Dialogs& dialogs() { return *services().dialogs; }
Clipboard& clipboard() { return *services().clipboard; }
Desktop& desktop() { return *services().desktop; }
Balloon& balloon() { return *services().balloon; }
Screen& screen() { return *services().screen; }
Progress& progress() { return *services().progress; }

BusyCursor::BusyCursor() : m_cursor(services().cursor) { m_cursor->pushBusy(); }
BusyCursor::~BusyCursor() { m_cursor->pop(); }

void setMainWindow(QWidget* window) { theMainWindow() = window; }
QWidget* mainWindow() { return theMainWindow(); }

void attachNotificationIcon(QWidget* window) { real().balloon.attach(window); }

} // namespace platform
