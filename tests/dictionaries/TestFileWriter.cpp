// The one writer of user files: a failed write or a full disk leaves the
// old file as it was and says why; names at the file system's limit save.
#include "tests/support/ErrorMessage.h"
#include "tests/support/FailingDisk.h"
#include "tests/support/FileBytes.h"

#include "dictionaries/FileBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray kOld("<NOM>=ancien\r\n");

QString createError(const QString& path, const QString& reason)
{
    return QString("Impossible de créer le fichier \"%1\". %2").arg(QDir::toNativeSeparators(path), reason);
}

QStringList namesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestFileWriter : public QObject {
    Q_OBJECT

private slots:
    void failingDeviceKeepsOldFile_data();
    void failingDeviceKeepsOldFile();
    void fullDiskKeepsOldFile();
    void nameAtTheLimitSaves_data();
    void nameAtTheLimitSaves();
    void replacingKeepsModeAndLink();
};

// The file stops growing after `limit` bytes, as a device that fails after
// N bytes: whether the failure comes on a write or on the last flush of
// a buffer, the save is cancelled.
void TestFileWriter::failingDeviceKeepsOldFile_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit");

    QTest::newRow("within one buffer") << 8 * 1024 << 4096;
    QTest::newRow("many buffers") << 300 * 1024 << 64 * 1024;
    QTest::newRow("the last byte") << 5000 << 4999;
    QTest::newRow("nothing fits") << 10 << 0;
}

void TestFileWriter::failingDeviceKeepsOldFile()
{
    QFETCH(int, size);
    QFETCH(int, limit);
    QTemporaryDir dir;
    const QString target = dir.filePath("DUPONT.DICO");
    writeBytes(target, kOld);

    QString message;
    {
        const FileSizeLimit failsAfter(limit);
        message = errorOf([&] { polyx::WriteFileBytes(target, QByteArray(size, 'a')); });
    }
    QCOMPARE(message, createError(target, "Le fichier dépasse la taille permise"));
    QCOMPARE(readBytes(target), kOld);
    QCOMPARE(namesIn(dir.path()), QStringList{"DUPONT.DICO"});

    // The same writer, the limit gone, writes it all.
    polyx::WriteFileBytes(target, QByteArray(size, 'a'));
    QCOMPARE(readBytes(target), QByteArray(size, 'a'));
}

void TestFileWriter::fullDiskKeepsOldFile()
{
    QTemporaryDir dir;
    const SmallDisk disk(dir.path(), 64 * 1024);
    if (!disk.mounted())
        QSKIP("a small file system can only be mounted as root");
    const QString target = dir.filePath("DUPONT.DICO");
    writeBytes(target, kOld);
    disk.fill("plein");

    QCOMPARE(errorOf([&] { polyx::WriteFileBytes(target, QByteArray(8 * 1024, 'a')); }),
             createError(target, "Plus de place sur le disque"));
    QCOMPARE(readBytes(target), kOld);
    QCOMPARE(namesIn(dir.path()), (QStringList{"DUPONT.DICO", "plein"}));
}

// A temporary name made by adding to the file's name would pass the limit
// of 255 bytes.
void TestFileWriter::nameAtTheLimitSaves_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("255 ASCII bytes") << QString(255 - 5, u'D') + ".DICO";
    QTest::newRow("255 bytes of accents") << QString(125, u'é') + ".DICO";
}

void TestFileWriter::nameAtTheLimitSaves()
{
    QFETCH(QString, name);
    QCOMPARE(name.toUtf8().size(), 255);
    QTemporaryDir dir;
    const QString target = dir.filePath(name);
    polyx::WriteFileBytes(target, "<NOM>=premier\r\n");
    QCOMPARE(readBytes(target), QByteArray("<NOM>=premier\r\n"));
    polyx::WriteFileBytes(target, "<NOM>=nouveau\r\n");
    QCOMPARE(readBytes(target), QByteArray("<NOM>=nouveau\r\n"));
    QCOMPARE(namesIn(dir.path()), QStringList{name});
}

// As the system's save of an editor: the mode stays, and a link stays a
// link to the file it names, which is the one replaced.
void TestFileWriter::replacingKeepsModeAndLink()
{
    QTemporaryDir dir;
    const QString real = dir.filePath("réel.DICO");
    writeBytes(real, kOld);
    const QFileDevice::Permissions mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(real, mode));
    const QString link = dir.filePath("lien.DICO");
    QVERIFY(QFile::link(real, link));

    polyx::WriteFileBytes(link, "<NOM>=nouveau\r\n");
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(readBytes(real), QByteArray("<NOM>=nouveau\r\n"));
    const QFileDevice::Permissions modeBits = ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    QCOMPARE(QFileInfo(real).permissions() & modeBits, mode);
    QCOMPARE(namesIn(dir.path()), (QStringList{"lien.DICO", "réel.DICO"}));
}

QTEST_GUILESS_MAIN(TestFileWriter)
#include "TestFileWriter.moc"
