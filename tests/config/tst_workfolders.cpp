// Where work files, configuration and shipped files are, from the build
// folder and once installed.
#include "app/WorkFolders.h"
#include "config/ConfigStore.h"
#include "platform/Error.h"
#include "platform/FileLocations.h"
#include "platform/ProgramPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
// The variables Qt's standard paths follow; the test gives each its own
// value (or none) and puts the old ones back.
const char* const kUserVariables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR", "XDG_STATE_HOME",
                                      "POLYXX_WORK_FOLDER"};
} // namespace

class WorkFoldersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QList<std::optional<QByteArray>> m_saved;

    QString path(const QString& relative) const { return m_dir->filePath(relative); }
    void makeFolder(const QString& relative) { QVERIFY(QDir().mkpath(path(relative))); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_saved.clear();
        for (const char* name : kUserVariables) {
            m_saved.append(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
            qunsetenv(name);
        }
        makeFolder("home");
        qputenv("HOME", path("home").toLocal8Bit());
    }
    void cleanup()
    {
        platform::setProgramPath(QString());
        for (qsizetype i = 0; i < m_saved.size(); ++i) {
            if (m_saved[i])
                qputenv(kUserVariables[i], *m_saved[i]);
            else
                qunsetenv(kUserVariables[i]);
        }
        m_dir.reset();
    }

    void fileLabel_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("label");
        QTest::newRow("several dots") << "/home/Jo/Lettre type.v2.dico" << "LETTRE TYPE.V2";
        QTest::newRow("no extension") << "/home/jo/Lettre" << "LETTRE";
        QTest::newRow("only an extension") << "/home/jo/.dico" << "";
        QTest::newRow("dot in folder name") << "/home/jo.v2/lettre" << "LETTRE";
        QTest::newRow("accented letters unchanged") << "/w/été à noël.SKRIVO" << "éTé à NOëL";
        QTest::newRow("no folder") << "courrier.txt" << "COURRIER";
        QTest::newRow("colon is no delimiter") << "/w/a:b.txt" << "A:B";
    }
    void fileLabel()
    {
        QFETCH(QString, path);
        QTEST(FileLabel(path), "label");
    }

    // A lower-cased twin of the program's folder is another folder: work
    // files stay beside the program.
    void workDirIsTheProgramFolderAsItStands()
    {
        makeFolder("Polyx ÉTÉ X");
        makeFolder("polyx ÉtÉ x");
        platform::setProgramPath(path("Polyx ÉTÉ X/PolyxX"));
        QCOMPARE(WorkDir(), path("Polyx ÉTÉ X/"));
        QCOMPARE(BackupDir(), path("Polyx ÉTÉ X/SAUVE/"));
    }

    void foldersOfBothModes_data()
    {
        QTest::addColumn<QStringList>("folders");  // made below the temporary folder
        QTest::addColumn<QString>("userDirs");     // the desktop's user-dirs.dirs, empty for none
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("workDir");
        QTest::addColumn<QString>("configFile");
        QTest::addColumn<QString>("dataFolder");

        QTest::newRow("build folder") << QStringList{"build/app"} << QString() << "build/app/PolyxX" << false
                                      << "build/app/" << "build/app/PolyxX.INI" << "build/app/";
        QTest::newRow("copied executable in a bin folder")
            << QStringList{"copie/bin"} << QString() << "copie/bin/PolyxX" << false << "copie/bin/"
            << "copie/bin/PolyxX.INI" << "copie/bin/";
        QTest::newRow("data folder of another package")
            << QStringList{"usr/bin", "usr/share/autre"} << QString() << "usr/bin/PolyxX" << false << "usr/bin/"
            << "usr/bin/PolyxX.INI" << "usr/bin/";
        QTest::newRow("data folder beside, not above") << QStringList{"opt/bin/share/polyxx"} << QString()
                                                       << "opt/bin/PolyxX" << false << "opt/bin/"
                                                       << "opt/bin/PolyxX.INI" << "opt/bin/";
        QTest::newRow("installed in a prefix")
            << QStringList{"usr/bin", "usr/share/polyxx"} << QString() << "usr/bin/PolyxX" << true
            << "home/Documents/PolyxX/" << "home/.config/PolyxX/PolyxX.INI" << "usr/share/polyxx/";
        QTest::newRow("installed under /opt with capitals")
            << QStringList{"Opt/Polyx/bin", "Opt/Polyx/share/polyxx"} << QString() << "Opt/Polyx/bin/PolyxX" << true
            << "home/Documents/PolyxX/" << "home/.config/PolyxX/PolyxX.INI" << "Opt/Polyx/share/polyxx/";
        QTest::newRow("installed, the desktop's documents folder")
            << QStringList{"usr/bin", "usr/share/polyxx", "home/Mes documents"}
            << "XDG_DOCUMENTS_DIR=\"$HOME/Mes documents\"\n" << "usr/bin/PolyxX" << true
            << "home/Mes documents/PolyxX/" << "home/.config/PolyxX/PolyxX.INI" << "usr/share/polyxx/";
    }
    void foldersOfBothModes()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, userDirs);
        QFETCH(QString, program);
        QFETCH(bool, installed);
        for (const QString& folder : folders)
            makeFolder(folder);
        if (!userDirs.isEmpty()) {
            makeFolder("home/.config");
            QFile file(path("home/.config/user-dirs.dirs"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(userDirs.toUtf8());
        }
        platform::setProgramPath(path(program));

        QCOMPARE(platform::runsInstalled(), installed);
        QTEST(WorkDir().mid(m_dir->path().size() + 1), "workDir");
        QTEST(ConfigFileName().mid(m_dir->path().size() + 1), "configFile");
        QTEST(platform::dataFolder().mid(m_dir->path().size() + 1), "dataFolder");
        QCOMPARE(BackupDir(), WorkDir() + "SAUVE/");

        // The first start makes the user's folders, and nothing beside the program.
        const QString programFolder = QFileInfo(path(program)).absolutePath();
        const QStringList besideProgram = QDir(programFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        platform::createUserFolders();
        QVERIFY(QFileInfo(WorkDir()).isDir());
        QVERIFY(QFileInfo(QFileInfo(ConfigFileName()).absolutePath()).isDir());
        QCOMPARE(QDir(programFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), besideProgram);
        WriteString("OPTIONS", "AUTOTRAD", "1");
        QVERIFY(QFile::exists(ConfigFileName()));
    }

    // Recovery files are the user's state, never written into a prefix.
    void recoveryFolderOfBothModes_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("stateHome"); // XDG_STATE_HOME, "" for unset, made relative to the folder when it starts with "/"
        QTest::addColumn<QString>("folder");
        QTest::newRow("build folder") << false << "" << "build/bin/~RECUPERATION/";
        QTest::newRow("build folder, state home set") << false << "/etat" << "build/bin/~RECUPERATION/";
        QTest::newRow("installed") << true << "" << "home/.local/state/PolyxX/RECUPERATION/";
        QTest::newRow("installed, state home set") << true << "/Etat Perso" << "Etat Perso/PolyxX/RECUPERATION/";
        QTest::newRow("installed, relative state home ignored") << true << "etat" << "home/.local/state/PolyxX/RECUPERATION/";
    }
    void recoveryFolderOfBothModes()
    {
        QFETCH(bool, installed);
        QFETCH(QString, stateHome);
        makeFolder("build/bin");
        if (installed)
            makeFolder("build/share/polyxx");
        if (!stateHome.isEmpty())
            qputenv("XDG_STATE_HOME", (stateHome.startsWith('/') ? m_dir->path() + stateHome : stateHome).toLocal8Bit());
        platform::setProgramPath(path("build/bin/PolyxX"));
        QCOMPARE(platform::runsInstalled(), installed);
        QTEST(platform::recoveryFolder().mid(m_dir->path().size() + 1), "folder");
    }

    // A program that is not installed works where POLYXX_WORK_FOLDER says,
    // configuration included, and finds its shipped files beside itself;
    // installed, it keeps to the user's folders.
    void workFolderTheVariableNames_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("variable"); // below the temporary folder
        QTest::addColumn<QString>("workDir");
        QTest::addColumn<QString>("configFile");
        QTest::addColumn<QString>("dataFolder");
        QTest::newRow("build folder") << QStringList{"build-run/app"} << "build-run/app/PolyxX" << "Mon essai"
                                      << "Mon essai/" << "Mon essai/PolyxX.INI" << "build-run/app/";
        QTest::newRow("with its slash") << QStringList{"build-run/app"} << "build-run/app/PolyxX" << "travail/"
                                        << "travail/" << "travail/PolyxX.INI" << "build-run/app/";
        QTest::newRow("installed: not heeded")
            << QStringList{"usr/bin", "usr/share/polyxx"} << "usr/bin/PolyxX" << "travail"
            << "home/Documents/PolyxX/" << "home/.config/PolyxX/PolyxX.INI" << "usr/share/polyxx/";
    }
    void workFolderTheVariableNames()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, program);
        QFETCH(QString, variable);
        for (const QString& folder : folders)
            makeFolder(folder);
        platform::setProgramPath(path(program));
        qputenv("POLYXX_WORK_FOLDER", path(variable).toLocal8Bit());

        QTEST(WorkDir().mid(m_dir->path().size() + 1), "workDir");
        QTEST(ConfigFileName().mid(m_dir->path().size() + 1), "configFile");
        QTEST(platform::dataFolder().mid(m_dir->path().size() + 1), "dataFolder");
        // The first start makes the folder, and nothing beside the program.
        const QString programFolder = QFileInfo(path(program)).absolutePath();
        platform::createUserFolders();
        QVERIFY(QFileInfo(WorkDir()).isDir());
        WriteString("OPTIONS", "AUTOTRAD", "1");
        QVERIFY(QFile::exists(ConfigFileName()));
        QCOMPARE(QDir(programFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void userFolderThatCannotBeMadeIsNamed()
    {
        makeFolder("usr/bin");
        makeFolder("usr/share/polyxx");
        QFile blocker(path("home/Documents"));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        platform::setProgramPath(path("usr/bin/PolyxX"));
        try {
            platform::createUserFolders();
            QFAIL("no error");
        } catch (const polyx::Error& error) {
            QCOMPARE(error.message(), QString("Impossible de créer le dossier \"%1\".").arg(path("home/Documents/PolyxX/")));
        }
    }
};

QTEST_GUILESS_MAIN(WorkFoldersTest)
#include "tst_workfolders.moc"
