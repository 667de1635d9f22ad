#pragma once
#include <QObject>

class QSocketNotifier;

namespace platform {

// The desktop ending the run: the session manager's commit request at
// logout, SIGTERM (shutdown, `kill`) and SIGHUP (the terminal or session
// gone). Each arrives as `requested()` on the event loop; the signal
// handlers themselves only write a byte into a pipe. One per program.
class ShutdownRequests : public QObject {
    Q_OBJECT
public:
    explicit ShutdownRequests(QObject* parent = nullptr);
    ~ShutdownRequests() override; // the default handlers again

signals:
    void requested();

private:
    void readPipe();
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace platform
