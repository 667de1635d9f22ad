#include "platform/DesktopCalls.h"
#include "platform/SystemDesktop.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void startProgramPassesArgumentsIntact();
    void openStartsExecutablesAndHandsTheRestToTheOpener();
    void textEditorChoice_data();
    void textEditorChoice();
};

void DesktopTest::startProgramPassesArgumentsIntact()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The program itself in a folder with a blank in its name.
    QVERIFY(QDir(dir.path()).mkdir("dossier avec blanc"));
    const QString program = dir.filePath("dossier avec blanc/argv writer");
    QVERIFY(QFile::copy(ARGV_WRITER, program));
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));

    const QString output = dir.filePath("sortie d'arguments.txt");
    const QString injected = dir.filePath("injecte");
    const QStringList arguments{"fichier avec blancs.DICO",
                                "guillemets \"doubles\" et 'simples'",
                                "a;b",
                                "$(touch " + injected + ")",
                                "`touch " + injected + "`",
                                "*.DICO",
                                "&& | > <",
                                "",
                                "accentué é"};

    SystemDesktop().startProgram(program, QStringList{output} + arguments);

    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output), 10000);
    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList received = QString::fromUtf8(file.readAll()).split('\n');
    QCOMPARE(received.takeLast(), QString()); // after the last line end
    QCOMPARE(received, arguments);
    QVERIFY(!QFile::exists(injected));
}

void DesktopTest::openStartsExecutablesAndHandsTheRestToTheOpener()
{
    QTemporaryDir dir;
    const QString executable = dir.filePath("programme");
    const QString document = dir.filePath("-x.DICO");
    for (const QString& path : {executable, document}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::setPermissions(executable, QFile::ReadOwner | QFile::ExeOwner));

    QCOMPARE(openCall(executable), (ProgramCall{executable, {}}));
    QCOMPARE(openCall(document), (ProgramCall{"xdg-open", {document}}));
    QCOMPARE(openCall(dir.path()), (ProgramCall{"xdg-open", {dir.path()}}));
    QCOMPARE(folderCall(dir.path()), (ProgramCall{"xdg-open", {dir.path()}}));
}

void DesktopTest::textEditorChoice_data()
{
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QString>("expectedProgram");

    QTest::newRow("first candidate wins") << QStringList{"kate", "gedit", "geany"} << "/usr/bin/gedit";
    QTest::newRow("only the last candidate") << QStringList{"geany"} << "/usr/bin/geany";
    QTest::newRow("non-candidates ignored") << QStringList{"nano", "vi"} << "xdg-open";
    QTest::newRow("nothing found") << QStringList{} << "xdg-open";
}

void DesktopTest::textEditorChoice()
{
    QFETCH(QStringList, available);
    QFETCH(QString, expectedProgram);
    const auto lookup = [&](const QString& name) {
        return available.contains(name) ? "/usr/bin/" + name : QString();
    };
    const QString path = "/travail/Polyx X/@QUESTION.TXT";
    QCOMPARE(textEditorCall(path, lookup), (ProgramCall{expectedProgram, {path}}));
}

QTEST_GUILESS_MAIN(DesktopTest)
#include "tst_desktop.moc"
