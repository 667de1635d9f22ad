#include "platform/DesktopCalls.h"
#include "platform/DesktopEntry.h"
#include "platform/Error.h"
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
    void windowsProgramsStartThroughWine();
    void textEditorChoice_data();
    void textEditorChoice();
    void execLineSplit_data();
    void execLineSplit();
    void desktopEntryFields();
    void missingEditorAndMissingWineAreReported();
    void desktopDefaultEditorIsStarted();
};

namespace {
// A PATH of our own for the real desktop, put back when the test ends.
class PathOverride {
public:
    explicit PathOverride(const QString& path) : m_old(qgetenv("PATH")) { qputenv("PATH", path.toLocal8Bit()); }
    ~PathOverride() { qputenv("PATH", m_old); }

private:
    QByteArray m_old;
};

ProgramLookup onlyThese(const QStringList& available)
{
    return [available](const QString& name) {
        if (name.startsWith(u'/'))
            return available.contains(name) ? name : QString();
        return available.contains(name) ? "/usr/bin/" + name : QString();
    };
}

void writeExecutable(const QString& path, const QByteArray& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}
} // namespace

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

    const ProgramLookup lookup = onlyThese({"wine"});
    QCOMPARE(openCall(executable, lookup), (ProgramCall{executable, {}}));
    QCOMPARE(openCall(document, lookup), (ProgramCall{"xdg-open", {document}}));
    QCOMPARE(openCall(dir.path(), lookup), (ProgramCall{"xdg-open", {dir.path()}}));
    QCOMPARE(folderCall(dir.path()), (ProgramCall{"xdg-open", {dir.path()}}));
}

void DesktopTest::windowsProgramsStartThroughWine()
{
    QTemporaryDir dir;
    const QString upper = dir.filePath("Program Files/SANVOR/SKRIVO.EXE");
    const QString lower = dir.filePath("skrivo.exe");
    const QString mixed = dir.filePath("Skrivo.Exe");
    // Executable bits or not, a Windows program is Wine's to run.
    QVERIFY(QDir().mkpath(dir.filePath("Program Files/SANVOR")));
    writeExecutable(upper, "MZ");
    const ProgramLookup withWine = onlyThese({"wine"});
    for (const QString& program : {upper, lower, mixed})
        QCOMPARE(openCall(program, withWine), (ProgramCall{"/usr/bin/wine", {program}}));
    // Not a Windows program: ".EXE" must be the extension, not a piece of the name.
    const QString notWindows = dir.filePath("SKRIVO.EXE.sh");
    writeExecutable(notWindows, "#!/bin/sh\n");
    QCOMPARE(openCall(notWindows, withWine), (ProgramCall{notWindows, {}}));

    try {
        openCall(upper, onlyThese({}));
        QFAIL("no error without Wine");
    } catch (const polyx::Error& error) {
        QCOMPARE(error.message(), QString("Wine n'est pas installé : impossible de lancer \"%1\".").arg(upper));
    }
}

void DesktopTest::textEditorChoice_data()
{
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QString>("desktopEntry"); // text of the desktop's default entry, empty for none
    QTest::addColumn<QStringList>("expected"); // program then arguments; empty when none is found

    const QString path = "/travail/Polyx X/@QUESTION.TXT";
    const QString entry = "/usr/share/applications/editeur.desktop";
    const QString graphical = "[Desktop Entry]\nName=Editeur\nExec=mousepad --new %F\nTerminal=false\n";
    const QString terminal = "[Desktop Entry]\nExec=vim %f\nTerminal=true\n";

    QTest::newRow("first candidate wins") << QStringList{"kate", "gedit", "geany"} << QString()
                                          << QStringList{"/usr/bin/gedit", path};
    QTest::newRow("only the last candidate") << QStringList{"geany"} << QString() << QStringList{"/usr/bin/geany", path};
    QTest::newRow("terminal editors are no candidates") << QStringList{"nano", "vi", "xdg-open"} << QString()
                                                         << QStringList{};
    QTest::newRow("nothing found") << QStringList{} << QString() << QStringList{};
    QTest::newRow("default entry through gio") << QStringList{"mousepad", "gio", "gedit"} << graphical
                                               << QStringList{"/usr/bin/gio", "launch", entry, path};
    QTest::newRow("default entry by its Exec line without gio") << QStringList{"mousepad", "gedit"} << graphical
                                                                << QStringList{"mousepad", "--new", path};
    QTest::newRow("default entry whose program is gone") << QStringList{"gio", "gedit"} << graphical
                                                         << QStringList{"/usr/bin/gedit", path};
    QTest::newRow("terminal entry in the desktop's terminal")
        << QStringList{"vim", "gio", "x-terminal-emulator", "gedit"} << terminal
        << QStringList{"/usr/bin/x-terminal-emulator", "-e", "vim", path};
    QTest::newRow("terminal entry passed over without a terminal") << QStringList{"vim", "gio", "gedit"} << terminal
                                                                   << QStringList{"/usr/bin/gedit", path};
    QTest::newRow("terminal entry and nothing else") << QStringList{"vim", "gio"} << terminal << QStringList{};
}

void DesktopTest::textEditorChoice()
{
    QFETCH(QStringList, available);
    QFETCH(QString, desktopEntry);
    QFETCH(QStringList, expected);
    std::optional<DesktopEntry> desktopDefault;
    if (!desktopEntry.isEmpty()) {
        desktopDefault = parseDesktopEntry(desktopEntry.toUtf8(), "/usr/share/applications/editeur.desktop");
        QVERIFY(desktopDefault);
    }
    const auto call = textEditorCall("/travail/Polyx X/@QUESTION.TXT", desktopDefault, onlyThese(available));
    if (expected.isEmpty()) {
        QVERIFY(!call);
        return;
    }
    QVERIFY(call);
    QCOMPARE(*call, (ProgramCall{expected.first(), expected.mid(1)}));
}

