#include "files/FileCopy.h"

#include "dictionaries/FileBytes.h"
#include "dictionaries/FileErrors.h"
#include "platform/FileNames.h"
#include "platform/NativeNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace polyx {

namespace {

// `source` names the file in the messages.
void copyOpenFile(QFile& in, const QString& source, const QString& target)
{
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

} // namespace

void CopyFileReplacing(const QString& source, const QString& target)
{
    QFile in(source);
    errno = 0;
    if (!in.open(QIODevice::ReadOnly))
        throw OpenFileError(source, in.errorString(), errno);
    copyOpenFile(in, source, target);
}

namespace {

// As a file manager's copy: the backup of a file shows when the file was
// last changed, not when it was backed up, and an executable stays one.
// The time is set first: a read-only copy could not be opened for it.
void KeepDateAndPermissions(const QDateTime& modified, QFileDevice::Permissions permissions, const QString& target)
{
    QFile copy(target);
    errno = 0;
    if (!copy.open(QIODevice::ReadWrite) || !copy.setFileTime(modified, QFileDevice::FileModificationTime))
        throw CreateFileError(target, copy.errorString(), errno);
    copy.close();
    // The "User" flags tell what this process may do, not the file's mode.
    const QFileDevice::Permissions userFlags = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    if (!copy.setPermissions(permissions & ~userFlags))
        throw CreateFileError(target, copy.errorString());
}

void copyQtNamedFile(const QDir& from, const QDir& to, const QString& name)
{
    // The previous backup of a read-only file is read-only too.
    const QFileInfo previous(to.filePath(name));
    if (previous.isFile() && !previous.isWritable())
        QFile::setPermissions(previous.filePath(), previous.permissions() | QFileDevice::WriteOwner);
    CopyFileReplacing(from.filePath(name), to.filePath(name));
    const QFileInfo original(from.filePath(name));
    KeepDateAndPermissions(original.lastModified(), original.permissions(), to.filePath(name));
}

// No path reaches a name that is not UTF-8: the file is read through its
// descriptor, its copy written under a stand-in name and then given the
// very bytes of its own.
void copyNativeNamedFile(const QDir& from, const QDir& to, const QByteArray& name)
{
    const QString shown = platform::ShownName(name);
    errno = 0;
    const int descriptor = platform::OpenNative(from.path(), name);
    QFile in;
    if (descriptor < 0 || !in.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        const int error = errno;
        if (descriptor >= 0)
            ::close(descriptor);
        throw OpenFileError(from.filePath(shown), QString::fromLocal8Bit(std::strerror(error)), error);
    }
    QString standIn;
    for (int attempt = 0; standIn.isEmpty() || QFileInfo::exists(standIn); ++attempt)
        standIn = to.filePath(QStringLiteral(".polyx-copie-%1.tmp").arg(attempt));
    try {
        copyOpenFile(in, from.filePath(shown), standIn);
        KeepDateAndPermissions(in.fileTime(QFileDevice::FileModificationTime), in.permissions(), standIn);
    } catch (const Error&) {
        QFile::remove(standIn);
        throw;
    }
    errno = 0;
    if (!platform::RenameNative(to.path(), QFile::encodeName(platform::FileNameOf(standIn)), name)) {
        const int error = errno;
        QFile::remove(standIn);
        throw CreateFileError(to.filePath(shown), QString::fromLocal8Bit(std::strerror(error)), error);
    }
}

} // namespace

FolderCopy CopyFolderFiles(const QString& source, const QString& target)
{
    const QDir from(source);
    const QDir to(target);
    // Qt's own listing would pass over the names that are not UTF-8.
    QList<QByteArray> names;
    for (const platform::NativeEntry& entry : platform::ListNativeEntries(source))
        if (entry.isFile)
            names.append(entry.name);
    std::sort(names.begin(), names.end());
    FolderCopy copy;
    for (const QByteArray& name : names) {
        try {
            if (platform::IsQtName(name))
                copyQtNamedFile(from, to, QFile::decodeName(name));
            else
                copyNativeNamedFile(from, to, name);
            ++copy.copied;
        } catch (const Error& error) {
            copy.failed.append(platform::ShownName(name) + QStringLiteral(" : ") + error.message());
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
