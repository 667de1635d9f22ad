// Big script state files at start: read after the window shows, a part at
// each turn of the event loop, in the restore's order, and never written
// back before they are whole.
#include "tests/support/FileBytes.h"
#include "tests/support/WindowFixture.h"

#include "app/Unit1.h"
#include "platform/testing/FakeServices.h"
#include "scripts/ScriptLoadQueue.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

namespace {
constexpr int kLines = 100000; // about 1.5 MB, many times what is read at once

QStringList scriptLines(const QString& first)
{
    QStringList lines{first};
    for (int line = 1; line < kLines; ++line)
        lines << QStringLiteral("[nom] %1").arg(line, 7, 10, QChar(u'0'));
    return lines;
}
QByteArray plainScript(const QStringList& lines) { return lines.join("\r\n").toLatin1(); }
// The first word of each line in bold.
QByteArray rtfScript(const QStringList& lines)
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 ";
    for (const QString& line : lines) {
        const qsizetype blank = line.indexOf(' ');
        rtf += "{\\b " + line.left(blank).toLatin1() + "}" + line.mid(blank).toLatin1() + "\\par\n";
    }
    return rtf + "}";
}
} // namespace

class BigScriptStartTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;

    QString path(const QString& name) const { return m_window->folder.filePath(name); }
    QByteArray bytes(const QString& name) const { return readBytes(path(name)); }
    void writeFile(const QString& name, const QByteArray& content) const { writeBytes(path(name), content); }
    int hourglasses() const { return m_window->fakes.cursor.depth(); }
    const std::vector<QString>& errors() const { return m_window->fakes.dialogs.errors; }

    // Runs the event loop one turn at a time until the restore's scripts
    // are in; gives the progress lines shown meanwhile.
    static QStringList waitForScripts(TForm1& form)
    {
        bool read = false;
        form.whenScriptsRead([&read] { read = true; });
        QStringList shown;
        QElapsedTimer clock;
        clock.start();
        while (!read && clock.elapsed() < 120000) {
            const QString line = form.StatusPanelSpare->text();
            if (shown.value(shown.size() - 1) != line)
                shown << line;
            QCoreApplication::processEvents();
        }
        if (!read)
            qWarning("the scripts were never read");
        return shown;
    }

