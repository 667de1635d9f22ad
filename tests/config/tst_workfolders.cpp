#include "app/WorkFolders.h"
#include "platform/ProgramPath.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class WorkFoldersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_lowerRoot; // the temporary folder's name with ASCII capitals lowered

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_lowerRoot = m_dir->path();
        for (QChar& c : m_lowerRoot) {
            if (c >= u'A' && c <= u'Z')
                c = c.toLower();
        }
    }
    void cleanup()
    {
        platform::setProgramPath(QString());
        if (m_lowerRoot != m_dir->path())
            QDir(m_lowerRoot).removeRecursively();
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

    void workDirUsesLowerCaseFolderWhenItExists()
    {
        const QString folder = m_dir->path() + QStringLiteral("/Polyx ÉTÉ X");
        const QString lower = m_lowerRoot + QStringLiteral("/polyx ÉtÉ x");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QDir().mkpath(lower));
        platform::setProgramPath(folder + QStringLiteral("/PolyxX"));
        QCOMPARE(WorkDir(), lower + u'/');
        QCOMPARE(BackupDir(), lower + QStringLiteral("/SAUVE/"));
    }

    void workDirFallsBackToProgramFolder()
    {
        const QString folder = m_dir->path() + QStringLiteral("/Polyx ÉTÉ X");
        QVERIFY(QDir().mkpath(folder));
        platform::setProgramPath(folder + QStringLiteral("/PolyxX"));
        QCOMPARE(WorkDir(), folder + u'/');
        QCOMPARE(BackupDir(), folder + QStringLiteral("/SAUVE/"));
    }
};

QTEST_GUILESS_MAIN(WorkFoldersTest)
#include "tst_workfolders.moc"
