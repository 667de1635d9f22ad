#pragma once
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

namespace platform {

// One window per work folder. The first start holds a lock file in the
// folder and listens on a local socket named after the folder's canonical
// path; a second start on this machine asks it to come to the front and
// ends. A lock left by a window that crashed is taken over. A lock held on
// another machine (the folder on a network share) is never taken over,
// however old.
class WorkFolderLock : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Ours,            // the folder is this window's
        OpenHere,        // a window on this machine has it and was asked to the front
        OpenElsewhere,   // a window on another machine (or one that does not answer) has it
    };

    explicit WorkFolderLock(const QString& workFolder, QObject* parent = nullptr);
    ~WorkFolderLock() override;

    Outcome outcome() const { return m_outcome; }
    // The machine named by the lock when OpenElsewhere.
    QString otherHost() const { return m_otherHost; }
    // 'Le dossier de travail "%s" est déjà ouvert sur le poste "%s".'
    QString openElsewhereMessage() const;

    // The socket's name for a folder: the same for every spelling of its path.
    static QString serverName(const QString& workFolder);
    // The lock file in a work folder.
    static QString lockFileName(const QString& workFolder);

signals:
    // Another start asked for the window; the main window is already in front.
    void frontRequested();

private:
    bool askToFront();
    void listen();
    void answer();

    QString m_folder;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
    Outcome m_outcome = Outcome::Ours;
    QString m_otherHost;
};

} // namespace platform
