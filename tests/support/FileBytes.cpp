#include "FileBytes.h"

#include <QFile>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

namespace {

QByteArray nativePath(const QString& folder, const QByteArray& name) { return QFile::encodeName(folder) + '/' + name; }

} // namespace

QByteArray readNativeBytes(const QString& folder, const QByteArray& name)
{
    const int fd = ::open(nativePath(folder, name).constData(), O_RDONLY | O_CLOEXEC);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return QByteArray("<unreadable>");
    }
    return file.readAll();
}

void writeNativeBytes(const QString& folder, const QByteArray& name, const QByteArray& bytes)
{
    const int fd = ::open(nativePath(folder, name).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    QVERIFY2(fd >= 0, name.constData());
    QFile file;
    QVERIFY(file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
    QCOMPARE(file.write(bytes), bytes.size());
}

void removeNative(const QString& folder, const QByteArray& name)
{
    const QByteArray path = nativePath(folder, name);
    QVERIFY2(::unlink(path.constData()) == 0 || ::rmdir(path.constData()) == 0, name.constData());
}
