// The real program, started as a process in a folder of its own: the
// session saved when the desktop ends it, one window per work folder, and
// what a kill -9 leaves for the next start.
#include "tests/support/FileBytes.h"
#include "tests/support/WindowFixture.h"

#include "app/Unit1.h"
#include "dictionaries/DictionaryPane.h"
#include "platform/WorkFolderLock.h"
#include "scripts/ScriptPane.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include <csignal>
#include <memory>

namespace {

const QByteArray kMartin = "<_AUTEUR>=Martin\n<NOM>=NOM_PATIENT\n<AGE>=AGE_PATIENT\n"; // as a Linux editor writes it

// A copy of the program in a folder of its own: that folder is its work folder.
struct ProgramFolder {
    ProgramFolder()
    {
        QVERIFY(dir.isValid());
        QVERIFY(QFile::copy(POLYX_PROGRAM, program()));
        QVERIFY(QFile::setPermissions(program(), QFile::permissions(POLYX_PROGRAM)));
    }
    QString program() const { return dir.filePath("PolyxX"); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString lock() const { return platform::WorkFolderLock::lockFileName(dir.path()); }
    // The external dictionary "Dr_Martin.DICO", named by the configuration.
    void martin(const QByteArray& options = QByteArray())
    {
        writeBytes(path("Dr_Martin.DICO"), kMartin);
        writeBytes(path("PolyxX.INI"), "[DICO]\r\nEXTERNE=" + path("Dr_Martin.DICO").toUtf8() + "\r\n" + options);
    }
    QTemporaryDir dir;
};

struct Running {
    explicit Running(const ProgramFolder& folder, const QProcessEnvironment& environment = offscreen())
    {
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(folder.program(), {});
    }
    ~Running()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    static QProcessEnvironment offscreen()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        return environment;
    }
    void signal(int number) const { ::kill(pid_t(process.processId()), number); }
    QProcess process;
};

// The lock file names the process holding it.
bool lockHeldBy(const ProgramFolder& folder, qint64 pid)
{
    return readBytes(folder.lock()).split('\n').value(0) == QByteArray::number(pid);
}

QStringList recoveryNames(const ProgramFolder& folder)
{
    return QDir(folder.path("~RECUPERATION")).entryList(QDir::Files);
}

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void endOfSessionSavesAsACloseDoes_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void endOfSessionSavesAsACloseDoes()
    {
        QFETCH(int, signal);
        ProgramFolder folder;
        folder.martin();
        Running run(folder);
        QTRY_VERIFY_WITH_TIMEOUT(lockHeldBy(folder, run.process.processId()), 15000);
        run.signal(signal);
        QVERIFY(run.process.waitForFinished(15000));
        QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.process.exitCode(), 0);
        // The dictionary saved as a close saves it (compressed, CR LF), the
        // session's other files and the configuration written, the folder
        // free again.
        QCOMPARE(readBytes(folder.path("Dr_Martin.DICO")),
                 QByteArray("<_AUTEUR>=Martin\r\n<_CODE>=\r\n<_TITRE>=\r\n<AGE>=AGE_PATIENT\r\n<NOM>=NOM_PATIENT\r\n"));
        for (const char* file : {"~POLYX.DICU", "~SANVOR.DICO", "~EXTERNE.SKRIVO", "~INTERNE.SKRIVO", "~POLYX.SKRU"})
            QVERIFY2(QFileInfo::exists(folder.path(file)), file);
        const QByteArray ini = readBytes(folder.path("PolyxX.INI"));
        QVERIFY(ini.contains("AUTOSAVE=1"));
        QVERIFY(ini.contains("Form1="));
        QVERIFY(!QFileInfo::exists(folder.lock()));
        QVERIFY(recoveryNames(folder).isEmpty());
    }

    // The second start on the folder ends at once; the first goes on.
    void secondStartOnTheFolderEnds()
    {
        ProgramFolder folder;
        Running first(folder);
        QTRY_VERIFY_WITH_TIMEOUT(lockHeldBy(folder, first.process.processId()), 15000);
        Running second(folder);
        QVERIFY(second.process.waitForFinished(15000));
        QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process.exitCode(), 0);
        QCOMPARE(first.process.state(), QProcess::Running);
        QVERIFY(lockHeldBy(folder, first.process.processId()));
        first.signal(SIGTERM);
        QVERIFY(first.process.waitForFinished(15000));
    }

    // The running window is asked to the front: here the test holds the
    // folder as a window would, and the real program is the second start.
    void secondStartAsksTheFirstToTheFront()
    {
        ProgramFolder folder;
        platform::WorkFolderLock held(folder.dir.path());
        QCOMPARE(held.outcome(), platform::WorkFolderLock::Outcome::Ours);
        QSignalSpy front(&held, &platform::WorkFolderLock::frontRequested);
        Running second(folder);
        QTRY_COMPARE_WITH_TIMEOUT(front.count(), 1, 15000);
        // The holder's event loop runs meanwhile: the second start waits for
        // its answer before it ends.
        QTRY_COMPARE_WITH_TIMEOUT(second.process.state(), QProcess::NotRunning, 15000);
        QCOMPARE(second.process.exitCode(), 0);
        QVERIFY(!QFileInfo::exists(folder.path("PolyxX.INI"))); // it never opened a window
    }

    void twoFoldersSideBySide()
    {
        ProgramFolder one;
        ProgramFolder two;
        Running first(one);
        Running second(two);
        QTRY_VERIFY_WITH_TIMEOUT(lockHeldBy(one, first.process.processId()), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(lockHeldBy(two, second.process.processId()), 15000);
        QTest::qWait(500);
        QCOMPARE(first.process.state(), QProcess::Running);
        QCOMPARE(second.process.state(), QProcess::Running);
        first.signal(SIGTERM);
        second.signal(SIGTERM);
        QVERIFY(first.process.waitForFinished(15000));
        QVERIFY(second.process.waitForFinished(15000));
        QCOMPARE(first.process.exitCode(), 0);
        QCOMPARE(second.process.exitCode(), 0);
    }

    // A window that crashed (kill -9) left its lock: the next start takes it over.
    void lockOfACrashedWindowIsTakenOver()
    {
        ProgramFolder folder;
        {
            Running crashed(folder);
            QTRY_VERIFY_WITH_TIMEOUT(lockHeldBy(folder, crashed.process.processId()), 15000);
            crashed.signal(SIGKILL);
            QVERIFY(crashed.process.waitForFinished(15000));
        }
        QVERIFY(QFileInfo::exists(folder.lock()));
        Running next(folder);
        QTRY_VERIFY_WITH_TIMEOUT(lockHeldBy(folder, next.process.processId()), 15000);
        next.signal(SIGTERM);
        QVERIFY(next.process.waitForFinished(15000));
        QCOMPARE(next.process.exitCode(), 0);
        QVERIFY(QFileInfo::exists(folder.path("PolyxX.INI")));
    }

    // A window on another machine holds the folder (a network share): the
    // lock is never taken over, however old, and the start says so.
    void lockOfAnotherMachineIsRespected()
    {
        ProgramFolder folder;
        const QByteArray foreign = "4242\nPolyxX\nposte-Cabinet-2\n";
        writeBytes(folder.lock(), foreign);
        QFile lock(folder.lock());
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime));
        lock.close();

        platform::WorkFolderLock second(folder.dir.path());
        QCOMPARE(second.outcome(), platform::WorkFolderLock::Outcome::OpenElsewhere);
        QCOMPARE(second.otherHost(), QString("poste-Cabinet-2"));
        QCOMPARE(second.openElsewhereMessage(),
                 QString("Le dossier de travail \"%1\" est déjà ouvert sur le poste \"poste-Cabinet-2\".")
                     .arg(QFileInfo(folder.dir.path()).canonicalFilePath()));

        // The real program: its box waits for "OK"; meanwhile the lock is the other machine's.
        Running run(folder);
        QVERIFY(run.process.waitForStarted());
        QTest::qWait(3000);
        QCOMPARE(readBytes(folder.lock()), foreign);
        QVERIFY(!QFileInfo::exists(folder.path("PolyxX.INI")));
    }

    // Typed into a grid and a script of the real window under a display of
    // its own, kill -9, started again: "Récupérer" brings both back, and
    // the next save writes them.
    void killedWindowRecoversItsEdits()
    {
#if defined(__SANITIZE_ADDRESS__)
        // The X11 keyboard library reads past a string under the address
        // checker's strict string checks, before the program's own code runs.
        QSKIP("needs the X11 platform, whose keyboard library the address checker refuses");
#endif
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        const QString xdotool = QStandardPaths::findExecutable("xdotool");
        if (xvfb.isEmpty() || xdotool.isEmpty())
            QSKIP("needs Xvfb and xdotool");
        QProcess server;
        server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1280x900x24", "-nolisten", "tcp"});
        QVERIFY(server.waitForStarted());
        const auto stopServer = qScopeGuard([&] {
            server.terminate();
            server.waitForFinished();
        });
        QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 10000);
        const QString display = ":" + QString::fromLatin1(server.readLine().trimmed());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", display);
        environment.insert("QT_QPA_PLATFORM", "xcb");
        const auto tool = [&](const QStringList& arguments) {
            QProcess call;
            call.setProcessEnvironment(environment);
            call.start(xdotool, arguments);
            call.waitForFinished(10000);
            return QString::fromLatin1(call.readAllStandardOutput()).trimmed();
        };
        const auto window = [&](const QString& title) {
            QString id;
            QElapsedTimer waited;
            waited.start();
            while (id.isEmpty() && waited.elapsed() < 20000) {
                id = tool({"search", "--onlyvisible", "--name", title}).section('\n', 0, 0);
                if (id.isEmpty())
                    QTest::qWait(200);
            }
            return id;
        };

        // Where the cell and the script lie in the window, from the same window laid out here.
        QPoint cell;
        QPoint script;
        {
            WindowFixture fixture;
            writeBytes(fixture.path("Dr_Martin.DICO"), kMartin);
            writeBytes(fixture.path("PolyxX.INI"), "[DICO]\r\nEXTERNE=" + fixture.path("Dr_Martin.DICO").toUtf8() + "\r\n");
            TForm1& form = fixture.open();
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            DictionaryPane* grid = form.ValueListEditor_EXT;
            cell = grid->viewport()->mapTo(&form, grid->visualRect(grid->model().index(1, 1)).center());
            script = form.SKRIVO_EXT->viewport()->mapTo(&form, QPoint(40, 20));
        }

        ProgramFolder folder;
        folder.martin("[OPTIONS]\r\nAUTOSAVE=0\r\n"); // leaving the grid would save it
        {
            Running run(folder, environment);
            const QString id = window("Polyx'X");
            QVERIFY(!id.isEmpty());
            tool({"windowfocus", "--sync", id});
            tool({"mousemove", "--window", id, QString::number(cell.x()), QString::number(cell.y()), "click", "1"});
            tool({"type", "--delay", "30", "NOM_TAPE"});
            tool({"mousemove", "--window", id, QString::number(script.x()), QString::number(script.y()), "click", "1"});
            tool({"type", "--delay", "30", "Bonjour NOM_PATIENT"});
            QTRY_COMPARE_WITH_TIMEOUT(recoveryNames(folder),
                                      (QStringList{"EXTERNE.Dr_Martin.DICO", "SCRIPT_EXTERNE.~EXTERNE.SKRIVO"}), 15000);
            QTRY_VERIFY_WITH_TIMEOUT(readBytes(folder.path("~RECUPERATION/SCRIPT_EXTERNE.~EXTERNE.SKRIVO"))
                                         .contains("Bonjour NOM_PATIENT"), 15000);
            QVERIFY(readBytes(folder.path("~RECUPERATION/EXTERNE.Dr_Martin.DICO")).contains("<NOM>=NOM_TAPE\r\n"));
            run.signal(SIGKILL);
            QVERIFY(run.process.waitForFinished(15000));
        }
        QCOMPARE(readBytes(folder.path("Dr_Martin.DICO")), kMartin);

        Running again(folder, environment);
        const QString offer = window("Récupération");
        QVERIFY2(!offer.isEmpty(), "no window \"Récupération\"");
        tool({"windowfocus", "--sync", offer});
        tool({"key", "--window", offer, "Return"}); // "Récupérer", the default button
        QVERIFY(!window("Polyx'X").isEmpty());
        again.signal(SIGTERM);
        QVERIFY(again.process.waitForFinished(15000));
        QCOMPARE(again.process.exitCode(), 0);
        QVERIFY(readBytes(folder.path("Dr_Martin.DICO")).contains("<NOM>=NOM_TAPE\r\n"));
        QVERIFY(readBytes(folder.path("~EXTERNE.SKRIVO")).contains("Bonjour NOM_PATIENT"));
        QVERIFY(!QFileInfo::exists(folder.path("~RECUPERATION")));
    }
};

QTEST_MAIN(ProgramTest)
#include "tst_program.moc"
