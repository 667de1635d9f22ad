// Linked into a program unchanged: once its first window has painted, prints
// "shown" and quits, so that the time to a shown window can be measured
// from outside.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class QuitWhenShown : public QObject {
public:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (!m_done && event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(object);
            if (widget && widget->isWindow()) {
                m_done = true;
                // After the whole paint of this frame.
                QTimer::singleShot(0, qApp, [] {
                    std::fputs("shown\n", stdout);
                    std::fflush(stdout);
                    QCoreApplication::quit();
                });
            }
        }
        return false;
    }

private:
    bool m_done = false;
};

void installHook()
{
    qApp->installEventFilter(new QuitWhenShown);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installHook)
