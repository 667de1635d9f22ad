// Linked into the program unchanged: prints "shown" once its window has
// painted, then "script" once the scripts the restore asked for are in
// their panes and the external one has painted them, and quits, so that
// polyx_bench can time a start with a big script from outside.
#include "app/Unit1.h"
#include "scripts/ScriptPane.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>

namespace {

void say(const char* line)
{
    std::fputs(line, stdout);
    std::fflush(stdout);
}

class QuitWhenScriptShown : public QObject {
public:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (m_done || event->type() != QEvent::Paint)
            return false;
        auto* form = qobject_cast<TForm1*>(object);
        if (!form)
            return false;
        m_done = true;
        QTimer::singleShot(0, form, [form] {
            say("shown\n");
            form->whenScriptsRead([form] {
                form->SKRIVO_EXT->viewport()->repaint();
                say("script\n");
                QCoreApplication::quit();
            });
        });
        return false;
    }

private:
    bool m_done = false;
};

void installHook()
{
    qApp->installEventFilter(new QuitWhenScriptShown);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installHook)
