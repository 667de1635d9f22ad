#pragma once
#include "app/Recovery.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// Notes which panes changed and has them written to the recovery folder
// once the user pauses (RecoveryDueTime). A change costs a clock reading:
// edits, pastes and whole translations may note as often as they like.
class RecoveryWatch : public QObject {
    Q_OBJECT
public:
    using Write = std::function<void(const QList<polyx::RecoveryPane>& panes)>;
    static constexpr int kQuietMs = 2000;
    static constexpr int kSpacingMs = 10000;

    explicit RecoveryWatch(Write write, int quietMs = kQuietMs, int spacingMs = kSpacingMs, QObject* parent = nullptr);

    void changed(polyx::RecoveryPane pane);
    // Nothing more is written: the run is ending.
    void stop();
    bool isPending() const { return m_pending != 0; }

private:
    void due();

    Write m_write;
    int m_quietMs;
    int m_spacingMs;
    QElapsedTimer m_clock;
    QTimer m_timer;
    unsigned m_pending = 0; // one bit per pane
    qint64 m_firstChange = 0;
    qint64 m_lastChange = 0;
    std::optional<qint64> m_lastWrite;
    bool m_stopped = false;
};
