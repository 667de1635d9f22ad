#include "dictionaries/FileBytes.h"

#include "dictionaries/FileErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

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

void WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throw CreateFileError(path, file.errorString(), errno);
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw CreateFileError(path, file.errorString(), errno);
}

} // namespace polyx
