#include "scripts/rtf/RtfReader.h"

#include "RtfProbe.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextDocument>

using polyx::RtfReader;
using rtfprobe::paragraphs;

namespace {

QByteArray rtf(const QByteArray& body) { return "{\\rtf1\\ansi " + body + "}"; }

QString readText(const QByteArray& data)
{
    QTextDocument doc;
    RtfReader reader;
    return reader.read(data, &doc) ? paragraphs(doc) : QStringLiteral("<failed>");
}

// What a document must never hold, whatever it was read from.
QString firstForeignCharacter(const QTextDocument& doc)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QString text = b.text();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t u = text[i].unicode();
            const bool pairStart = QChar::isHighSurrogate(u) && i + 1 < text.size()
                && QChar::isLowSurrogate(text[i + 1].unicode());
            if (pairStart) {
                ++i;
                continue;
            }
            const bool bad = (u < 0x20 && u != '\t') || (u >= 0x7F && u < 0xA0)
                || QChar::isSurrogate(u) || u == QChar::ObjectReplacementCharacter
                || (u >= 0xFDD0 && u <= 0xFDEF) || u >= 0xFFFE;
            if (bad)
                return QStringLiteral("U+%1 at %2").arg(int(u), 4, 16, QLatin1Char('0')).arg(i);
        }
    }
    return {};
}

} // namespace

class RtfReaderTest : public QObject {
    Q_OBJECT

private slots:
    void text_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("expected");

        QTest::newRow("plain") << rtf("Hello world") << "Hello world";
        QTest::newRow("final par adds nothing") << rtf("A\\par") << "A";
        QTest::newRow("par between") << rtf("A\\par B") << "A\nB";
        QTest::newRow("empty paragraphs") << rtf("A\\par\\par B\\par") << "A\n\nB";
        QTest::newRow("two bare pars") << rtf("\\par\\par") << "\n";
        QTest::newRow("empty document") << QByteArray("{\\rtf1}") << "";
        QTest::newRow("line and tab") << rtf("a\\line b\\tab c") << QStringLiteral("a\u2028b\tc");
        QTest::newRow("backslash newline") << rtf("a\\\nb") << "a\nb";
        QTest::newRow("page and sect") << rtf("a\\page b\\sect c") << "a\nb\nc";
        QTest::newRow("cells without intbl make a table") << rtf("a\\par c\\cell d\\cell\\row") << "a\nc\nd\n";
        QTest::newRow("escapes") << rtf("\\{x\\}\\\\") << "{x}\\";
        QTest::newRow("symbols") << rtf("a\\~b\\-c\\_d") << QStringLiteral("a\u00A0b\u00ADc\u2011d");
        QTest::newRow("typography words")
            << rtf("\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote")
            << QStringLiteral("—–•‘’“”");
        QTest::newRow("literal tab kept, controls dropped") << rtf("a\tb\x01\x7f" "c") << "a\tbc";

