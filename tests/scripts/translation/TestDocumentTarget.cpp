#include "TestEntries.h"
#include "scripts/translation/DocumentTarget.h"
#include "scripts/translation/PlainTextTarget.h"
#include "scripts/translation/RunReport.h"
#include "scripts/rtf/RtfReader.h"
#include "scripts/rtf/RtfWriter.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

using namespace polyx;

namespace {
QStringList WithHeader(const QStringList& lines)
{
    return QStringList{"Dr Martin=Dr Dupont", "Bilan=Compte rendu"} + lines;
}

// The weight of the character at `position`.
bool BoldAt(QTextDocument& document, int position)
{
    QTextCursor cursor(&document);
    cursor.setPosition(position + 1);
    return cursor.charFormat().fontWeight() >= QFont::Bold;
}
} // namespace

class DocumentTargetTest : public QObject {
    Q_OBJECT
private slots:
    void keepsTheFormattingAround();
    void takesTheFormatOfTheFoundText();
    void sameTextAsPlainText_data();
    void sameTextAsPlainText();
    void oneEditBlock();
    void replacementReadBack_data();
    void replacementReadBack();
    void codeAcrossTableCells();
    void codeInATable();
    void keptPartsAreTranslated();
};

void DocumentTargetTest::keepsTheFormattingAround()
{
    QTextDocument document;
    document.setHtml("a <b>NOM</b> b");
    {
        DocumentTarget target(document);
        TranslateIntoInternal(Entries(WithHeader({"NOM=£[SG : nom]#"})), target);
        QCOMPARE(target.LastReplacementEnd(), 14);
    }
    const QString text = document.toPlainText();
    QCOMPARE(text, QStringLiteral("a £[SG : nom]# b"));
    for (int i = 0; i < text.size(); ++i)
        QCOMPARE(BoldAt(document, i), i >= 2 && i < 14);
}

void DocumentTargetTest::takesTheFormatOfTheFoundText()
{
    QTextDocument document;
    document.setHtml("<b>Nom</b> : NOM et <i>n</i>Om.");
    {
        DocumentTarget target(document);
        TranslateIntoInternal(Entries(WithHeader({"NOM=<NOM>"})), target);
    }
    QCOMPARE(document.toPlainText(), QStringLiteral("<NOM> : <NOM> et <NOM>."));
    QTextCursor cursor(&document);
    cursor.setPosition(1);
    QVERIFY(cursor.charFormat().fontWeight() >= QFont::Bold);
    cursor.setPosition(5);
    QVERIFY(cursor.charFormat().fontWeight() >= QFont::Bold);
    cursor.setPosition(6);
    QVERIFY(cursor.charFormat().fontWeight() < QFont::Bold);
    cursor.setPosition(9);
    QVERIFY(cursor.charFormat().fontWeight() < QFont::Bold);
    QVERIFY(!cursor.charFormat().fontItalic());
    cursor.setPosition(18);
    QVERIFY(cursor.charFormat().fontItalic());
    cursor.setPosition(22);
    QVERIFY(cursor.charFormat().fontItalic());
    cursor.setPosition(23);
    QVERIFY(!cursor.charFormat().fontItalic());
}

void DocumentTargetTest::sameTextAsPlainText_data()
{
    QTest::addColumn<QStringList>("fusion");
    QTest::addColumn<QString>("script");

    QTest::newRow("prefix first") << WithHeader({"NOM=%N%", "NOMJF=%J%"}) << "NOMJF nomjf NOM";
    QTest::newRow("growing replacement")
        << WithHeader({"NOM=£[SG : nom]#", "AGE=£[SG : âge]#"}) << "Nom: NOM\nÂge: AGE age\n";
    QTest::newRow("shrinking replacement") << WithHeader({"£[SG : nom]#=N", "£[SG : âge]#=A"})
                                           << "£[SG : nom]# et £[SG : ÂGE]#\n£[sg : âge]#";
    QTest::newRow("holding its own code") << WithHeader({"NOM=NOM NOM", "OM=x"}) << "NOM nom\nom";
    QTest::newRow("made by a replacement") << WithHeader({"A=BC", "BC=z"}) << "A\nbc";
    QTest::newRow("other case only") << WithHeader({"NOM=%N%"}) << "Nom nom";
    QTest::newRow("code across a line break") << WithHeader({"A\nB=x"}) << "A\nB a\nb";
}

void DocumentTargetTest::sameTextAsPlainText()
{
    QFETCH(QStringList, fusion);
    QFETCH(QString, script);

    PlainTextTarget plain(script);
    TranslateIntoInternal(Entries(fusion), plain);

    QTextDocument document;
    document.setPlainText(script);
    int caret;
    {
        DocumentTarget target(document);
        TranslateIntoInternal(Entries(fusion), target);
        caret = target.LastReplacementEnd();
    }
    QCOMPARE(document.toPlainText(), plain.text());
    QCOMPARE(caret, int(plain.LastReplacementEnd()));
}

void DocumentTargetTest::oneEditBlock()
{
    QTextDocument document;
    document.setPlainText("NOM AGE nom\nAGE");
    document.documentLayout(); // as in a view: the layout follows every change
    QVERIFY(!document.isUndoAvailable());
    QSignalSpy changes(&document, &QTextDocument::contentsChange);
    {
        DocumentTarget target(document);
        TranslateIntoInternal(Entries(WithHeader({"NOM=%N%", "AGE=%A%"})), target);
        QCOMPARE(changes.count(), 0);
    }
    QCOMPARE(document.toPlainText(), QStringLiteral("%N% %A% %N%\n%A%"));
    QCOMPARE(changes.count(), 1);
    document.undo();
    QCOMPARE(document.toPlainText(), QStringLiteral("NOM AGE nom\nAGE"));
    QVERIFY(!document.isUndoAvailable());
}