void DesktopTest::execLineSplit_data()
{
    QTest::addColumn<QString>("exec");
    QTest::addColumn<QStringList>("expected");

    const QString file = "/w/Lettre type $HOME.txt";
    QTest::newRow("file code alone") << "gedit %U" << QStringList{"gedit", file};
    QTest::newRow("no file code: file appended") << "leafpad" << QStringList{"leafpad", file};
    QTest::newRow("blanks and tabs between words") << "  kate \t -b   %f " << QStringList{"kate", "-b", file};
    QTest::newRow("quoted program with a blank") << R"("/opt/Mon Editeur/edit" %f)"
                                                 << QStringList{"/opt/Mon Editeur/edit", file};
    QTest::newRow("escapes inside quotes") << R"(sh-free "a \"b\" \$c \\d" %f)"
                                           << QStringList{"sh-free", R"(a "b" $c \d)", file};
    QTest::newRow("field code inside a word") << "edit --file=%f" << QStringList{"edit", "--file=" + file};
    QTest::newRow("quoted field code is text") << R"(edit "%f")" << QStringList{"edit", "%f", file};
    QTest::newRow("percent sign") << "edit --zoom=100%% %F" << QStringList{"edit", "--zoom=100%", file};
    QTest::newRow("other codes dropped") << "edit %i %c %f" << QStringList{"edit", file};
    QTest::newRow("entry's own path") << "edit --entry %k %f"
                                      << QStringList{"edit", "--entry", "/a/editeur.desktop", file};
    QTest::newRow("empty quoted argument kept") << R"(edit "" %f)" << QStringList{"edit", "", file};
    QTest::newRow("nothing but blanks") << "   " << QStringList{};
}

void DesktopTest::execLineSplit()
{
    QFETCH(QString, exec);
    const DesktopEntry entry{"/a/editeur.desktop", exec, false};
    QTEST(execArguments(entry, "/w/Lettre type $HOME.txt"), "expected");
}

void DesktopTest::desktopEntryFields()
{
    // Only the group [Desktop Entry] counts; string escapes are undone before the split.
    const QByteArray text = "# commentaire\n[Desktop Action new]\nExec=autre\nTerminal=true\n"
                            "[Desktop Entry]\n Exec = \"/opt/Mon\\sEditeur/edit\" %f \nTerminal = false\n"
                            "[Desktop Action x]\nExec=encore\n";
    const auto entry = parseDesktopEntry(text, "/a/e.desktop");
    QVERIFY(entry);
    QCOMPARE(entry->exec, QString(R"("/opt/Mon Editeur/edit" %f)"));
    QVERIFY(!entry->terminal);
    QCOMPARE(entry->file, QString("/a/e.desktop"));
    QVERIFY(parseDesktopEntry("[Desktop Entry]\nExec=vi\nTerminal=true\n", "v")->terminal);
    QVERIFY(!parseDesktopEntry("[Desktop Entry]\nName=Sans commande\n", "n"));
    QVERIFY(!parseDesktopEntry("", "n"));
}

void DesktopTest::missingEditorAndMissingWineAreReported()
{
    QTemporaryDir empty;
    const PathOverride path(empty.path());
    try {
        SystemDesktop().openInTextEditor(empty.filePath("notes.txt"));
        QFAIL("no error without an editor");
    } catch (const polyx::Error& error) {
        QCOMPARE(error.message(), QString("Aucun éditeur de texte n'a été trouvé."));
    }
    const QString program = empty.filePath("SKRIVO.EXE");
    try {
        SystemDesktop().open(program);
        QFAIL("no error without Wine");
    } catch (const polyx::Error& error) {
        QCOMPARE(error.message(), QString("Wine n'est pas installé : impossible de lancer \"%1\".").arg(program));
    }
}

// The whole road: xdg-mime names the entry, the entry is found among the
// desktop's applications and its Exec line started with the file.
void DesktopTest::desktopDefaultEditorIsStarted()
{
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("bin")));
    QVERIFY(QDir().mkpath(dir.filePath("data/applications")));
    writeExecutable(dir.filePath("bin/xdg-mime"), "#!/bin/sh\necho editeur-test.desktop\n");
    const QString writer = dir.filePath("bin/ecrit arguments");
    QVERIFY(QFile::copy(ARGV_WRITER, writer));
    const QString output = dir.filePath("sortie");
    QFile entry(dir.filePath("data/applications/editeur-test.desktop"));
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.write(QString("[Desktop Entry]\nType=Application\nName=Test\nExec=\"%1\" \"%2\" %f\n")
                    .arg(writer, output).toUtf8());
    entry.close();

    const PathOverride path(dir.filePath("bin"));
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());
    const QString notes = dir.filePath("notes de révision.txt");
    SystemDesktop().openInTextEditor(notes);
    qputenv("XDG_DATA_HOME", oldData);
    if (oldData.isEmpty())
        qunsetenv("XDG_DATA_HOME");

    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output), 10000);
    QFile received(output);
    QVERIFY(received.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(received.readAll()), notes + '\n');
}

QTEST_GUILESS_MAIN(DesktopTest)
#include "tst_desktop.moc"