private slots:
    void init() { m_window = std::make_unique<WindowFixture>(); }
    void cleanup() { m_window.reset(); }

    void bigScriptIsReadAfterTheWindowShows_data()
    {
        QTest::addColumn<bool>("rich");
        QTest::newRow("plain") << false;
        QTest::newRow("RTF") << true;
    }
    void bigScriptIsReadAfterTheWindowShows()
    {
        QFETCH(bool, rich);
        const QStringList lines = scriptLines("/* |DUPONT^ lettre");
        const QByteArray file = rich ? rtfScript(lines) : plainScript(lines);
        QVERIFY(file.size() > ScriptLoadQueue::stepwiseBytes * 4);
        writeFile("~EXTERNE.SKRIVO", file);
        // A returning user: no first start's hint in the status bar.
        writeFile("PolyxX.INI", "[OPTIONS]\r\n");

        TForm1 form;
        form.show();
        // The window is up and the file not read yet: the pane waits, under
        // the hourglass, and takes no typing.
        QVERIFY(form.SKRIVO_EXT->IsEmpty());
        QVERIFY(form.SKRIVO_EXT->isReadOnly());
        QCOMPARE(hourglasses(), 1);
        QCOMPARE(form.StatusPanelSpare->text(), QString("Lecture : 0 % du script \"~EXTERNE.SKRIVO\""));

        const QStringList shown = waitForScripts(form);
        QVERIFY(errors().empty());
        QCOMPARE(form.SKRIVO_EXT->Text(), lines.join("\r\n"));
        QCOMPARE(form.SKRIVO_EXT->PlainText(), !rich);
        QCOMPARE(form.SKRIVO_EXT->document()->begin().begin().fragment().charFormat().fontWeight() >= QFont::Bold, rich);
        QCOMPARE(form.PageControl_SCRIPTS->tabText(0), QString("DUPONT"));
        QVERIFY(!form.SKRIVO_EXT->isReadOnly());
        QCOMPARE(hourglasses(), 0);
        QCOMPARE(form.StatusPanelSpare->text(), QString());
        // The file read is no step to take back.
        QVERIFY(!form.SKRIVO_EXT->document()->isUndoAvailable());

        // The plain file went in over several turns of the event loop, each
        // saying how far it was.
        if (!rich) {
            const QRegularExpression progress("^Lecture : (\\d+) % du script \"~EXTERNE\\.SKRIVO\"$");
            QVERIFY2(shown.size() >= 3, qPrintable(shown.join(" | ")));
            int last = -1;
            for (const QString& line : shown.mid(0, shown.size() - 1)) {
                const QRegularExpressionMatch match = progress.match(line);
                QVERIFY2(match.hasMatch(), qPrintable(line));
                QVERIFY(match.captured(1).toInt() > last && match.captured(1).toInt() < 100);
                last = match.captured(1).toInt();
            }
        }
    }

    // The restore's order holds: the internal script, read after the
    // external one, is not cleared by its arrival.
    void laterScriptsWaitTheirTurn()
    {
        const QStringList lines = scriptLines("Cher [nom]");
        writeFile("~EXTERNE.SKRIVO", plainScript(lines));
        writeFile("~INTERNE.SKRIVO", "Cher {NOM}");
        writeFile("~POLYX.SKRU", "Cher <NOM>");
        TForm1 form;
        form.show();
        for (ScriptPane* pane : {form.SKRIVO_EXT, form.SKRIVO_INT, form.SKRIVO_POLYX}) {
            QVERIFY(pane->IsEmpty());
            QVERIFY(pane->isReadOnly());
        }
        waitForScripts(form);
        QVERIFY(errors().empty());
        QCOMPARE(form.SKRIVO_EXT->Text(), lines.join("\r\n"));
        QCOMPARE(form.SKRIVO_INT->Text(), QString("Cher {NOM}"));
        QCOMPARE(form.SKRIVO_POLYX->Text(), QString("Cher <NOM>"));
        for (ScriptPane* pane : {form.SKRIVO_EXT, form.SKRIVO_INT, form.SKRIVO_POLYX})
            QVERIFY(!pane->isReadOnly());
        QCOMPARE(hourglasses(), 0);
    }

    // A close before the files are in writes none of the waiting panes
    // over its file; the others are saved as always.
    void closeWhileReadingLeavesTheFilesAsTheyWere()
    {
        const QByteArray external = plainScript(scriptLines("Cher [nom]"));
        writeFile("~EXTERNE.SKRIVO", external);
        writeFile("~INTERNE.SKRIVO", "Cher {NOM}");
        {
            TForm1 form;
            form.show();
            QVERIFY(form.SKRIVO_EXT->IsEmpty());
            QVERIFY(form.close());
        }
        QVERIFY(errors().empty());
        QCOMPARE(bytes("~EXTERNE.SKRIVO"), external);
        QCOMPARE(bytes("~INTERNE.SKRIVO"), QByteArray("Cher {NOM}"));
        QVERIFY(QFile::exists(path("~POLYX.SKRU")));
        QVERIFY(QFile::exists(path("Externe.DICO")));
        QCOMPARE(hourglasses(), 0);
    }

    // A command given meanwhile first waits for the files, then acts on
    // whole panes.
    void commandWaitsForTheReading_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("written");
        QTest::newRow("Enregistrer la configuration") << "INI_SAVE" << "~EXTERNE.SKRIVO";
        QTest::newRow("Sauver sous") << "SKR_EXT_SAVEAS" << "Lettre.SKRIVO";
    }
    void commandWaitsForTheReading()
    {
        QFETCH(QString, command);
        QFETCH(QString, written);
        const QByteArray external = plainScript(scriptLines("Cher [nom]"));
        writeFile("~EXTERNE.SKRIVO", external);
        writeFile("~INTERNE.SKRIVO", "Cher {NOM}");
        m_window->fakes.dialogs.saveAnswers.push_back(path(written));
        TForm1 form;
        form.show();
        QVERIFY(form.SKRIVO_EXT->IsEmpty());
        form.action(command)->trigger();
        QVERIFY(errors().empty());
        QVERIFY(m_window->fakes.dialogs.messages.empty());
        QCOMPARE(form.SKRIVO_EXT->LineCount(), kLines);
        QCOMPARE(form.SKRIVO_INT->Text(), QString("Cher {NOM}"));
        QCOMPARE(bytes(written), external);
        QCOMPARE(bytes("~INTERNE.SKRIVO"), QByteArray("Cher {NOM}"));
        QCOMPARE(hourglasses(), 0);
    }

    // What the program puts in a waiting pane (a recovered script) stays
    // there: the file is not read over it, and the next ones still are.
    void paneFilledMeanwhileKeepsItsText()
    {
        writeFile("~EXTERNE.SKRIVO", plainScript(scriptLines("Cher [nom]")));
        writeFile("~POLYX.SKRU", "Cher <NOM>");
        TForm1 form;
        form.show();
        form.SKRIVO_EXT->SetText("Cher [nom], récupéré");
        waitForScripts(form);
        QVERIFY(errors().empty());
        QCOMPARE(form.SKRIVO_EXT->Text(), QString("Cher [nom], récupéré"));
        QVERIFY(!form.SKRIVO_EXT->isReadOnly());
        QCOMPARE(form.SKRIVO_POLYX->Text(), QString("Cher <NOM>"));
        QCOMPARE(hourglasses(), 0);
    }

    // A file that cannot be read is reported when its turn comes; the
    // pane types again and the next file is still read.
    void unreadableBigScriptIsReportedAndTheNextOneRead()
    {
        writeFile("~EXTERNE.SKRIVO", "{\\rtf1\\ansi\\ansicpg9999 " + QByteArray(ScriptLoadQueue::stepwiseBytes, 'x') + "\\'e9}");
        writeFile("~INTERNE.SKRIVO", "Cher {NOM}");
        TForm1 form;
        form.show();
        waitForScripts(form);
        QCOMPARE(errors(), std::vector<QString>{"Le codage 9999 de ce fichier n'est pas pris en charge."});
        QVERIFY(form.SKRIVO_EXT->IsEmpty());
        QVERIFY(!form.SKRIVO_EXT->isReadOnly());
        QCOMPARE(form.SKRIVO_INT->Text(), QString("Cher {NOM}"));
        QCOMPARE(hourglasses(), 0);
        QCOMPARE(form.StatusPanelSpare->text(), QString());
    }
};

QTEST_MAIN(BigScriptStartTest)
#include "tst_big_script_start.moc"
