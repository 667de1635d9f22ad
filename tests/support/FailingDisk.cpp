#include "FailingDisk.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <unistd.h>

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    // Past the limit the kernel also sends SIGXFSZ, which would end the test.
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_previous);
    rlimit limit = m_previous;
    limit.rlim_cur = rlim_t(bytes);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        QTest::qFail("the file size limit cannot be set", __FILE__, __LINE__);
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_previous);
    std::signal(SIGXFSZ, m_previousHandler);
}

SmallDisk::SmallDisk(const QString& folder, qint64 bytes) : m_folder(folder)
{
    if (geteuid() != 0)
        return;
    QProcess mount;
    mount.start(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                          QStringLiteral("size=%1").arg(bytes), QStringLiteral("tmpfs"), folder});
    m_mounted = mount.waitForFinished(10000) && mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0;
}

SmallDisk::~SmallDisk()
{
    if (!m_mounted)
        return;
    QProcess umount;
    umount.start(QStringLiteral("umount"), {m_folder});
    umount.waitForFinished(10000);
}

void SmallDisk::fill(const QString& name) const
{
    QFile filler(QDir(m_folder).filePath(name));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    // What a block could not take, byte by byte.
    while (filler.write("x", 1) == 1) {
    }
}
