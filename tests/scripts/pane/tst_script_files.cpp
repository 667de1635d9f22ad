// Script files without the window: the format rules, plain text, the
// first-line label.
#include "tests/support/FileBytes.h"

#include "platform/Error.h"
#include "scripts/FirstLineLabel.h"
#include "scripts/ScriptFile.h"
#include "scripts/ScriptFormat.h"
#include "scripts/ScriptLoad.h"
#include "scripts/ScriptPlainText.h"
#include "scripts/ScriptText.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using polyx::ScriptFormat;
using polyx::ScriptSide;

namespace {
const QByteArray kRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 {\\b Gras} normal\\par ligne 2}";

bool boldAt(const QTextDocument& document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat().fontWeight() >= QFont::Bold;
}
// "Gras" in bold, then " normal" and a second line.
void fillFormatted(QTextDocument& document)
{
    QTextCursor cursor(&document);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText("Gras", bold);
    cursor.insertText(" normal\nligne 2", QTextCharFormat());
}
} // namespace

Q_DECLARE_METATYPE(ScriptFormat)
Q_DECLARE_METATYPE(ScriptSide)

class ScriptFilesTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void readingFormat_data()
    {
        QTest::addColumn<bool>("plainMode");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<ScriptFormat>("expected");
        const auto P = ScriptFormat::PlainText;
        const auto R = ScriptFormat::Rtf;
        QTest::newRow("plain mode, rtf name, rtf content") << true << "x.rtf" << kRtf << P;
        QTest::newRow("plain mode, skrivo name, rtf content") << true << "x.skrivo" << kRtf << P;
        QTest::newRow("rich, skrivo, rtf") << false << "x.skrivo" << kRtf << R;
        QTest::newRow("rich, SKRU, upper-case mark") << false << "x.SKRU" << QByteArray("{\\RTF1 a}") << R;
        QTest::newRow("rich, rtf, plain content") << false << "x.rtf" << QByteArray("Bonjour") << P;
        QTest::newRow("rich, txt, rtf content") << false << "x.txt" << kRtf << P;
        QTest::newRow("rich, TXT, rtf content") << false << "C:/lettres/X.TxT" << kRtf << P;
        QTest::newRow("rich, txt inside the name") << false << "x.txt.skrivo" << kRtf << R;
        QTest::newRow("rich, four bytes of the mark") << false << "x.rtf" << QByteArray("{\\rt") << P;
        QTest::newRow("rich, empty file") << false << "x.rtf" << QByteArray() << P;
    }
    void readingFormat()
    {
        QFETCH(bool, plainMode);
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(ScriptFormat, expected);
        QCOMPARE(polyx::ReadingFormat(plainMode, name, content), expected);
    }

    void writingFormat_data()
    {
        QTest::addColumn<bool>("plainMode");
        QTest::addColumn<QString>("name");
        QTest::addColumn<ScriptFormat>("expected");
        const auto P = ScriptFormat::PlainText;
        const auto R = ScriptFormat::Rtf;
        QTest::newRow("plain mode, rtf") << true << "x.rtf" << P;
        QTest::newRow("plain mode, skrivo") << true << "x.skrivo" << P;
        QTest::newRow("rich, txt") << false << "x.txt" << P;
        QTest::newRow("rich, TXT") << false << "x.TXT" << P;
        QTest::newRow("rich, skrivo") << false << "x.skrivo" << R;
        QTest::newRow("rich, SKRU") << false << "~POLYX.SKRU" << R;
        QTest::newRow("rich, rtf") << false << "x.rtf" << R;
        QTest::newRow("rich, no extension") << false << "lettre" << R;
    }
    void writingFormat()
    {
        QFETCH(bool, plainMode);
        QFETCH(QString, name);
        QFETCH(ScriptFormat, expected);
        QCOMPARE(polyx::WritingFormat(plainMode, name), expected);
    }

    // The rules through real files: mode × extension × content.
    void loadByModeNameAndContent_data()
    {
        QTest::addColumn<bool>("plainMode");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bold");
        const QString source = QString::fromLatin1(kRtf);
        const QByteArray plain = "Gras normal\r\nligne 2";
        QTest::newRow("plain mode reads rtf as its source") << true << "a.rtf" << kRtf << source << false;
        QTest::newRow("rich mode reads rtf formatted") << false << "a.skrivo" << kRtf << "Gras normal\nligne 2" << true;
        QTest::newRow("rich mode reads txt as source") << false << "a.TXT" << kRtf << source << false;
        QTest::newRow("rich mode reads plain rtf-named file") << false << "a.rtf" << plain << "Gras normal\nligne 2" << false;
        QTest::newRow("plain mode reads plain") << true << "a.skrivo" << plain << "Gras normal\nligne 2" << false;
    }
    void loadByModeNameAndContent()
    {
        QFETCH(bool, plainMode);
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, text);
        QFETCH(bool, bold);
        const QString path = m_dir.filePath(name);
        writeBytes(path, content);
        QTextDocument document;
        QTextCharFormat strong;
        strong.setFontWeight(QFont::Bold);
        QTextCursor(&document).insertText("ANCIEN TEXTE TOUT EN GRAS", strong); // reading replaces all of it
        polyx::ScriptFile::Load(document, path, plainMode);
        QCOMPARE(polyx::DocumentText(document), text);
        QCOMPARE(boldAt(document, 0), bold);
        QVERIFY(!boldAt(document, 6));
    }

    void saveByModeAndName_data()
    {
        QTest::addColumn<bool>("plainMode");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("rtf");
        QTest::newRow("plain mode into rtf") << true << "b.rtf" << false;
        QTest::newRow("plain mode into skrivo") << true << "b.skrivo" << false;
        QTest::newRow("rich into txt") << false << "b.Txt" << false;
        QTest::newRow("rich into skrivo") << false << "b.skrivo" << true;
        QTest::newRow("rich into rtf") << false << "b.rtf" << true;
        QTest::newRow("rich into SKRU") << false << "b.SKRU" << true;
    }
    void saveByModeAndName()
    {
        QFETCH(bool, plainMode);
        QFETCH(QString, name);
        QFETCH(bool, rtf);
        const QString path = m_dir.filePath(name);
        writeBytes(path, QByteArray(5000, 'x')); // writing replaces the whole file
        QTextDocument document;
        fillFormatted(document);
        polyx::ScriptFile::Save(document, path, plainMode);
        const QByteArray bytes = readBytes(path);
        if (!rtf) {
            QCOMPARE(bytes, QByteArray("Gras normal\r\nligne 2"));
            return;
        }
        QVERIFY(bytes.startsWith("{\\rtf"));
        QTextDocument back;
        polyx::ScriptFile::Load(back, path, false);
        QCOMPARE(polyx::DocumentText(back), QString("Gras normal\nligne 2"));
        QVERIFY(boldAt(back, 0));
        QVERIFY(!boldAt(back, 6));
    }

    void decodePlain_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("CR LF") << QByteArray("a\r\nb") << "a\nb";
        QTest::newRow("LF") << QByteArray("a\nb") << "a\nb";
        QTest::newRow("CR") << QByteArray("a\rb") << "a\nb";
        QTest::newRow("LF CR is one end") << QByteArray("a\n\rb") << "a\nb";
        QTest::newRow("two CR LF") << QByteArray("a\r\n\r\nb") << "a\n\nb";
        QTest::newRow("two LF") << QByteArray("a\n\nb") << "a\n\nb";
        QTest::newRow("LF CR then LF") << QByteArray("a\n\r\nb") << "a\n\nb";
        QTest::newRow("trailing end is an empty last line") << QByteArray("a\r\n") << "a\n";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("Windows-1252") << QByteArray("\xE9t\xE9 \x80 \xA0:") << QString::fromUtf8("été € \u00A0:");
        QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF\xCE\xA9 \xC3\xA9") << QString::fromUtf8("Ω é");
        QTest::newRow("UTF-16LE mark") << QByteArray("\xFF\xFE" "a\0\r\0\n\0\xA9\x03", 10) << QString::fromUtf8("a\nΩ");
    }
    void decodePlain()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(polyx::DecodePlainScript(bytes), text);
    }

    void encodePlain_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("lines") << "a\nb" << QByteArray("a\r\nb");
        QTest::newRow("empty last line") << "a\n" << QByteArray("a\r\n");
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("Windows-1252") << QString::fromUtf8("été €") << QByteArray("\xE9t\xE9 \x80");
        QTest::newRow("beyond Windows-1252") << QString::fromUtf8("Ω\né") << QByteArray("\xEF\xBB\xBF\xCE\xA9\r\n\xC3\xA9");
    }
    void encodePlain()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(polyx::EncodePlainScript(text), bytes);
    }

    void plainFileKeepsItsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("CR LF, unchanged") << QByteArray("/* |X^\r\n\xE9\r\n\r\nfin\r\n") << QByteArray("/* |X^\r\n\xE9\r\n\r\nfin\r\n");
        QTest::newRow("LF only, CR LF back") << QByteArray("/* |X^\n\xE9\n\nfin\n") << QByteArray("/* |X^\r\n\xE9\r\n\r\nfin\r\n");
        QTest::newRow("no end after the last") << QByteArray("a\r\nb") << QByteArray("a\r\nb");
        QTest::newRow("a lone empty line") << QByteArray("\r\n") << QByteArray("\r\n");
        QTest::newRow("UTF-8 whose text fits") << QByteArray("\xEF\xBB\xBF\xC3\xA9") << QByteArray("\xE9");
    }
    void plainFileKeepsItsLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, written);
        const QString path = m_dir.filePath("lines.skrivo");
        writeBytes(path, bytes);
        QTextDocument document;
        polyx::ScriptFile::Load(document, path, true);
        polyx::ScriptFile::Save(document, path, true);
        QCOMPARE(readBytes(path), written);
    }

    // Read in steps of any size, a file gives the document Load gives: the
    // same lines (line ends of every kind, empty lines, a last line with or
    // without its end), the same formatting, the settings of the pane's
    // document, and no step to take back.
    void stepwiseReadingGivesWhatLoadGives_data()
    {
        QTest::addColumn<bool>("plainMode");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("lines");
        const QByteArray mixed = "un\r\ndeux\rtrois\n\r\nquatre\n\ncinq \xE9t\xE9";
        QTest::newRow("one line per step") << true << mixed << 1;
        QTest::newRow("two lines per step") << true << mixed << 2;
        QTest::newRow("all at once") << true << mixed << 1000;
        QTest::newRow("ends with a line end") << true << QByteArray("un\r\ndeux\r\n") << 1;
        QTest::newRow("only line ends") << true << QByteArray("\r\n\r\n\r\n") << 2;
        QTest::newRow("UTF-8 with its mark") << true << QByteArray("\xEF\xBB\xBF" "d\xC3\xA9j\xC3\xA0\r\n\xE2\x82\xAC") << 1;
        QTest::newRow("empty file") << true << QByteArray() << 1;
        QTest::newRow("RTF in rich mode") << false << kRtf << 1;
        QTest::newRow("RTF in plain mode, as its source") << true << kRtf << 1;
    }
    void stepwiseReadingGivesWhatLoadGives()
    {
        QFETCH(bool, plainMode);
        QFETCH(QByteArray, content);
        QFETCH(int, lines);
        const QString path = m_dir.filePath("lettre.skrivo");
        writeBytes(path, content);
        QTextDocument pane;
        pane.setDefaultFont(QFont("Tahoma", 10));
        pane.setDocumentMargin(7);
        QTextDocument loaded;
        loaded.setDefaultFont(pane.defaultFont());
        loaded.setDocumentMargin(7);
        polyx::ScriptFile::Load(loaded, path, plainMode);

        polyx::ScriptLoad load(path, plainMode, pane);
        int steps = 0;
        int percent = -1;
        while (!load.step(lines)) {
            QVERIFY(load.percent() >= percent && load.percent() < 100);
            percent = load.percent();
            QVERIFY(++steps < 100);
        }
        QCOMPARE(load.percent(), 100);
        const std::unique_ptr<QTextDocument> document = load.take();
        QCOMPARE(polyx::DocumentText(*document), polyx::DocumentText(loaded));
        QCOMPARE(document->toHtml(), loaded.toHtml());
        QCOMPARE(document->defaultFont(), pane.defaultFont());
        QCOMPARE(document->documentMargin(), 7.0);
        QVERIFY(document->isUndoRedoEnabled());
        QVERIFY(!document->isUndoAvailable());
    }

    void stepwiseReadingOfAnUnreadableFileFails_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("a folder") << QByteArray() << "Impossible d'ouvrir le fichier \"";
        QTest::newRow("a refused code page") << QByteArray("{\\rtf1\\ansi\\ansicpg9999 t\\'e9te}")
                                             << "Le codage 9999 de ce fichier n'est pas pris en charge.";
    }
    void stepwiseReadingOfAnUnreadableFileFails()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString path = m_dir.filePath("illisible.skrivo");
        QFile::remove(path);
        QDir(path).removeRecursively();
        if (content.isEmpty())
            QVERIFY(QDir().mkpath(path));
        else
            writeBytes(path, content);
        QTextDocument pane;
        try {
            polyx::ScriptLoad load(path, false, pane);
            load.step(1);
            QFAIL("no error");
        } catch (const polyx::Error& error) {
            QVERIFY2(error.message().startsWith(message), qPrintable(error.message()));
        }
    }

    void unreadableFileLeavesTheDocument()
    {
        QTextDocument document;
        document.setPlainText("reste");
        const QString folder = m_dir.filePath("dossier.skrivo");
        QVERIFY(QDir().mkpath(folder));
        try {
            polyx::ScriptFile::Load(document, folder, true);
            QFAIL("no error");
        } catch (const polyx::Error& error) {
            QVERIFY(error.message().startsWith("Impossible d'ouvrir le fichier \""));
        }
        QCOMPARE(document.toPlainText(), QString("reste"));
    }

    void unwritableFileIsReported_data()
    {
        QTest::addColumn<bool>("plainMode");
        QTest::newRow("plain") << true;
        QTest::newRow("rich") << false;
    }
    void unwritableFileIsReported()
    {
        QFETCH(bool, plainMode);
        QTextDocument document;
        document.setPlainText("texte");
        const QString path = m_dir.filePath("absent/x.skrivo");
        try {
            polyx::ScriptFile::Save(document, path, plainMode);
            QFAIL("no error");
        } catch (const polyx::Error& error) {
            QVERIFY(error.message().startsWith("Impossible de créer le fichier \""));
        }
        QVERIFY(!QFile::exists(path));
    }

    void firstLineLabel_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<ScriptSide>("side");
        QTest::addColumn<bool>("counts");
        QTest::addColumn<QString>("label");
        const auto E = ScriptSide::External;
        const auto I = ScriptSide::Internal;
        QTest::newRow("external") << "/* |DUPONT^ lettre" << E << true << "DUPONT";
        QTest::newRow("external without ^") << "/* |DUPONT" << E << true << "";
        QTest::newRow("no blank after /*") << "/*|DUPONT^" << E << false << "";
        QTest::newRow("not at the first position") << " /* |DUPONT^" << E << false << "";
        QTest::newRow("external, first ^") << "/* |A^B^" << E << true << "A";
        QTest::newRow("external, empty name") << "/* |^x" << E << true << "";
        QTest::newRow("internal") << "/* |MARTIN - courrier" << I << true << "MARTIN";
        QTest::newRow("internal without ' - '") << "/* |MARTIN^x" << I << true << "";
        QTest::newRow("internal, first ' - '") << "/* |A-B - C - D" << I << true << "A-B";
        QTest::newRow("empty line") << "" << I << false << "";
    }
    void firstLineLabel()
    {
        QFETCH(QString, line);
        QFETCH(ScriptSide, side);
        QFETCH(bool, counts);
        QFETCH(QString, label);
        const std::optional<QString> result = polyx::FirstLineLabel(line, side);
        QCOMPARE(result.has_value(), counts);
        if (counts)
            QCOMPARE(*result, label);
    }
};

QTEST_MAIN(ScriptFilesTest)
#include "tst_script_files.moc"