void DocumentTargetTest::replacementReadBack_data()
{
    QTest::addColumn<QStringList>("fusion");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("translated");
    QTest::addColumn<int>("caret");

    // Each first replacement is stored otherwise than written; the later
    // codes must still be found where they stand.
    QTest::newRow("line break") << WithHeader({"X=1\r\n2", "2=<2>", "Z=<z>"}) << "X 2\nZ"
                                << "1\n<2> <2>\n<z>" << 13;
    QTest::newRow("paragraph separator")
        << WithHeader({QStringLiteral("X=1\u20292"), "1\n2=<12>"}) << "X." << "<12>." << 4;
    QTest::newRow("lone CR") << WithHeader({"X=1\r2", "1\n2=<12>"}) << "X." << "<12>." << 4;
    // Compared as it stands, not as the space Qt's plain text makes of it.
    QTest::newRow("no-break space")
        << WithHeader({QStringLiteral("X=1\u00a0Y"), "1 Y=z", QStringLiteral("1\u00a0Y=<y>")})
        << "X" << QStringLiteral("<y>") << 3;
}

void DocumentTargetTest::replacementReadBack()
{
    QFETCH(QStringList, fusion);
    QFETCH(QString, script);
    QFETCH(QString, translated);
    QFETCH(int, caret);

    QTextDocument document;
    document.setPlainText(script);
    {
        DocumentTarget target(document);
        TranslateIntoInternal(Entries(fusion), target);
        QCOMPARE(target.LastReplacementEnd(), caret);
    }
    QCOMPARE(document.toRawText().replace(QChar::ParagraphSeparator, u'\n'), translated);
}

void DocumentTargetTest::codeAcrossTableCells()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextTable* table = cursor.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText("A");
    table->cellAt(0, 1).firstCursorPosition().insertText("B");
    cursor.movePosition(QTextCursor::End);
    cursor.insertText("fin");
    {
        DocumentTarget target(document);
        // A code holding the mark between two cells.
        TranslateIntoInternal(
            Entries(WithHeader({QStringLiteral("A\ufdd0B=x"), "fin=END"})), target);
    }
    // The cells stay, so the document reads back otherwise than the
    // replacement would have it; the next code must still be found.
    QVERIFY(document.toPlainText().endsWith("x\nEND"));
}

void DocumentTargetTest::codeInATable()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText("NOM");
    cursor.insertTable(1, 2);
    cursor.insertText("AGE NOM");
    cursor.movePosition(QTextCursor::End);
    cursor.insertText("fin AGE");
    {
        DocumentTarget target(document);
        TranslateIntoInternal(Entries(WithHeader({"NOM=£[SG : nom]#", "AGE=%A%"})), target);
    }
    const QString text = document.toPlainText();
    QCOMPARE(text.count("£[SG : nom]#"), 2);
    QCOMPARE(text.count("%A%"), 2);
    QVERIFY(!text.contains("NOM") && !text.contains("AGE"));
    QVERIFY(text.endsWith("fin %A%"));
}

// Codes in the header, a note, a comment and a field instruction are
// replaced with the text's; the report counts them and says where; one undo
// takes them back with the rest.
void DocumentTargetTest::keptPartsAreTranslated()
{
    const QByteArray letter = "{\\rtf1\\ansi{\\header \\pard NOM du cabinet\\par}Cher NOM{\\footnote \\pard NOM}"
                              "{\\*\\annotation \\pard Voir NOM}{\\field{\\*\\fldinst MERGEFIELD NOM}{\\fldrslt x}}"
                              "\\par{\\footer \\pard DATE}}";
    QTextDocument document;
    QVERIFY(RtfReader().read(letter, &document));
    const QByteArray before = RtfWriter::write(document);
    ReportRecorder recorder;
    QList<ReportRow> rows;
    {
        DocumentTarget target(document);
        const QString text = target.Text();
        TranslateIntoInternal(Entries(WithHeader({"NOM=£[nom]#", "DATE=£[date]#"})), target, &recorder);
        rows = BuildRunReport(text, target.Text(), recorder.walks());
    }
    const QByteArray out = RtfWriter::write(document);
    QVERIFY2(out.contains("{\\header \\pard \\u163?[nom]# du cabinet\\par}"), out.constData());
    QVERIFY(out.contains("{\\footnote \\pard \\u163?[nom]#}"));
    QVERIFY(out.contains("{\\*\\annotation \\pard Voir \\u163?[nom]#}"));
    QVERIFY(out.contains("{\\*\\fldinst MERGEFIELD \\u163?[nom]#}"));
    QVERIFY(out.contains("{\\footer \\pard \\u163?[date]#}"));
    QCOMPARE(document.toPlainText(), QStringLiteral("Cher £[nom]#x"));
    QStringList cells;
    for (const ReportRow& row : rows)
        if (row.state == ReportState::Replaced)
            cells << ReportCells(row).join(u'|');
    QCOMPARE(cells, QStringList({"Remplacé|NOM|£[nom]#|5|1, en-tête, note, commentaire, champ",
                                 "Remplacé|DATE|£[date]#|1|pied de page"}));
    document.undo();
    QCOMPARE(RtfWriter::write(document), before);
}

QTEST_MAIN(DocumentTargetTest)
#include "TestDocumentTarget.moc"
