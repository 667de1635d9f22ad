#include "dictionaries/FileBytes.h"

#include "dictionaries/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace polyx {

QByteArray ReadFileBytes(const QString& path, qint64 maxBytes)
{
    // A folder, a pipe or a device is refused before it is opened: reading
    // one would fail oddly, block or never end.
    if (!QFileInfo(path).isFile())
        throw OpenFileError(path, QString());
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw OpenFileError(path, file.errorString(), errno);
    if (file.size() > maxBytes)
        throw OpenFileError(path, QStringLiteral("Le fichier est trop volumineux"));
    errno = 0;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw OpenFileError(path, file.errorString(), errno);
    return bytes;
}

namespace {

// A file reached through a link is replaced where it lies, and the link
// stays a link.
QString replacedFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? info.symLinkTarget() : target;
}

// The permissions the new file takes: the old file's, else those a new
// file gets in this folder.
mode_t modeFor(const QByteArray& target)
{
    struct stat old {};
    if (::stat(target.constData(), &old) == 0)
        return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

FileWriter::FileWriter(const QString& path) : m_path(path), m_target(replacedFile(path))
{
    const QByteArray target = QFile::encodeName(m_target);
    // As a save dialog would: a read-only file is not replaced behind the
    // user's back, though its folder would allow it.
    if (QFileInfo(m_target).isDir())
        fail(EISDIR);
    if (::access(target.constData(), F_OK) == 0 && ::access(target.constData(), W_OK) != 0)
        fail(errno);
    // A short name of our own: the file's name plus a suffix could pass the
    // file system's limit on a name.
    m_temporary = QFile::encodeName(QFileInfo(m_target).absolutePath()) + "/.polyx-XXXXXX";
    m_descriptor = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (m_descriptor < 0) {
        m_temporary.clear();
        fail(errno);
    }
    if (::fchmod(m_descriptor, modeFor(target)) != 0)
        fail(errno);
}

FileWriter::~FileWriter()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
}

void FileWriter::write(QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(m_descriptor, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        // A short count is the disk filling up: the next call says why.
        data += written;
        left -= written;
    }
}

void FileWriter::commit()
{
    // Some file systems report a failed write only when the file is closed.
    const int descriptor = m_descriptor;
    m_descriptor = -1;
    if (::close(descriptor) != 0)
        fail(errno);
    if (::rename(m_temporary.constData(), QFile::encodeName(m_target).constData()) != 0)
        fail(errno);
    m_temporary.clear();
}

void FileWriter::fail(int systemError)
{
    const int error = systemError;
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        m_temporary.clear();
    }
    throw CreateFileError(m_path, QString(), error);
}

void WriteFileBytes(const QString& path, QByteArrayView bytes)
{
    FileWriter file(path);
    file.write(bytes);
    file.commit();
}

} // namespace polyx
