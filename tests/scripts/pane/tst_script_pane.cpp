// One script pane on its own: text, lines, selection, mode, label, events,
// and rich text through an .rtf file.
#include "scripts/ScriptPane.h"

#include <QFile>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {
QTextCharFormat boldFormat()
{
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    return format;
}
QTextCharFormat formatAt(ScriptPane& pane, int position)
{
    QTextCursor cursor(pane.document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}
// "Gras" in bold, then " normal".
void typeFormatted(ScriptPane& pane)
{
    QTextCursor cursor(pane.document());
    cursor.insertText("Gras", boldFormat());
    cursor.insertText(" normal", QTextCharFormat());
}
} // namespace

class ScriptPaneTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void textAndLines_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("empty") << "" << "" << 0 << "";
        QTest::newRow("one line") << "/* |X^" << "/* |X^" << 1 << "/* |X^";
        QTest::newRow("CR LF") << "a\r\nb" << "a\r\nb" << 2 << "a";
        QTest::newRow("LF and CR") << "a\nb\rc" << "a\r\nb\r\nc" << 3 << "a";
        QTest::newRow("empty last line") << "a\r\n" << "a\r\n" << 2 << "a";
        QTest::newRow("one empty line then text") << "\r\nb" << "\r\nb" << 2 << "";
        QTest::newRow("no-break space kept") << QString::fromUtf8("Nom\u00A0:") << QString::fromUtf8("Nom\u00A0:") << 1
                                             << QString::fromUtf8("Nom\u00A0:");
    }
    void textAndLines()
    {
        QFETCH(QString, given);
        QFETCH(QString, text);
        QFETCH(int, lineCount);
        QFETCH(QString, firstLine);
        ScriptPane pane("SKRIVO_EXT", "hint", true);
        typeFormatted(pane);
        pane.SetText(given);
        QCOMPARE(pane.Text(), text);
        QCOMPARE(pane.LineCount(), lineCount);
        QCOMPARE(pane.FirstLine(), firstLine);
        if (!given.isEmpty())
            QVERIFY(formatAt(pane, 0).fontWeight() < QFont::Bold);
    }

    // Pasted rich text: what the pane hands on is the text the user sees,
    // never the document's frame marks or picture characters.
    void textOfTablesAndPictures_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("table between paragraphs")
            << "<p>Avant</p><table><tr><td>NOM</td><td>AGE</td></tr></table><p>Apres</p>"
            << "Avant\r\nNOM\r\nAGE\r\nApres" << "Avant";
        QTest::newRow("table first, two rows, an empty cell")
            << "<table><tr><td>NOM</td><td>AGE</td></tr><tr><td>X</td><td></td></tr></table><p>Fin</p>"
            << "NOM\r\nAGE\r\nX\r\n\r\nFin" << "NOM";
        QTest::newRow("table last") << "<p>Avant</p><table><tr><td>A</td></tr></table>" << "Avant\r\nA" << "Avant";
        QTest::newRow("cell of two paragraphs") << "<table><tr><td><p>a</p><p>b</p></td><td>c</td></tr></table>"
                                                << "a\r\nb\r\nc" << "a";
        QTest::newRow("nested table")
            << "<p>A</p><table><tr><td><table><tr><td>in1</td><td>in2</td></tr></table></td><td>out</td></tr></table>"
               "<p>Z</p>"
            << "A\r\nin1\r\nin2\r\nout\r\nZ" << "A";
        QTest::newRow("two tables") << "<table><tr><td>T1</td></tr></table><table><tr><td>T2</td></tr></table>"
                                    << "T1\r\nT2" << "T1";
        QTest::newRow("merged cell read once")
            << "<table><tr><td colspan=2>AB</td></tr><tr><td>C</td><td>D</td></tr></table>" << "AB\r\nC\r\nD"
            << "AB";
        QTest::newRow("picture left out") << "<p>A<img src=\"absent.png\">B</p>" << "AB" << "AB";
        QTest::newRow("line break inside a paragraph") << "<p>a<br>b</p>" << "a\r\nb" << "a";
        QTest::newRow("paragraphs") << "<p>a</p><p>b</p>" << "a\r\nb" << "a";
    }
    void textOfTablesAndPictures()
    {
        QFETCH(QString, html);
        QFETCH(QString, text);
        QFETCH(QString, firstLine);
        ScriptPane pane("SKRIVO_INT", "hint", false);
        pane.SetPlainText(false);
        pane.document()->setHtml(html);

        QCOMPARE(pane.Text(), text);
        QCOMPARE(pane.FirstLine(), firstLine);
        QCOMPARE(pane.LineCount(), int(text.count("\r\n")) + 1);
        pane.SelectAll();
        QCOMPARE(pane.SelText(), text);

        // Windows-1252 holds every character left: no fall back to UTF-8.
        const QString path = m_dir.filePath("tableau.txt");
        pane.SaveToFile(path);
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), text.toLatin1());
    }

    // A selection from inside a paragraph into a table.
    void selectionIntoATable()
    {
        ScriptPane pane("SKRIVO_INT", "hint", false);
        pane.SetPlainText(false);
        pane.document()->setHtml("<p>Avant</p><table><tr><td>NOM</td><td>AGE</td></tr></table><p>Apres</p>");
        QTextCursor cursor(pane.document());
        cursor.setPosition(2);
        cursor.setPosition(pane.document()->find("AGE").selectionEnd(), QTextCursor::KeepAnchor);
        pane.setTextCursor(cursor);
        QCOMPARE(pane.SelText(), QString("ant\r\nNOM\r\nAGE"));
    }

    void clearEmptiesEverything()
    {
        ScriptPane pane("SKRIVO_INT", "hint", false);
        pane.SetText("a\r\nb");
        pane.Clear();
        QCOMPARE(pane.Text(), QString());
        QCOMPARE(pane.LineCount(), 0);
        QVERIFY(pane.IsEmpty());
    }

    void selectedTextReadAndWritten()
    {
        ScriptPane pane("SKRIVO_EXT", "hint", true);
        pane.SetText("un\r\ndeux trois");
        QTextCursor cursor(pane.document());
        cursor.setPosition(1);
        cursor.setPosition(6, QTextCursor::KeepAnchor);
        pane.setTextCursor(cursor);
        QCOMPARE(pane.SelText(), QString("n\r\ndeu"));
        pane.SetSelText("<NOM>\r\n");
        QCOMPARE(pane.Text(), QString("u<NOM>\r\nx trois"));
        // The document holds one character per line break.
        QCOMPARE(pane.textCursor().position(), 7);
        QVERIFY(!pane.textCursor().hasSelection());
        pane.SetSelText("@");
        QCOMPARE(pane.Text(), QString("u<NOM>\r\n@x trois"));
        pane.SelectAll();
        QCOMPARE(pane.SelText(), pane.Text());
    }

    void nothingSelectedGivesEmptyText()
    {
        ScriptPane pane("SKRIVO_EXT", "hint", true);
        pane.SetText("abc");
        QCOMPARE(pane.SelText(), QString());
    }

    void startsInPlainTextModeWithItsHint()
    {
        ScriptPane shown("SKRIVO_EXT", "SKRIVO ou COURRIER EXTERNE/SOURCE (à traduire)", true);
        ScriptPane silent("SKRIVO_INT", "SKRIVO ou COURRIER INTERNE/CIBLE (Traduction)", false);
        QVERIFY(shown.PlainText());
        QVERIFY(!shown.acceptRichText());
        QCOMPARE(shown.objectName(), QString("SKRIVO_EXT"));
        QCOMPARE(shown.toolTip(), QString("SKRIVO ou COURRIER EXTERNE/SOURCE (à traduire)"));
        QCOMPARE(silent.toolTip(), QString());
        QCOMPARE(silent.accessibleName(), QString("SKRIVO ou COURRIER INTERNE/CIBLE (Traduction)"));
        QCOMPARE(shown.font().pointSize(), 10);
    }

    void plainTextModeDropsFormattingKeepsTextAndSelection()
    {
        ScriptPane pane("SKRIVO_INT", "hint", false);
        pane.SetPlainText(false);
        QVERIFY(pane.acceptRichText());
        typeFormatted(pane);
        QTextCursor cursor(pane.document());
        cursor.setPosition(2);
        cursor.setPosition(7, QTextCursor::KeepAnchor);
        pane.setTextCursor(cursor);
        QSignalSpy changed(&pane, &ScriptPane::scriptTextChanged);

        pane.SetPlainText(false); // already rich: nothing happens
        QVERIFY(formatAt(pane, 0).fontWeight() >= QFont::Bold);

        pane.SetPlainText(true);
        QCOMPARE(pane.Text(), QString("Gras normal"));
        QVERIFY(formatAt(pane, 0).fontWeight() < QFont::Bold);
        QCOMPARE(pane.textCursor().anchor(), 2);
        QCOMPARE(pane.textCursor().position(), 7);
        QVERIFY(!pane.acceptRichText());
        QCOMPARE(changed.count(), 0);
    }

    void richTextThroughRtfFileKeepsFormatting()
    {
        const QString path = m_dir.filePath("lettre.rtf");
        ScriptPane writer("SKRIVO_INT", "hint", false);
        writer.SetPlainText(false);
        QTextCursor cursor(writer.document());
        QTextCharFormat styled;
        styled.setFontWeight(QFont::Bold);
        styled.setFontItalic(true);
        styled.setFontUnderline(true);
        styled.setForeground(QColor(200, 0, 0));
        styled.setFontPointSize(14);
        cursor.insertText(QString::fromUtf8("Chère Madame"), styled);
        cursor.insertText(" suite", QTextCharFormat());
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        cursor.insertBlock(centred);
        cursor.insertText("ligne 2", QTextCharFormat());
        writer.SaveToFile(path);

        ScriptPane reader("SKRIVO_EXT", "hint", true);
        reader.SetPlainText(false);
        reader.LoadFromFile(path);
        QCOMPARE(reader.Text(), QString::fromUtf8("Chère Madame suite\r\nligne 2"));
        const QTextCharFormat first = formatAt(reader, 0);
        QVERIFY(first.fontWeight() >= QFont::Bold);
        QVERIFY(first.fontItalic());
        QVERIFY(first.fontUnderline());
        QCOMPARE(first.foreground().color(), QColor(200, 0, 0));
        QCOMPARE(first.fontPointSize(), 14.0);
        const QTextCharFormat plain = formatAt(reader, 14);
        QVERIFY(plain.fontWeight() < QFont::Bold);
        QVERIFY(!plain.fontItalic());
        QCOMPARE(reader.document()->lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(reader.textCursor().position(), 0);
    }

    void labelIsTheTabText()
    {
        QTabWidget pages;
        auto* page = new QWidget;
        auto* pane = new ScriptPane("SKRIVO_EXT", "hint", true, page);
        pages.addTab(new QWidget, "Externe");
        pages.addTab(page, "Interne");
        QCOMPARE(pane->PageLabel(), QString("Interne"));
        pane->SetPageLabel("DUPONT");
        QCOMPARE(pages.tabText(1), QString("DUPONT"));
        pages.setTabText(1, "MARTIN");
        QCOMPARE(pane->PageLabel(), QString("MARTIN"));

        ScriptPane alone("SKRIVO_POLYX", "hint", true);
        alone.SetPageLabel("Universel");
        QCOMPARE(alone.PageLabel(), QString("Universel"));
    }

    void keyAndMouseSignals()
    {
        ScriptPane pane("SKRIVO_EXT", "hint", true);
        pane.resize(300, 200);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        pane.SetText("Bonjour <NOM> suite");
        QSignalSpy escape(&pane, &ScriptPane::escapePressed);
        QSignalSpy clicked(&pane, &ScriptPane::clicked);
        QSignalSpy doubled(&pane, &ScriptPane::doubleClicked);
        QString wordAtSignal;
        connect(&pane, &ScriptPane::doubleClicked, this, [&] { wordAtSignal = pane.SelText(); });

        QTest::keyClick(&pane, Qt::Key_Escape);
        QCOMPARE(escape.count(), 1);
        QTest::keyClick(&pane, Qt::Key_A);
        QCOMPARE(escape.count(), 1);

        const QRect first = pane.cursorRect(QTextCursor(pane.document()));
        const QPoint inFirstWord = first.center() + QPoint(12, 0);
        QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, inFirstWord);
        QCOMPARE(clicked.count(), 1);
        QTest::mouseDClick(pane.viewport(), Qt::LeftButton, {}, inFirstWord);
        QCOMPARE(doubled.count(), 1);
        QCOMPARE(wordAtSignal, QString("aBonjour"));
    }

    void typingSignalsTextChange()
    {
        ScriptPane pane("SKRIVO_EXT", "hint", true);
        QSignalSpy changed(&pane, &ScriptPane::scriptTextChanged);
        pane.setFocus();
        QTest::keyClick(&pane, Qt::Key_X);
        QCOMPARE(pane.Text(), QString("x"));
        QVERIFY(changed.count() >= 1);
    }
};

QTEST_MAIN(ScriptPaneTest)
#include "tst_script_pane.moc"
