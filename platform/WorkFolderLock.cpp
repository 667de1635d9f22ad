#include "platform/WorkFolderLock.h"

#include "platform/Services.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QThread>
#include <QWidget>

#include <unistd.h>

namespace platform {
namespace {

const QByteArray kFront = "front\n";
const QByteArray kDone = "ok\n";

// A window that has just taken the lock listens a moment later.
constexpr int kConnectAttempts = 30;
constexpr int kAttemptMs = 100;

QString canonicalFolder(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : canonical;
}

} // namespace

QString WorkFolderLock::serverName(const QString& workFolder)
{
    // Per user: the socket lives in the shared temporary folder.
    const QByteArray key = QByteArray::number(::getuid()) + '\n' + canonicalFolder(workFolder).toUtf8();
    return QStringLiteral("PolyxX-")
           + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
}

QString WorkFolderLock::lockFileName(const QString& workFolder)
{
    return canonicalFolder(workFolder) + QStringLiteral("/.PolyxX.lock");
}

WorkFolderLock::WorkFolderLock(const QString& workFolder, QObject* parent)
    : QObject(parent), m_folder(workFolder), m_lock(lockFileName(workFolder))
{
    // Age proves nothing: a window may stay open for days. A dead process
    // on this machine does (QLockFile checks it); one on another machine
    // cannot be checked.
    m_lock.setStaleLockTime(0);
    if (m_lock.tryLock(0)) {
        listen();
        return;
    }
    if (m_lock.error() != QLockFile::LockFailedError) {
        // A folder where no lock can be made (read-only): nothing to guard.
        qWarning("WorkFolderLock: no lock file in %s", qUtf8Printable(workFolder));
        return;
    }
    qint64 pid = 0;
    QString host;
    QString application;
    m_lock.getLockInfo(&pid, &host, &application);
    const QString here = QSysInfo::machineHostName();
    if (!host.isEmpty() && host != here) {
        m_outcome = Outcome::OpenElsewhere;
        m_otherHost = host;
        return;
    }
    if (askToFront()) {
        m_outcome = Outcome::OpenHere;
        return;
    }
    // Alive (QLockFile would have taken a dead one over) but deaf: another
    // user's window, or one that hangs. It keeps the folder.
    m_outcome = Outcome::OpenElsewhere;
    m_otherHost = here;
}

WorkFolderLock::~WorkFolderLock() = default;

QString WorkFolderLock::openElsewhereMessage() const
{
    QString folder = QDir::toNativeSeparators(m_folder);
    if (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return QStringLiteral("Le dossier de travail \"%1\" est déjà ouvert sur le poste \"%2\".").arg(folder, m_otherHost);
}

bool WorkFolderLock::askToFront()
{
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(serverName(m_folder));
        if (socket.waitForConnected(kAttemptMs)) {
            socket.write(kFront);
            socket.waitForBytesWritten(1000);
            // A window busy with a long command answers late; it is there all the same.
            socket.waitForReadyRead(2000);
            return true;
        }
        QThread::msleep(kAttemptMs);
    }
    return false;
}

void WorkFolderLock::listen()
{
    const QString name = serverName(m_folder);
    // Holding the lock, any socket of that name was left by a crash.
    QLocalServer::removeServer(name);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) {
        qWarning("WorkFolderLock: cannot listen on %s: %s", qUtf8Printable(name),
                 qUtf8Printable(m_server->errorString()));
        return;
    }
    connect(m_server.get(), &QLocalServer::newConnection, this, &WorkFolderLock::answer);
}

void WorkFolderLock::answer()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() != kFront)
                return socket->disconnectFromServer();
            if (QWidget* window = mainWindow()) {
                if (window->isMinimized())
                    window->showNormal();
                window->show();
                window->raise();
                window->activateWindow();
            }
            socket->write(kDone);
            socket->flush();
            emit frontRequested();
        });
    }
}

} // namespace platform
