#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

class ScriptPane;
namespace polyx {
class ScriptLoad;
}
namespace platform {
class BusyCursor;
}

// The script files the panes restore, in the order they were asked for. A
// big one is read after the window shows, in steps between the events the
// window answers, under the hourglass; the ones asked for after it wait
// their turn, so that each pane ends as a reading in that order leaves it.
// A pane whose text changes while it waits (other than through this
// queue's own readings) keeps that text: its file is not read.
class ScriptLoadQueue : public QObject {
    Q_OBJECT
public:
    // A file this big is not read at once.
    static constexpr qint64 stepwiseBytes = 256 * 1024;

    explicit ScriptLoadQueue(QObject* parent = nullptr);
    ~ScriptLoadQueue() override;

    // Reads the file into the pane (RestoreFromFile), then runs `read`: at
    // once when the file is small and nothing waits, else later, when each
    // failure is shown as it comes. At once, a failure is thrown.
    void load(ScriptPane* pane, const QString& path, std::function<void()> read);
    bool waiting(const ScriptPane* pane) const;
    bool idle() const { return m_loads.empty(); }
    // Reads whatever waits, now, in order. Does nothing while the queue
    // itself is at work (its readings run the panes' handlers).
    void finish();
    // Runs `then` once nothing waits: at once when nothing does.
    void whenIdle(std::function<void()> then);

    // Told after each step: the file being read and how much of it is in
    // ("" when nothing waits any more).
    std::function<void(const QString& progress)> onProgress;

private:
    struct Pending;
    void stepFor(int milliseconds);
    // One step of the first load, which leaves the queue once it is over.
    void stepFirst(int lines);
    void endFirst(bool read);
    void reportProgress();

    std::deque<std::unique_ptr<Pending>> m_loads;
    std::vector<std::function<void()>> m_whenIdle;
    std::unique_ptr<platform::BusyCursor> m_busy;
    QTimer m_timer;
    bool m_working = false;
};
