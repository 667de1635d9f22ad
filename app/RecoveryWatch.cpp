#include "app/RecoveryWatch.h"

namespace {
unsigned bitOf(polyx::RecoveryPane pane) { return 1u << unsigned(pane); }
} // namespace

RecoveryWatch::RecoveryWatch(Write write, int quietMs, int spacingMs, QObject* parent)
    : QObject(parent), m_write(std::move(write)), m_quietMs(quietMs), m_spacingMs(spacingMs)
{
    m_clock.start();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryWatch::due);
}

void RecoveryWatch::changed(polyx::RecoveryPane pane)
{
    if (m_stopped)
        return;
    m_lastChange = m_clock.elapsed();
    if (m_pending == 0)
        m_firstChange = m_lastChange;
    m_pending |= bitOf(pane);
    // The timer is armed once per pause, not restarted per keystroke: when
    // it fires early it looks at the last change and waits again.
    if (!m_timer.isActive())
        m_timer.start(int(polyx::RecoveryDueTime(m_firstChange, m_lastChange, m_lastWrite, m_quietMs, m_spacingMs)
                          - m_lastChange));
}

void RecoveryWatch::stop()
{
    m_stopped = true;
    m_timer.stop();
    m_pending = 0;
}

void RecoveryWatch::due()
{
    const qint64 now = m_clock.elapsed();
    const qint64 at = polyx::RecoveryDueTime(m_firstChange, m_lastChange, m_lastWrite, m_quietMs, m_spacingMs);
    if (at > now) {
        m_timer.start(int(at - now));
        return;
    }
    QList<polyx::RecoveryPane> panes;
    for (polyx::RecoveryPane pane : polyx::AllRecoveryPanes())
        if (m_pending & bitOf(pane))
            panes << pane;
    m_pending = 0;
    m_lastWrite = now;
    m_write(panes);
}
