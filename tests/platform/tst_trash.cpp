// Deleting to the freedesktop trash through the real desktop, in a home of
// the test's own: a new account has no trash yet, and whatever happens the
// current folder is left alone.
#include "platform/Error.h"
#include "platform/SystemDesktop.h"
#include "platform/Trash.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace platform;

namespace {

// An environment variable set (or unset, for a null value) for the test's
// lifetime.
class EnvOverride {
public:
    EnvOverride(const char* name, const QByteArray& value) : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvOverride()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TrashTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_root;
    QString m_savedCurrent;
    QString m_home;
    QString m_work;    // where the user's files are
    QString m_current; // the process's current folder, which must stay empty
    std::unique_ptr<EnvOverride> m_homeVariable;

    QString home(const QString& name) const { return m_home + '/' + name; }
    QString work(const QString& name) const { return m_work + '/' + name; }

private slots:
    void init()
    {
        QVERIFY(m_root.isValid());
        m_home = m_root.filePath("maison");
        m_work = m_root.filePath("travail");
        m_current = m_root.filePath("courant");
        for (const QString& folder : {m_home, m_work, m_current})
            QVERIFY(QDir().mkpath(folder));
        m_homeVariable = std::make_unique<EnvOverride>("HOME", QFile::encodeName(m_home));
        m_savedCurrent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_current));
    }
    void cleanup()
    {
        QVERIFY(QDir::setCurrent(m_savedCurrent));
        m_homeVariable.reset();
        QVERIFY(QDir(m_home).removeRecursively());
        QVERIFY(QDir(m_work).removeRecursively());
        QVERIFY(QDir(m_current).removeRecursively());
    }

    // XDG_DATA_HOME as given, relative to the test's home when it is a
    // name; where the trash must then be made.
    void newAccountGetsATrash_data()
    {
        QTest::addColumn<QByteArray>("dataHome");
        QTest::addColumn<QString>("trash");
        QTest::newRow("XDG_DATA_HOME missing") << QByteArray("donnees/partage") << "donnees/partage/Trash";
        QTest::newRow("XDG_DATA_HOME unset") << QByteArray() << ".local/share/Trash";
        QTest::newRow("XDG_DATA_HOME empty") << QByteArray("") << ".local/share/Trash";
        QTest::newRow("XDG_DATA_HOME relative, ignored") << QByteArray("@relatif") << ".local/share/Trash";
    }
    void newAccountGetsATrash()
    {
        QFETCH(QByteArray, dataHome);
        QFETCH(QString, trash);
        if (dataHome.startsWith('@'))
            dataHome = dataHome.mid(1);
        else if (!dataHome.isEmpty())
            dataHome = QFile::encodeName(home(QString::fromUtf8(dataHome)));
        const EnvOverride variable("XDG_DATA_HOME", dataHome);
        trash = home(trash);
        QCOMPARE(HomeTrashFolder(), trash);

        const QString name = QStringLiteral("Lettre de Mme Dupré 100%.DICO");
        writeFile(work(name), "<NOM>=Dupré\r\n");
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        SystemDesktop().moveToTrash(work(name));
        const QDateTime after = QDateTime::currentDateTime().addSecs(1);

        QVERIFY(!QFile::exists(work(name)));
        QCOMPARE(readFile(trash + "/files/" + name), QByteArray("<NOM>=Dupré\r\n"));
        for (const QString& folder : {trash, trash + "/files", trash + "/info"})
            QCOMPARE(modeOf(folder), 0700);
        const QList<QByteArray> info = readFile(trash + "/info/" + name + ".trashinfo").split('\n');
        QCOMPARE(info.size(), 4);
        QCOMPARE(info[0], QByteArray("[Trash Info]"));
        QCOMPARE(info[1], "Path=" + QFile::encodeName(m_work) + "/Lettre%20de%20Mme%20Dupr%C3%A9%20100%25.DICO");
        QVERIFY2(info[2].startsWith("DeletionDate="), info[2].constData());
        const QDateTime deleted = QDateTime::fromString(QString::fromLatin1(info[2].mid(13)), Qt::ISODate);
        QVERIFY2(deleted >= before && deleted <= after, info[2].constData());
        QVERIFY(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$").match(QString::fromLatin1(info[2].mid(13))).hasMatch());
        QCOMPARE(info[3], QByteArray());
        QCOMPARE(entriesOf(m_current), QStringList());
        QCOMPARE(entriesOf(m_work), QStringList());
    }

    // A name already in the trash takes a number; a folder goes whole.
    void sameNameTwiceAndFolders()
    {
        const EnvOverride variable("XDG_DATA_HOME", QFile::encodeName(home("partage")));
        const QString trash = home("partage/Trash");
        writeFile(work("DUPONT.DICO"), "premier");
        SystemDesktop().moveToTrash(work("DUPONT.DICO"));
        writeFile(work("DUPONT.DICO"), "second");
        SystemDesktop().moveToTrash(work("DUPONT.DICO"));
        QVERIFY(QDir().mkpath(work("ARCHIVES")));
        writeFile(work("ARCHIVES/A.DICO"), "dedans");
        SystemDesktop().moveToTrash(work("ARCHIVES"));

        QCOMPARE(entriesOf(trash + "/files"), (QStringList{"ARCHIVES", "DUPONT (2).DICO", "DUPONT.DICO"}));
        QCOMPARE(entriesOf(trash + "/info"),
                 (QStringList{"ARCHIVES.trashinfo", "DUPONT (2).DICO.trashinfo", "DUPONT.DICO.trashinfo"}));
        QCOMPARE(readFile(trash + "/files/DUPONT.DICO"), QByteArray("premier"));
        QCOMPARE(readFile(trash + "/files/DUPONT (2).DICO"), QByteArray("second"));
        QCOMPARE(readFile(trash + "/files/ARCHIVES/A.DICO"), QByteArray("dedans"));
        QVERIFY(readFile(trash + "/info/DUPONT (2).DICO.trashinfo").contains("\nPath=" + QFile::encodeName(work("DUPONT.DICO")) + '\n'));
        QVERIFY(readFile(trash + "/info/ARCHIVES.trashinfo").contains("\nPath=" + QFile::encodeName(work("ARCHIVES")) + '\n'));
        QCOMPARE(entriesOf(m_work), QStringList());
        QCOMPARE(entriesOf(m_current), QStringList());
    }

    // A name near the file system's limit still gets an info file.
    void longNameIsShortenedInTheTrash()
    {
        const EnvOverride variable("XDG_DATA_HOME", QFile::encodeName(home("partage")));
        const QString name = QString(120, u'é') + ".DICO"; // 245 bytes
        writeFile(work(name), "x");
        SystemDesktop().moveToTrash(work(name));
        const QStringList stored = entriesOf(home("partage/Trash/files"));
        QCOMPARE(stored.size(), 1);
        QVERIFY2(stored[0].endsWith(".DICO") && QFile::encodeName(stored[0]).size() + 10 <= 255, qPrintable(stored[0]));
        QVERIFY(readFile(home("partage/Trash/info/") + stored[0] + ".trashinfo")
                    .contains("\nPath=" + QFile::encodeName(work(name)).toPercentEncoding("/") + '\n'));
        QVERIFY(!QFile::exists(work(name)));
    }

    // Where the trash cannot be made, the user reads why and the file stays.
    void unusableTrashLeavesTheFile_data()
    {
        QTest::addColumn<QString>("blocker"); // a plain file in the trash's way
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<QString>("trash");
        QTest::addColumn<QString>("reason");
        const QString inTheWay = QStringLiteral("Un fichier porte le nom d'un des dossiers de son chemin");
        QTest::newRow("XDG_DATA_HOME is a file") << "fichier" << "fichier" << "fichier/Trash" << inTheWay;
        QTest::newRow("XDG_DATA_HOME under a file") << "fichier" << "fichier/partage" << "fichier/partage/Trash" << inTheWay;
        QTest::newRow("Trash is a file") << "partage/Trash" << "partage" << "partage/Trash" << inTheWay;
        QTest::newRow("its info folder is a file") << "partage/Trash/info" << "partage" << "partage/Trash" << inTheWay;
    }
    void unusableTrashLeavesTheFile()
    {
        QFETCH(QString, blocker);
        QFETCH(QString, dataHome);
        QFETCH(QString, trash);
        QFETCH(QString, reason);
        QVERIFY(QDir().mkpath(QFileInfo(home(blocker)).path()));
        writeFile(home(blocker), "pas un dossier");
        const EnvOverride variable("XDG_DATA_HOME", QFile::encodeName(home(dataHome)));
        writeFile(work("DUPONT.DICO"), "<NOM>=Dupont\r\n");
        QString message;
        try {
            SystemDesktop().moveToTrash(work("DUPONT.DICO"));
        } catch (const polyx::Error& error) {
            message = error.message();
        }
        QCOMPARE(message, "Impossible de mettre \"" + work("DUPONT.DICO") + "\" à la corbeille \"" + home(trash) + "\". "
                              + reason + ".\r\nLe fichier est resté à sa place.");
        QCOMPARE(readFile(work("DUPONT.DICO")), QByteArray("<NOM>=Dupont\r\n"));
        QCOMPARE(entriesOf(m_work), QStringList{"DUPONT.DICO"});
        QCOMPARE(entriesOf(m_current), QStringList());
        QCOMPARE(readFile(home(blocker)), QByteArray("pas un dossier"));
    }

    void missingFileIsSaid()
    {
        const EnvOverride variable("XDG_DATA_HOME", QFile::encodeName(home("partage")));
        QVERIFY_THROWS_EXCEPTION(polyx::Error, SystemDesktop().moveToTrash(work("ABSENT.DICO")));
        QCOMPARE(entriesOf(m_current), QStringList());
    }

    void infoRecord()
    {
        const QDateTime when(QDate(2026, 12, 11), QTime(14, 32, 5));
        QCOMPARE(TrashInfo("/home/moi/Polyx X/caf\xe9 [1]+#?.DICO", when),
                 QByteArray("[Trash Info]\nPath=/home/moi/Polyx%20X/caf%E9%20%5B1%5D%2B%23%3F.DICO\n"
                            "DeletionDate=2026-12-11T14:32:05\n"));
    }
};

QTEST_GUILESS_MAIN(TrashTest)
#include "tst_trash.moc"
