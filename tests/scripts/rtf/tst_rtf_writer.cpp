#include "scripts/rtf/RtfReader.h"
#include "scripts/rtf/RtfTokenizer.h"
#include "scripts/rtf/RtfWriter.h"

#include "RtfProbe.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using polyx::RtfReader;
using polyx::RtfWriter;
using rtfprobe::paragraphs;

namespace {

// Same paragraphs, alignments and, character by character, the same look.
void compareDocuments(const QTextDocument& actual, const QTextDocument& expected)
{
    QCOMPARE(paragraphs(actual), paragraphs(expected));
    for (QTextBlock b = expected.begin(); b.isValid(); b = b.next()) {
        const int start = b.position();
        QCOMPARE(rtfprobe::property(actual, start, QStringLiteral("align")),
                 rtfprobe::property(expected, start, QStringLiteral("align")));
        for (int p = start; p < start + b.length() - 1; ++p)
            QCOMPARE(rtfprobe::look(actual, p), rtfprobe::look(expected, p));
    }
}

// Braces balanced as a reader sees them, the outer group closing last.
bool balanced(const QByteArray& rtf)
{
    polyx::RtfTokenizer tokens(rtf);
    int depth = 0;
    bool closed = false;
    for (polyx::RtfToken t = tokens.next(); t.kind != polyx::RtfToken::End; t = tokens.next()) {
        if (closed)
            return false;
        if (t.kind == polyx::RtfToken::GroupStart)
            ++depth;
        else if (t.kind == polyx::RtfToken::GroupEnd && --depth == 0)
            closed = true;
    }
    return closed;
}

QByteArray writeAndReadBack(const QTextDocument& doc, QTextDocument& back)
{
    const QByteArray rtf = RtfWriter::write(doc);
    RtfReader reader;
    if (!reader.read(rtf, &back))
        qWarning("written RTF not read back");
    return rtf;
}

} // namespace

