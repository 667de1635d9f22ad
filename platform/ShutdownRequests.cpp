#include "platform/ShutdownRequests.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

int g_pipe[2] = {-1, -1};
const int kSignals[] = {SIGTERM, SIGHUP};

void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a request.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

ShutdownRequests::ShutdownRequests(QObject* parent) : QObject(parent)
{
    // Close-on-exec: the programs the window starts keep none of it.
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("ShutdownRequests: pipe2: %s", strerror(errno));
        g_pipe[0] = g_pipe[1] = -1;
    } else {
        m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &ShutdownRequests::readPipe);
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int number : kSignals)
            ::sigaction(number, &action, nullptr);
    }
#ifndef QT_NO_SESSIONMANAGER
    // Answered at once and without interaction: the save needs nobody.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { emit requested(); });
#endif
}

ShutdownRequests::~ShutdownRequests()
{
    if (g_pipe[0] < 0)
        return;
    for (const int number : kSignals)
        ::signal(number, SIG_DFL);
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void ShutdownRequests::readPipe()
{
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    emit requested();
}

} // namespace platform
