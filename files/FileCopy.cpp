#include "files/FileCopy.h"

#include "dictionaries/FileBytes.h"
#include "dictionaries/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace polyx {

void CopyFileReplacing(const QString& source, const QString& target)
{
    QFile in(source);
    errno = 0;
    if (!in.open(QIODevice::ReadOnly))
        throw OpenFileError(source, in.errorString(), errno);
    FileWriter out(target);
    constexpr qint64 kChunk = 1 << 20;
    while (!in.atEnd()) {
        errno = 0;
        const QByteArray bytes = in.read(kChunk);
        if (in.error() != QFileDevice::NoError)
            throw OpenFileError(source, in.errorString(), errno);
        out.write(bytes);
    }
    out.commit();
}

namespace {

// As a file manager's copy: the backup of a file shows when the file was
// last changed, not when it was backed up, and an executable stays one.
// The time is set first: a read-only copy could not be opened for it.
void KeepDateAndPermissions(const QString& source, const QString& target)
{
    const QFileInfo original(source);
    QFile copy(target);
    errno = 0;
    if (!copy.open(QIODevice::ReadWrite) || !copy.setFileTime(original.lastModified(), QFileDevice::FileModificationTime))
        throw CreateFileError(target, copy.errorString(), errno);
    copy.close();
    // The "User" flags tell what this process may do, not the file's mode.
    const QFileDevice::Permissions userFlags = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    if (!copy.setPermissions(original.permissions() & ~userFlags))
        throw CreateFileError(target, copy.errorString());
}

} // namespace

FolderCopy CopyFolderFiles(const QString& source, const QString& target)
{
    const QDir from(source);
    const QDir to(target);
    FolderCopy copy;
    for (const QString& name : from.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        try {
            // The previous backup of a read-only file is read-only too.
            const QFileInfo previous(to.filePath(name));
            if (previous.isFile() && !previous.isWritable())
                QFile::setPermissions(previous.filePath(), previous.permissions() | QFileDevice::WriteOwner);
            CopyFileReplacing(from.filePath(name), to.filePath(name));
            KeepDateAndPermissions(from.filePath(name), to.filePath(name));
            ++copy.copied;
        } catch (const Error&) {
            copy.failed.append(name);
        }
    }
    return copy;
}

QString BackupMessage(const FolderCopy& copy, const QString& folder)
{
    QString text = QString::number(copy.copied) + QStringLiteral(" Fichiers Sauvegardés ") + QStringLiteral("\r\n\r\n")
                   + QStringLiteral("Dans : ") + folder;
    if (!copy.failed.isEmpty())
        text += QStringLiteral("\r\n\r\n") + QString::number(copy.failed.size())
                + QStringLiteral(" Fichier(s) NON sauvegardé(s) :\r\n") + copy.failed.join(QStringLiteral("\r\n"));
    return text;
}

} // namespace polyx