class RtfWriterTest : public QObject {
    Q_OBJECT

private slots:
    void escape_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("ascii") << "Hello, world! 123" << QByteArray("Hello, world! 123");
        QTest::newRow("specials") << "a\\b{c}" << QByteArray("a\\\\b\\{c\\}");
        QTest::newRow("tab") << "a\tb" << QByteArray("a\\tab b");
        QTest::newRow("space after tab kept") << "\t x" << QByteArray("\\tab  x");
        QTest::newRow("line separator") << QStringLiteral("a\u2028b") << QByteArray("a\\line b");
        QTest::newRow("no-break and hyphens") << QStringLiteral("a\u00A0b\u00ADc\u2011d")
                                              << QByteArray("a\\~b\\-c\\_d");
        QTest::newRow("Latin-1 letters") << "éàçÿ" << QByteArray("\\'e9\\'e0\\'e7\\'ff");
        QTest::newRow("Windows-1252 extras") << "€œ’Ÿ" << QByteArray("\\'80\\'9c\\'92\\'9f");
        QTest::newRow("outside Windows-1252") << "Жą" << QByteArray("\\u1046?\\u261?");
        QTest::newRow("above 32767") << "語" << QByteArray("\\u-30050?");
        QTest::newRow("surrogate pair") << QStringLiteral("😀") << QByteArray("\\u-10179?\\u-8704?");
        QTest::newRow("controls dropped") << QStringLiteral("a\x01\x7f\u0085\u0081" "b") << QByteArray("ab");
        QTest::newRow("objects dropped") << QStringLiteral("a\uFFFCb") << QByteArray("ab");
    }
    void escape()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        QCOMPARE(RtfWriter::escape(text), expected);
    }

    // Long plain runs go eight characters at a time: a character that needs
    // escaping is caught wherever it falls in such a run.
    void escapeAnywhereInALongRun()
    {
        const QString specials = QStringLiteral("\\{}\t\x7f\x1f\u00e9\u2028\u8a9e\u0100\uFFFC\u00A0~ ");
        for (const QChar special : specials) {
            for (int at = 0; at < 20; ++at) {
                const QString before(at, u'a');
                const QString after(19 - at, u'b');
                QCOMPARE(RtfWriter::escape(before + special + after),
                         RtfWriter::escape(before) + RtfWriter::escape(QString(special)) + RtfWriter::escape(after));
            }
        }
        QCOMPARE(RtfWriter::escape(QStringLiteral("0123456789abcdef{")), QByteArray("0123456789abcdef\\{"));
    }

    void layout()
    {
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Tahoma"), 10));
        doc.setHtml(QStringLiteral("<p>d\u00e9but <span style=\"font-family:Arial; color:#ff0000; "
                                   "background-color:#ffff00\">\u0416</span></p><p>fin</p>"));
        const QByteArray rtf = RtfWriter::write(doc);

        QVERIFY2(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Tahoma;}"
                                "{\\f1\\fnil\\fcharset0 Arial;}}"),
                 rtf.constData());
        QVERIFY(rtf.contains("{\\colortbl ;\\red255\\green0\\blue0;\\red255\\green255\\blue0;}"));
        QVERIFY(rtf.contains("{\\f0\\fs20 d\\'e9but }{\\f1\\fs20\\cf1\\chcbpat2\\highlight2 \\u1046?}\\par"));
        QCOMPARE(rtf.count("\\par\r\n"), 2);
        QVERIFY(balanced(rtf));
        for (const char c : rtf)
            QVERIFY(uchar(c) < 0x80);
    }

    void fontNameWithSemicolon()
    {
        QTextDocument doc;
        QTextCharFormat odd;
        odd.setFontFamilies({QStringLiteral("Odd;Name{x}")});
        QTextCursor(&doc).insertText(QStringLiteral("x"), odd);
        QTextDocument back;
        const QByteArray rtf = writeAndReadBack(doc, back);
        QVERIFY(rtf.contains("Odd\\'3bName\\{x\\};"));
        QCOMPARE(rtfprobe::property(back, 0, QStringLiteral("family")), QStringLiteral("Odd;Name{x}"));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("plain");

        QTest::newRow("character formats")
            << "<p>normal <b>gras</b> <i>italique</i> <u>soulign\u00e9</u> <s>barr\u00e9</s> "
               "<sup>exp</sup> <sub>ind</sub> <b><i><u>tout</u></i></b></p>"
            << QString();
        QTest::newRow("fonts and sizes")
            << "<p><span style=\"font-family:Arial; font-size:14pt\">Arial</span> "
               "<span style=\"font-family:'Courier New'; font-size:10.5pt\">Courier</span> "
               "<span style=\"font-size:36pt\">grand</span></p>"
            << QString();
        QTest::newRow("colours")
            << "<p><span style=\"color:#ff0000\">rouge</span> "
               "<span style=\"background-color:#ffff00\">fond</span> "
               "<span style=\"color:#123456; background-color:#abcdef\">les deux</span></p>"
            << QString();
        QTest::newRow("alignments")
            << "<p align=\"left\">g</p><p align=\"center\">c</p><p align=\"right\">d</p>"
               "<p align=\"justify\">j</p>"
            << QString();
        QTest::newRow("line break") << "<p>un<br>deux</p>" << QString();
        QTest::newRow("non-ASCII") << QString()
                                   << QStringLiteral("éàç €œ’ Ж語😀 a\u00A0b\u00ADc\u2011d");
        QTest::newRow("escapes") << QString() << "\\{}\\\\ {x} \\par";
        QTest::newRow("tabs") << QString() << "a\tb\t\tc";
        QTest::newRow("spaces kept") << QString() << "  deux espaces, fin ";
        QTest::newRow("empty paragraphs") << QString() << "\n\nmilieu\n\n";
        QTest::newRow("empty document") << QString() << QString();
    }
    void roundTrip()
    {
        QFETCH(QString, html);
        QFETCH(QString, plain);
        QTextDocument doc;
        if (html.isEmpty())
            doc.setPlainText(plain);
        else
            doc.setHtml(html);
        QTextDocument back;
        const QByteArray rtf = writeAndReadBack(doc, back);
        compareDocuments(back, doc);
        // What was read back is written the same way again.
        QCOMPARE(RtfWriter::write(back), rtf);
    }

    void readsBackWhatOthersWrote_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::newRow("WordPad") << "wordpad.rtf";
        QTest::newRow("Word") << "word.rtf";
        QTest::newRow("LibreOffice") << "libreoffice.rtf";
    }
    void readsBackWhatOthersWrote()
    {
        QFETCH(QString, fixture);
        QTextDocument doc;
        RtfReader reader;
        QVERIFY(reader.read(rtfprobe::fixture(fixture), &doc));
        QTextDocument back;
        writeAndReadBack(doc, back);
        compareDocuments(back, doc);
    }
};

QTEST_MAIN(RtfWriterTest)
#include "tst_rtf_writer.moc"