        // Code pages.
        QTest::newRow("hex in 1252 by default") << QByteArray("{\\rtf1 \\'e9\\'80\\'9c}") << "é€œ";
        QTest::newRow("hex upper case") << rtf("\\'C9") << "É";
        QTest::newRow("raw 8-bit text") << rtf("caf\xe9") << "café";
        QTest::newRow("ansicpg 1251") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}") << "При";
        QTest::newRow("ansicpg 1250") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'b9\\'9c}") << "ąś";
        QTest::newRow("ansicpg 1253") << QByteArray("{\\rtf1\\ansi\\ansicpg1253 \\'e1\\'e2}") << "αβ";
        QTest::newRow("unknown code page, ASCII text")
            << QByteArray("{\\rtf1\\ansi\\ansicpg99999 abc}") << "abc";
        QTest::newRow("mac") << QByteArray("{\\rtf1\\mac \\'8e}") << "é";
        QTest::newRow("font charset")
            << rtf("{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset238 B;}}\\f1\\'b9\\f0\\'b9") << "ą¹";
        QTest::newRow("font cpg") << rtf("{\\fonttbl{\\f0\\cpg1253 G;}}\\f0\\'e1") << "α";
        QTest::newRow("default font's charset")
            << QByteArray("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 C;}}"
                          "\\'c0\\plain\\'c1\\f0\\'c0}")
            << "АБÀ";
        QTest::newRow("charset 1 takes the document's")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset1 X;}}\\f0\\'c0}") << "А";
        QTest::newRow("double-byte pairs")
            << rtf("{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0\\'82\\'a0\\'82\\'a2") << "あい";
        QTest::newRow("double-byte next to escaped text")
            << rtf("{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0\\'c4\\'e3\\{x") << "你{x";

        // \u and \uc.
        QTest::newRow("u with ? fallback") << rtf("\\u233?") << "é";
        QTest::newRow("u with hex fallback") << rtf("\\u8364\\'80") << "€";
        QTest::newRow("uc0") << rtf("\\uc0\\u233 x") << "éx";
        QTest::newRow("uc2 skips two bytes") << rtf("\\uc2\\u8364\\'80\\'80x") << "€x";
        QTest::newRow("uc2 skips two letters") << rtf("\\uc2\\u233 eex") << "éx";
        QTest::newRow("negative above 32767") << rtf("\\u-30050?") << "語";
        QTest::newRow("surrogate pair") << rtf("\\u-10179?\\u-8704?") << QStringLiteral("😀");
        QTest::newRow("surrogate pair unsigned") << rtf("\\u55357?\\u56832?") << QStringLiteral("😀");
        QTest::newRow("lone surrogate") << rtf("\\u-10179?x") << QStringLiteral("\uFFFDx");
        QTest::newRow("uc is scoped") << rtf("{\\uc2 a}\\u233?z") << "aéz";
        QTest::newRow("group end stops fallback") << rtf("{\\uc3\\u233}x") << "éx";
        QTest::newRow("fallback may be a control word") << rtf("\\u8220\\ldblquote x") << "“x";
        QTest::newRow("out of range ignored") << rtf("\\u99999999?x") << "x";
        QTest::newRow("u without number") << rtf("\\u x") << "x";

        // Destinations.
        QTest::newRow("ignorable unknown skipped") << rtf("a{\\*\\foo hidden {nested} text}b") << "ab";
        QTest::newRow("unknown kept") << rtf("a{\\foo kept}b") << "akeptb";
        QTest::newRow("known destinations skipped")
            << rtf("a{\\stylesheet{\\s1 Normal;}}{\\info{\\title T}}"
                   "{\\header H}{\\footer F}{\\footnote N}{\\object{\\result R}}{\\*\\generator G;}"
                   "{\\annotation A}{\\shp{\\shpinst S}}b")
            << "ab";
        QTest::newRow("field result kept") << rtf("{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt lien}}")
                                           << "lien";
        QTest::newRow("bin inside pict") << rtf("a{\\pict\\bin4 }}}}b}c") << "ac";
        QTest::newRow("bin in body") << rtf("a\\bin3 xyzb") << "ab";
        QTest::newRow("hidden text kept") << rtf("a{\\v hidden}b\\v c\\v0 d") << "ahiddenbcd";
        QTest::newRow("list text kept") << rtf("{\\listtext \\'b7\\tab}Item") << "·\tItem";
        QTest::newRow("tables are not text")
            << rtf("{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}x") << "x";

        QTest::newRow("WordPad") << rtfprobe::fixture("wordpad.rtf")
                                 << QStringLiteral("Chère Madame Dupont,\nCentré en italique\n"
                                                   "Bleu et souligné et barré surligné\n"
                                                   "Zożółw\tfin\u2028ligne 😀");
        QTest::newRow("Word") << rtfprobe::fixture("word.rtf")
                              << QStringLiteral("Compte rendu\n"
                                                "Le patient a reçu\u00A0le traitement… important.1 Voir lien\n"
                                                "Привет \uFFFCaprès image");
        QTest::newRow("LibreOffice")
            << rtfprobe::fixture("libreoffice.rtf")
            << QStringLiteral("Titre centré\n"
                              "Paragraphe justifié avec rouge et barré, l’apostrophe, l€ et Ж😀.\n"
                              "Fond vert\ttabulation\u2028après saut");
    }
    void text()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, expected);
        QCOMPARE(readText(input), expected);
    }

    void formatting_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("expected");

        const QByteArray wordpad = rtfprobe::fixture("wordpad.rtf");
        QTest::newRow("WordPad plain") << wordpad << "Chère" << "bold" << "0";
        QTest::newRow("WordPad font") << wordpad << "Chère" << "family" << "Calibri";
        QTest::newRow("WordPad size") << wordpad << "Chère" << "size" << "11";
        QTest::newRow("WordPad left") << wordpad << "Chère" << "align" << "left";
        QTest::newRow("WordPad bold") << wordpad << "Dupont" << "bold" << "1";
        QTest::newRow("WordPad b0") << wordpad << "," << "bold" << "0";
        QTest::newRow("WordPad italic") << wordpad << "Centré" << "italic" << "1";
        QTest::newRow("WordPad f1") << wordpad << "Centré" << "family" << "Courier New";
        QTest::newRow("WordPad fs28") << wordpad << "Centré" << "size" << "14";
        QTest::newRow("WordPad centred") << wordpad << "Centré" << "align" << "center";
        QTest::newRow("WordPad colour") << wordpad << "Bleu" << "fg" << "#004dbb";
        QTest::newRow("WordPad cf0") << wordpad << " et soul" << "fg" << "none";
        QTest::newRow("WordPad right") << wordpad << "Bleu" << "align" << "right";
        QTest::newRow("WordPad underline") << wordpad << "souligné" << "underline" << "1";
        QTest::newRow("WordPad ulnone") << wordpad << " et barré" << "underline" << "0";
        QTest::newRow("WordPad strike") << wordpad << "barré" << "strike" << "1";
        QTest::newRow("WordPad highlight") << wordpad << "surligné" << "bg" << "#ffff00";
        QTest::newRow("WordPad no highlight") << wordpad << "barré" << "bg" << "none";
        QTest::newRow("WordPad charset font") << wordpad << "Zoż" << "family" << "Calibri";

        const QByteArray word = rtfprobe::fixture("word.rtf");
        QTest::newRow("Word title bold") << word << "Compte" << "bold" << "1";
        QTest::newRow("Word title font") << word << "Compte" << "family" << "Arial";
        QTest::newRow("Word title size") << word << "Compte" << "size" << "16";
        QTest::newRow("Word title colour") << word << "Compte" << "fg" << "#ff0000";
        QTest::newRow("Word title centred") << word << "Compte" << "align" << "center";
        QTest::newRow("Word body size") << word << "Le patient" << "size" << "11";
        QTest::newRow("Word body not bold") << word << "Le patient" << "bold" << "0";
        QTest::newRow("Word justified") << word << "Le patient" << "align" << "justify";
        QTest::newRow("Word italic") << word << "a reçu" << "italic" << "1";
        QTest::newRow("Word highlight") << word << "important" << "bg" << "#ffff00";
        QTest::newRow("Word link underline") << word << "lien" << "underline" << "1";
        QTest::newRow("Word link colour") << word << "lien" << "fg" << "#0000ff";
        QTest::newRow("Word Cyrillic font") << word << "Привет" << "family" << "Arial Cyr";
        QTest::newRow("Word Cyrillic size") << word << "Привет" << "size" << "12";
        QTest::newRow("Word left") << word << "Привет" << "align" << "left";

        const QByteArray lo = rtfprobe::fixture("libreoffice.rtf");
        QTest::newRow("LO title bold") << lo << "Titre" << "bold" << "1";
        QTest::newRow("LO title italic") << lo << "Titre" << "italic" << "1";
        QTest::newRow("LO title underline") << lo << "Titre" << "underline" << "1";
        QTest::newRow("LO title size") << lo << "Titre" << "size" << "18";
        QTest::newRow("LO title font") << lo << "Titre" << "family" << "Liberation Sans";
        QTest::newRow("LO title centred") << lo << "Titre" << "align" << "center";
        QTest::newRow("LO body font") << lo << "Paragraphe" << "family" << "Liberation Serif";
        QTest::newRow("LO body size") << lo << "Paragraphe" << "size" << "12";
        QTest::newRow("LO justified") << lo << "Paragraphe" << "align" << "justify";
        QTest::newRow("LO colour") << lo << "rouge" << "fg" << "#ff0000";
        QTest::newRow("LO strike") << lo << "barré" << "strike" << "1";
        QTest::newRow("LO background") << lo << "Fond vert" << "bg" << "#008000";
        QTest::newRow("LO right") << lo << "Fond vert" << "align" << "right";

        const QByteArray tables = "{\\fonttbl{\\f0 Arial;}{\\f1 Courier;}}"
                                  "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green255\\blue0;}";
        const QByteArray deff = "{\\rtf1\\ansi\\deff0" + tables;
        QTest::newRow("b0") << rtf("\\b gras\\b0 maigre") << "maigre" << "bold" << "0";
        QTest::newRow("i0") << rtf("\\i penche\\i0 droit") << "droit" << "italic" << "0";
        QTest::newRow("ul0") << rtf("\\ul sous\\ul0 rien") << "rien" << "underline" << "0";
        QTest::newRow("ulnone") << rtf("\\ulw sous\\ulnone rien") << "rien" << "underline" << "0";
        QTest::newRow("ul variant") << rtf("\\ulwave sous") << "sous" << "underline" << "1";
        QTest::newRow("ulc is a colour") << rtf("\\ulc1 x") << "x" << "underline" << "0";
        QTest::newRow("strike0") << rtf("\\strike a\\strike0 rien") << "rien" << "strike" << "0";
        QTest::newRow("striked") << rtf("\\striked1 rien") << "rien" << "strike" << "1";
        QTest::newRow("group restores") << rtf("{\\b in}out") << "out" << "bold" << "0";
        QTest::newRow("group sets") << rtf("{\\b in}out") << "in" << "bold" << "1";
        QTest::newRow("deff font") << deff + "x}" << "x" << "family" << "Arial";
        QTest::newRow("f1") << deff + "\\f1 x}" << "x" << "family" << "Courier";
        QTest::newRow("plain resets font") << deff + "\\f1\\b\\i\\cf1 x\\plain y}" << "y" << "family" << "Arial";
        QTest::newRow("plain resets bold") << deff + "\\f1\\b\\i\\cf1 x\\plain y}" << "y" << "bold" << "0";
        QTest::newRow("plain resets colour") << deff + "\\f1\\b\\i\\cf1 x\\plain y}" << "y" << "fg" << "none";
        QTest::newRow("plain resets size") << deff + "\\fs40 x\\plain\\fs y}" << "y" << "size" << "12";
        QTest::newRow("fs without number") << rtf("\\fs x") << "x" << "size" << "12";
        QTest::newRow("fs half points") << rtf("\\fs21 x") << "x" << "size" << "10.5";
        QTest::newRow("fs huge") << rtf("\\fs99999999 x") << "x" << "size" << "1638";
        QTest::newRow("cf out of range") << deff + "\\cf99 x}" << "x" << "fg" << "none";
        QTest::newRow("cf0 is automatic")
            << rtf("{\\colortbl\\red255\\green0\\blue0;}\\cf0 x") << "x" << "fg" << "none";
        QTest::newRow("cb") << deff + "\\cb2 x}" << "x" << "bg" << "#00ff00";
        QTest::newRow("highlight over shading") << deff + "\\chcbpat1\\highlight2 x}" << "x" << "bg" << "#00ff00";
        QTest::newRow("highlight0 shows shading")
            << deff + "\\chcbpat1\\highlight2\\highlight0 x}" << "x" << "bg" << "#ff0000";
        QTest::newRow("super") << rtf("\\super x") << "x" << "vertical" << "1";
        QTest::newRow("sub") << rtf("\\sub x") << "x" << "vertical" << "2";
        QTest::newRow("nosupersub") << rtf("\\super\\nosupersub x") << "x" << "vertical" << "0";
        QTest::newRow("alignment lasts") << rtf("\\qr a\\par b") << "b" << "align" << "right";
        QTest::newRow("pard resets alignment") << rtf("\\qc a\\par\\pard b") << "b" << "align" << "left";
        QTest::newRow("alignment at par") << rtf("\\qc a\\qr\\par b") << "a" << "align" << "right";
        QTest::newRow("last paragraph without par") << rtf("\\qj x") << "x" << "align" << "justify";
        QTest::newRow("qd") << rtf("\\qd x") << "x" << "align" << "justify";
    }
    void formatting()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, at);
        QFETCH(QString, property);
        QFETCH(QString, expected);
        QTextDocument doc;
        RtfReader reader;
        QVERIFY(reader.read(input, &doc));
        const int position = int(paragraphs(doc).indexOf(at));
        QVERIFY2(position >= 0, qPrintable(paragraphs(doc)));
        QCOMPARE(rtfprobe::property(doc, position, property), expected);
    }

    void notRtf_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("Bonjour");
        QTest::newRow("short header") << QByteArray("{\\rt");
        QTest::newRow("space before") << QByteArray(" {\\rtf1 x}");
        QTest::newRow("byte-order mark before") << QByteArray("\xEF\xBB\xBF{\\rtf1 x}");
    }
    void notRtf()
    {
        QFETCH(QByteArray, input);
        QTextDocument doc(QStringLiteral("avant"));
        RtfReader reader;
        QVERIFY(!reader.read(input, &doc));
        QCOMPARE(reader.errorString(), QStringLiteral("Erreur au chargement du flux"));
        QCOMPARE(doc.toPlainText(), QStringLiteral("avant"));
        QVERIFY(!RtfReader::isRtf(input));
    }

    // Paragraphs go into the document in stretches: each must still end
    // with its own alignment, indent, mark and runs, empty ones included,
    // on both sides of a picture and of a table.
    void eachParagraphKeepsItsFormats()
    {
        const QByteArray png = rtfprobe::imageBytes("PNG", 4, 2, Qt::red).toHex();
        QTextDocument doc;
        RtfReader reader;
        QVERIFY(reader.read(rtf("\\pard\\qc\\fs20 {\\b Titre}\\par"
                                "\\pard\\fs40\\par"
                                "\\pard\\li720 {\\i a}b\\par"
                                "\\pard\\plain\\par"
                                "\\pard\\qr x{\\pict\\pngblip\\picw4\\pich2 " + png + "}y\\par"
                                "\\pard\\plain\\fs28\\par"
                                "\\trowd\\cellx2000\\pard\\intbl c\\cell\\row"
                                "\\pard\\qj\\fs16 fin"),
                            &doc));
        QCOMPARE(paragraphs(doc), QStringLiteral("Titre\n\na b\n\nx\uFFFCy\n\nc\nfin").replace(u' ', QString()));
        struct Expected {
            int block;
            Qt::Alignment align;
            qreal indent;
            qreal markPoints;
        };
        const QList<Expected> rows = {
            {0, Qt::AlignHCenter, 0, 10}, {1, Qt::AlignLeft, 0, 20}, {2, Qt::AlignLeft, 48, 20},
            {3, Qt::AlignLeft, 0, 12},    {4, Qt::AlignRight, 0, 12}, {5, Qt::AlignLeft, 0, 14},
            {doc.lastBlock().blockNumber(), Qt::AlignJustify, 0, 8},
        };
        for (const Expected& e : rows) {
            const QTextBlock b = doc.findBlockByNumber(e.block);
            QVERIFY2(b.isValid(), qPrintable(QString::number(e.block)));
            QCOMPARE(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, e.align);
            QCOMPARE(b.blockFormat().leftMargin(), e.indent);
            QCOMPARE(b.charFormat().fontPointSize(), e.markPoints);
        }
        const auto at = [&](int block, int offset) {
            return rtfprobe::formatAt(doc, doc.findBlockByNumber(block).position() + offset);
        };
        QVERIFY(at(0, 0).fontWeight() == QFont::Bold);
        QCOMPARE(at(0, 0).fontPointSize(), 10.0);
        QVERIFY(at(2, 0).fontItalic());
        QVERIFY(!at(2, 1).fontItalic());
        QCOMPARE(at(2, 1).fontPointSize(), 20.0);
        QVERIFY(at(4, 1).isImageFormat());
        QCOMPARE(at(4, 2).fontPointSize(), 12.0);
        QCOMPARE(at(doc.lastBlock().blockNumber(), 0).fontPointSize(), 8.0);
    }

    void headerInAnyCase()
    {
        QVERIFY(RtfReader::isRtf("{\\RtF1 x}"));
        QCOMPARE(readText("{\\RTF1 x}"), QStringLiteral("x"));
    }

    void replacesContentAsOneUndoStep()
    {
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("ancien\ntexte"));
        QTextCursor(&doc).setBlockFormat([] {
            QTextBlockFormat centred;
            centred.setAlignment(Qt::AlignHCenter);
            return centred;
        }());
        RtfReader reader;
        QVERIFY(reader.read(rtf("nouveau"), &doc));
        QCOMPARE(paragraphs(doc), QStringLiteral("nouveau"));
        QCOMPARE(rtfprobe::property(doc, 0, QStringLiteral("align")), QStringLiteral("left"));
        doc.undo();
        QCOMPARE(paragraphs(doc), QStringLiteral("ancien\ntexte"));
        QVERIFY(reader.errorString().isEmpty());
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("expected");

        const int n = 100000;
        QTest::newRow("unclosed groups") << QByteArray("{\\rtf1 a{\\b b{\\i c") << "abc";
        QTest::newRow("extra closing") << QByteArray("{\\rtf1 a}}} b}") << "a";
        QTest::newRow("inner close ends early") << QByteArray("{\\rtf1 {a}}b}") << "a";
        QTest::newRow("truncated hex") << QByteArray("{\\rtf1 a\\'") << "a";
        QTest::newRow("truncated hex digit") << QByteArray("{\\rtf1 a\\'4") << "a";
        QTest::newRow("truncated word") << QByteArray("{\\rtf1 a\\pa") << "a";
        QTest::newRow("truncated in font table") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ari") << "";
        QTest::newRow("truncated in picture") << QByteArray("{\\rtf1 a{\\pict 0102") << "a";
        QTest::newRow("huge bin") << QByteArray("{\\rtf1 a\\bin2147483647 xyz}") << "a";
        QTest::newRow("huge uc") << QByteArray("{\\rtf1 {\\uc2147483647\\u233 lots of text}after}") << "éafter";
        QTest::newRow("huge numbers")
            << QByteArray("{\\rtf1 {\\colortbl;\\red999999\\green-5\\blue256;}\\cf1\\fs-99999999"
                          "\\f2147483647\\highlight-3\\uc-4\\ansicpg-1252\\deff-2147483648 x}")
            << "x";
        QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b}", 11) << "ab";
        QTest::newRow("100000 nested groups")
            << "{\\rtf1 " + QByteArray(n, '{') + "deep" + QByteArray(n, '}') + " after}" << "deep after";
        QTest::newRow("100000 unclosed groups") << "{\\rtf1 " + QByteArray(n, '{') + "deep" << "deep";
        QTest::newRow("100000 nested destinations")
            << "{\\rtf1 a" + QByteArray("{\\*\\x").repeated(n) + QByteArray(n, '}') + "b}" << "ab";
        QTest::newRow("deep formatting stays in its groups")
            << "{\\rtf1 " + QByteArray("{\\b ").repeated(n) + "x" + QByteArray(n, '}') + "y\\par}" << "xy";
        QTest::newRow("long control word") << "{\\rtf1 \\" + QByteArray(n, 'a') + " x}" << "x";
        QTest::newRow("long number") << "{\\rtf1 \\fs" + QByteArray(n, '9') + " x}" << "x";
        QTest::newRow("many colours")
            << "{\\rtf1 {\\colortbl" + QByteArray("\\red1;").repeated(n) + "}\\cf99999 x}" << "x";
        QByteArray fonts = "{\\rtf1 {\\fonttbl";
        for (int i = 0; i < n; ++i)
            fonts += "{\\f" + QByteArray::number(i) + " A;}";
        QTest::newRow("many fonts") << fonts + "}\\f99999 x}" << "x";
    }
    void malformed()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, expected);
        QCOMPARE(readText(input), expected);
    }

    void garbage_data()
    {
        QTest::addColumn<QByteArray>("input");
        for (quint32 seed = 1; seed <= 6; ++seed) {
            QRandomGenerator random(seed);
            QByteArray bytes(200000, Qt::Uninitialized);
            for (char& c : bytes)
                c = char(random.bounded(256));
            QTest::addRow("random bytes %u", seed) << "{\\rtf1 " + bytes;

            // Pieces of RTF in random order reach the odd corners faster than bytes do.
            static const char* const pieces[] = {"{", "}", "{\\*", "\\", "\\'", "\\'e", "9", "-",
                " ", "x", "\\u", "\\uc", "\\bin", "\\fonttbl", "\\colortbl", "\\f", "\\fs", "\\cf",
                "\\par", "\\pict", "\\plain", "\\pard", "\\qc", "\\b", ";", "\\red", "\\fcharset",
                "128", "\\ansicpg", "1251", "\\'82", "\\~", "\\line", "\\v", "\\highlight"};
            QByteArray soup = "{\\rtf1 ";
            for (int i = 0; i < 100000; ++i)
                soup += pieces[random.bounded(int(std::size(pieces)))];
            QTest::addRow("token soup %u", seed) << soup;
        }
    }
    void garbage()
    {
        QFETCH(QByteArray, input);
        QTextDocument doc;
        RtfReader reader;
        QVERIFY(reader.read(input, &doc));
        QCOMPARE(firstForeignCharacter(doc), QString());
    }

    void largeInput()
    {
        const int n = 100000;
        QTextDocument doc;
        RtfReader reader;
        QVERIFY(reader.read(rtf(QByteArray("x\\par ").repeated(n)), &doc));
        QCOMPARE(doc.blockCount(), n);
        QVERIFY(reader.read(rtf(QByteArray("\\u1046?").repeated(2 * n)), &doc));
        QCOMPARE(paragraphs(doc), QString(2 * n, QChar(0x0416)));
    }
};

QTEST_MAIN(RtfReaderTest)
#include "tst_rtf_reader.moc"
