#include "scripts/ScriptLoadQueue.h"

#include "platform/CommandGuard.h"
#include "platform/Services.h"
#include "scripts/ScriptLoad.h"
#include "scripts/ScriptPane.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QTextDocument>

#include <climits>

namespace {
// A few milliseconds of Qt's work on a quiet machine; the queue yields to
// the window's events between its turns of about a screen refresh.
constexpr int kLinesPerStep = 2000;
constexpr int kTurnMilliseconds = 25;
} // namespace

struct ScriptLoadQueue::Pending {
    QPointer<ScriptPane> pane;
    QString path;
    std::function<void()> read;
    std::unique_ptr<polyx::ScriptLoad> load;
    // The pane's text as the queue last saw it.
    const QTextDocument* document = nullptr;
    int revision = 0;

    void remember()
    {
        document = pane ? pane->document() : nullptr;
        revision = document ? document->revision() : 0;
    }
    bool superseded() const { return !pane || pane->document() != document || document->revision() != revision; }
};

ScriptLoadQueue::ScriptLoadQueue(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, [this] { stepFor(kTurnMilliseconds); });
}

ScriptLoadQueue::~ScriptLoadQueue()
{
    for (const std::unique_ptr<Pending>& pending : m_loads)
        if (pending->pane)
            pending->pane->AbandonRestore();
}

void ScriptLoadQueue::load(ScriptPane* pane, const QString& path, std::function<void()> read)
{
    if (m_loads.empty() && QFileInfo(path).size() < stepwiseBytes) {
        pane->RestoreFromFile(path);
        read();
        return;
    }
    auto pending = std::make_unique<Pending>();
    pending->pane = pane;
    pending->path = path;
    pending->read = std::move(read);
    pending->remember();
    pane->WaitForRestore();
    m_loads.push_back(std::move(pending));
    if (!m_busy)
        m_busy = std::make_unique<platform::BusyCursor>();
    reportProgress();
    m_timer.start();
}

bool ScriptLoadQueue::waiting(const ScriptPane* pane) const
{
    for (const std::unique_ptr<Pending>& pending : m_loads)
        if (pending->pane == pane)
            return true;
    return false;
}

void ScriptLoadQueue::finish() { stepFor(INT_MAX); }

void ScriptLoadQueue::whenIdle(std::function<void()> then)
{
    if (idle())
        then();
    else
        m_whenIdle.push_back(std::move(then));
}

void ScriptLoadQueue::stepFor(int milliseconds)
{
    if (m_working || m_loads.empty())
        return;
    QElapsedTimer clock;
    clock.start();
    {
        const QScopedValueRollback working(m_working, true);
        const int lines = milliseconds == INT_MAX ? INT_MAX : kLinesPerStep;
        while (!m_loads.empty() && clock.elapsed() < milliseconds)
            stepFirst(lines);
    }
    if (!m_loads.empty())
        return reportProgress();
    m_timer.stop();
    m_busy.reset();
    for (const std::function<void()>& then : std::exchange(m_whenIdle, {}))
        platform::runGuarded(then);
}

void ScriptLoadQueue::stepFirst(int lines)
{
    Pending& first = *m_loads.front();
    if (first.superseded())
        return endFirst(false);
    bool done = false;
    const bool stepped = platform::runGuarded([&] {
        if (!first.load)
            first.load = first.pane->StartRestore(first.path);
        done = first.load->step(lines);
    });
    if (!stepped || first.superseded())
        endFirst(false);
    else if (done)
        endFirst(true);
}

void ScriptLoadQueue::endFirst(bool read)
{
    const std::unique_ptr<Pending> first = std::move(m_loads.front());
    m_loads.pop_front();
    if (first->pane && read)
        first->pane->FinishRestore(*first->load);
    else if (first->pane)
        first->pane->AbandonRestore();
    // The progress line gives way to what the reading has to say.
    reportProgress();
    if (first->pane && read)
        platform::runGuarded(first->read);
    // What the reading changed in the panes that wait (an internal script
    // cleared beside a new external one) is the queue's own doing.
    for (const std::unique_ptr<Pending>& pending : m_loads)
        pending->remember();
}

void ScriptLoadQueue::reportProgress()
{
    if (!onProgress)
        return;
    if (m_loads.empty())
        return onProgress(QString());
    const Pending& first = *m_loads.front();
    // The figure first: the status bar's last panel may be narrow.
    onProgress(QStringLiteral("Lecture : %1 % du script \"%2\"")
                   .arg(first.load ? first.load->percent() : 0)
                   .arg(QFileInfo(first.path).fileName()));
}
