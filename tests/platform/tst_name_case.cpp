// The one rule by which every path built from a name finds the user's file
// on a file system that tells letter case apart.
#include "platform/NameCase.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class NameCaseTest : public QObject {
    Q_OBJECT

private slots:
    void resolves_data()
    {
        QTest::addColumn<QStringList>("entries"); // oldest first; "/" ends a folder
        QTest::addColumn<QString>("built");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing there") << QStringList{"AUTRE.DICO"} << "EXTERNE.DICO" << "EXTERNE.DICO";
        QTest::newRow("the built name") << QStringList{"Externe.DICO"} << "Externe.DICO" << "Externe.DICO";
        QTest::newRow("other capitals") << QStringList{"Externe.DICO"} << "EXTERNE.DICO" << "Externe.DICO";
        QTest::newRow("newest of several") << QStringList{"externe.dico", "Externe.DICO", "EXTERNE.dico"}
                                           << "EXTERNE.DICO" << "EXTERNE.dico";
        QTest::newRow("the built name before a newer twin") << QStringList{"EXTERNE.DICO", "Externe.DICO"}
                                                            << "EXTERNE.DICO" << "EXTERNE.DICO";
        QTest::newRow("accented capitals stay apart") << QStringList{"réponse.txt"} << "RÉPONSE.TXT" << "RÉPONSE.TXT";
        QTest::newRow("only ASCII letters fold") << QStringList{"@nom.txt"} << "@NOM.TXT" << "@nom.txt";
        QTest::newRow("a hidden name") << QStringList{".cache"} << ".CACHE" << ".cache";
        QTest::newRow("a folder") << QStringList{"sauve/"} << "SAUVE/" << "sauve/";
        QTest::newRow("a folder without its slash") << QStringList{"Sauve/"} << "SAUVE" << "Sauve";
        QTest::newRow("a longer name is another name") << QStringList{"EXTERNE.DICO.bak"} << "externe.dico"
                                                       << "externe.dico";
    }
    void resolves()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, built);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QDateTime start = QDateTime::currentDateTime().addSecs(-3600);
        for (int i = 0; i < entries.size(); ++i) {
            const QString path = dir.filePath(entries[i]);
            if (path.endsWith(u'/')) {
                QVERIFY(QDir().mkpath(path));
                continue;
            }
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.setFileTime(start.addSecs(60 * i), QFileDevice::FileModificationTime));
        }
        QCOMPARE(platform::ResolveNameCase(dir.filePath(built)), dir.filePath(expected));
    }

    void missingFolderKeepsThePath()
    {
        QCOMPARE(platform::ResolveNameCase("/no/such/folder/A.DICO"), QString("/no/such/folder/A.DICO"));
        QCOMPARE(platform::ResolveNameCase(QString()), QString());
    }
};

QTEST_MAIN(NameCaseTest)
#include "tst_name_case.moc"
