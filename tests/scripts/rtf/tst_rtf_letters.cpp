// Letters as Word, WordPad and LibreOffice write them: style sheets, tables,
// symbol fonts, hidden text, paragraph formatting, pictures, code pages and
// the parts the pane leaves out; read, written back and read again.
#include "scripts/rtf/RtfReader.h"
#include "scripts/rtf/RtfWriter.h"

#include "RtfProbe.h"

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>

using polyx::RtfReader;
using polyx::RtfWriter;
using rtfprobe::paragraphs;

namespace {

QByteArray rtf(const QByteArray& body) { return "{\\rtf1\\ansi " + body + "}"; }

bool read(const QByteArray& data, QTextDocument& doc)
{
    RtfReader reader;
    return reader.read(data, &doc);
}

QString readText(const QByteArray& data)
{
    QTextDocument doc;
    return read(data, doc) ? paragraphs(doc) : QStringLiteral("<failed>");
}

QList<QTextTable*> tables(const QTextDocument& doc)
{
    QList<QTextTable*> out;
    const std::function<void(QTextFrame*)> walk = [&](QTextFrame* frame) {
        for (QTextFrame* child : frame->childFrames()) {
            if (auto* table = qobject_cast<QTextTable*>(child))
                out << table;
            walk(child);
        }
    };
    walk(doc.rootFrame());
    return out;
}

// "rows x columns border", then each cell with its text (paragraphs joined
// by '/') and its spans when merged, rows separated by " | ".
QString shape(const QTextTable* table)
{
    QStringList rows;
    for (int r = 0; r < table->rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.row() != r || cell.column() != c)
                continue;
            QStringList text;
            for (auto it = cell.begin(); !it.atEnd(); ++it)
                if (it.currentFrame())
                    text << QStringLiteral("[table]");
                else
                    text << it.currentBlock().text();
            QString entry = text.join(u'/');
            if (cell.rowSpan() > 1 || cell.columnSpan() > 1)
                entry += QStringLiteral("(%1x%2)").arg(cell.rowSpan()).arg(cell.columnSpan());
            cells << entry;
        }
        rows << cells.join(QStringLiteral(", "));
    }
    return QStringLiteral("%1x%2 %3: ").arg(table->rows()).arg(table->columns())
        .arg(table->format().border() > 0 ? QStringLiteral("bordered") : QStringLiteral("borderless"))
        + rows.join(QStringLiteral(" | "));
}

QList<int> columnTwips(const QTextTable* table)
{
    QList<int> out;
    for (const QTextLength& l : table->format().columnWidthConstraints())
        out << qRound(l.rawValue() * polyx::rtf::kTwipsPerPixel);
    return out;
}

QList<QTextImageFormat> images(const QTextDocument& doc)
{
    QList<QTextImageFormat> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                out << it.fragment().charFormat().toImageFormat();
    return out;
}

// The bytes of each picture a written file holds, in order.
QList<QByteArray> pictureBytes(const QByteArray& written)
{
    QList<QByteArray> out;
    static const QRegularExpression pict(QStringLiteral("\\{\\\\pict\\\\(\\w+?)\\d*\\\\picw[^ \\r\\n]*([0-9a-f\\r\\n]+)\\}"));
    for (auto it = pict.globalMatch(QString::fromLatin1(written)); it.hasNext();)
        out << QByteArray::fromHex(it.next().captured(2).toLatin1());
    return out;
}

// What a reader shows of two documents is the same: paragraphs, the look of
// each character and of each paragraph, tables and pictures.
void compareDocuments(const QTextDocument& actual, const QTextDocument& expected)
{
    QCOMPARE(paragraphs(actual), paragraphs(expected));
    for (QTextBlock b = expected.begin(); b.isValid(); b = b.next()) {
        const int start = b.position();
        QCOMPARE(rtfprobe::look(actual, start), rtfprobe::look(expected, start));
        for (int p = start; p < start + b.length() - 1; ++p)
            QCOMPARE(rtfprobe::look(actual, p), rtfprobe::look(expected, p));
    }
    const QList<QTextTable*> a = tables(actual), e = tables(expected);
    QCOMPARE(a.size(), e.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        QCOMPARE(shape(a[i]), shape(e[i]));
        QCOMPARE(columnTwips(a[i]), columnTwips(e[i]));
    }
    const QList<QTextImageFormat> ai = images(actual), ei = images(expected);
    QCOMPARE(ai.size(), ei.size());
    for (qsizetype i = 0; i < ai.size(); ++i) {
        QCOMPARE(ai[i].width(), ei[i].width());
        QCOMPARE(ai[i].height(), ei[i].height());
        const auto bytes = [](const QTextDocument& doc, const QTextImageFormat& f) {
            return doc.resource(QTextDocument::UserResource, polyx::rtf::pictureBytesName(f.name())).toByteArray();
        };
        QCOMPARE(bytes(actual, ai[i]), bytes(expected, ei[i]));
        QVERIFY(!bytes(actual, ai[i]).isEmpty());
    }
}

QByteArray jpeg() { return rtfprobe::imageBytes("JPG", 6, 3, Qt::darkGreen); }

} // namespace

class RtfLettersTest : public QObject {
    Q_OBJECT

private slots:
    void text_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("expected");

        QTest::newRow("Word letter") << rtfprobe::fixture("word_letter.rtf")
            << QStringLiteral("\uFFFC\nCompte rendu de consultation\n"
                              "Cher confrère, j’ai vu <NOM_PATIENT> ce jour1 pour un bilan urgent.2 Note interne : rappeler\n"
                              "•\tTension\t<TA>\n"
                              "☑ Bilan fait  ◻ Bilan à faire  ≥ 5 ± 1\n"
                              "Examen\nRésultat\nGlycémie\n<GLY> g/l\n<HBA1C> %\n"
                              "Bien confraternellement,\nAnnexe");
        QTest::newRow("LibreOffice tables") << rtfprobe::fixture("libreoffice_tables.rtf")
            << QStringLiteral("Bilan biologique\n"
                              "Patient : <NOM> né le <DDN> • suivi régulier (dossier papier) fin.\n"
                              "Analyse\nValeurs\nIonogramme\nSodium\nNa\n<NA> mmol/l\nK\n<K> mmol/l\n\n"
                              "\uFFFC\nDr Martin\nSignature\n\n");
        QTest::newRow("WordPad in 1250") << rtfprobe::fixture("wordpad_cp1250.rtf")
            << QStringLiteral("Szanowny Panie Doktorze,\n•\tPacjent żali się na ból głowy\n"
                              "•\tWłaściwe leczenie: <LEK>\nανμα кровь\nData\t<DATA>\tkoniec");

        // Symbol fonts, by charset or by name, with bytes or Unicode numbers.
        const QByteArray fonts = "{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}{\\f2\\fcharset2 Wingdings;}"
                                 "{\\f3\\fcharset0 Symbol;}{\\f4\\fcharset2 Wingdings 2;}{\\f5 Webdings;}"
                                 "{\\f6\\fcharset2 Marlett;}}";
        QTest::newRow("Symbol bytes") << rtf(fonts + "{\\f1 \\'b7\\'61\\'62\\'44\\'a3\\'b3\\'b4\\'d6\\'ae}x")
                                      << QStringLiteral("•αβΔ≤≥×√→x");
        QTest::newRow("Symbol plain letters") << rtf(fonts + "{\\f1 p=3}") << QStringLiteral("π=3");
        QTest::newRow("Word's private-use spelling") << rtf(fonts + "{\\f1\\u-3913\\'b7}{\\f2\\u-3844\\'fc}")
                                                    << QStringLiteral("•✓");
        QTest::newRow("LibreOffice's byte spelling, font by name") << rtf(fonts + "{\\f3\\u183\\'b7}")
                                                                  << QStringLiteral("•");
        QTest::newRow("Wingdings boxes and marks")
            << rtf(fonts + "{\\f2 \\'fe\\'fd\\'a8\\'6f\\'fc\\'fb\\'a7\\'6c\\'e8\\'d8}")
            << QStringLiteral("☑☒◻□✓✗▪●➔➢");
        QTest::newRow("Wingdings 2 and Webdings") << rtf(fonts + "{\\f4 \\'50\\'52}{\\f5 a}")
                                                  << QStringLiteral("✓☑✓");
        QTest::newRow("unknown symbol font reads as Symbol") << rtf(fonts + "{\\f6 \\'b7}")
                                                            << QStringLiteral("•");
        QTest::newRow("glyph without Unicode twin keeps Word's spelling") << rtf(fonts + "{\\f2 \\'27}")
                                                                         << QStringLiteral("\uF027");
        QTest::newRow("symbol font ends with its group") << rtf(fonts + "{\\f1 a}a") << QStringLiteral("αa");

        // Code pages by table.
        QTest::newRow("874") << QByteArray("{\\rtf1\\ansi\\ansicpg874 \\'a1\\'d2}") << QStringLiteral("กา");
        QTest::newRow("1250") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'8a\\'e8}") << QStringLiteral("Šč");
        QTest::newRow("1251") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'e0}") << QStringLiteral("Да");
        QTest::newRow("1253") << QByteArray("{\\rtf1\\ansi\\ansicpg1253 \\'d9\\'e4}") << QStringLiteral("Ωδ");
        QTest::newRow("1254") << QByteArray("{\\rtf1\\ansi\\ansicpg1254 \\'f0\\'fe}") << QStringLiteral("ğş");
        QTest::newRow("1255") << QByteArray("{\\rtf1\\ansi\\ansicpg1255 \\'f9\\'ec}") << QStringLiteral("של");
        QTest::newRow("1256") << QByteArray("{\\rtf1\\ansi\\ansicpg1256 \\'c8\\'ca}") << QStringLiteral("بت");
        QTest::newRow("1257") << QByteArray("{\\rtf1\\ansi\\ansicpg1257 \\'e0\\'fb}") << QStringLiteral("ąū");
        QTest::newRow("1258") << QByteArray("{\\rtf1\\ansi\\ansicpg1258 \\'d0\\'f5}") << QStringLiteral("Đơ");
        QTest::newRow("charset 222 is Thai") << rtf("{\\fonttbl{\\f0\\fcharset222 Tahoma;}}\\f0\\'a1")
                                            << QStringLiteral("ก");
        QTest::newRow("949 through Qt") << rtf("{\\fonttbl{\\f0\\fcharset129 Gulim;}}\\f0\\'c7\\'d1")
                                       << QStringLiteral("한");
        QTest::newRow("950 through Qt") << rtf("{\\fonttbl{\\f0\\fcharset136 MingLiU;}}\\f0\\'a4\\'a4")
                                       << QStringLiteral("中");
        QTest::newRow("unknown page, nothing to decode")
            << QByteArray("{\\rtf1\\ansi\\ansicpg99999 abc}") << QStringLiteral("abc");

        // Tables.
        QTest::newRow("nested table read once")
            << rtf("\\trowd\\cellx3000\\pard\\intbl a\\par\\pard\\intbl\\itap2 b\\nestcell c\\nestcell"
                   "{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\nestrow}{\\nonesttables b\\tab c\\par}"
                   "\\pard\\intbl\\cell\\row\\pard d")
            << QStringLiteral("\na\nb\nc\n\nd");
        QTest::newRow("table between paragraphs")
            << rtf("a\\par\\trowd\\cellx1000\\cellx2000\\pard\\intbl x\\cell y\\cell\\row\\pard b\\par")
            << QStringLiteral("a\nx\ny\nb");
        QTest::newRow("unfinished table keeps its cells")
            << rtf("\\trowd\\cellx1000\\pard\\intbl x\\cell y") << QStringLiteral("\nx\ny\n");
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

        // The style sheet.
        const QByteArray lo = rtfprobe::fixture("libreoffice_tables.rtf");
        QTest::newRow("LO body size from its paragraph style") << lo << "Patient" << "size" << "12";
        QTest::newRow("LO body font from the default") << lo << "Patient" << "family" << "Liberation Serif";
        QTest::newRow("LO body spacing from its style") << lo << "Patient" << "spacing" << "1:115";
        QTest::newRow("LO body space after") << lo << "Patient" << "after" << "140";
        QTest::newRow("LO character style italic") << lo << "né le" << "italic" << "1";
        QTest::newRow("LO character style colour") << lo << "né le" << "fg" << "#ff0000";
        QTest::newRow("LO character style ends") << lo << " suivi" << "italic" << "0";
        QTest::newRow("LO heading size") << lo << "Bilan bio" << "size" << "18";
        QTest::newRow("LO heading font") << lo << "Bilan bio" << "family" << "Liberation Sans";
        QTest::newRow("LO heading bold") << lo << "Bilan bio" << "bold" << "1";
        QTest::newRow("LO table heading centred") << lo << "Analyse" << "align" << "center";
        QTest::newRow("LO table heading bold") << lo << "Analyse" << "bold" << "1";
        QTest::newRow("LO cell not bold") << lo << "Ionogramme" << "bold" << "0";
        QTest::newRow("LO nested cell bold") << lo << "<NA>" << "bold" << "1";
        QTest::newRow("LO cell right-aligned") << lo << "Signature" << "align" << "right";
        QTest::newRow("LO symbol in the text's font") << lo << "•" << "family" << "Liberation Serif";
        QTest::newRow("LO hidden") << lo << "(dossier" << "hidden" << "1";
        QTest::newRow("LO hidden greyed") << lo << "(dossier" << "fg" << "#808080";
        QTest::newRow("LO visible") << lo << " fin." << "hidden" << "0";

        const QByteArray word = rtfprobe::fixture("word_letter.rtf");
        QTest::newRow("Word default size") << word << "Cher" << "size" << "11";
        QTest::newRow("Word font") << word << "Cher" << "family" << "Calibri";
        QTest::newRow("Word justified") << word << "Cher" << "align" << "justify";
        QTest::newRow("Word space before") << word << "Cher" << "before" << "120";
        QTest::newRow("Word space after") << word << "Cher" << "after" << "240";
        QTest::newRow("Word line and a half") << word << "Cher" << "spacing" << "1:150";
        QTest::newRow("Word heading colour") << word << "Compte" << "fg" << "#2f5496";
        QTest::newRow("Word heading size") << word << "Compte" << "size" << "16";
        QTest::newRow("Word character style") << word << "urgent" << "italic" << "1";
        QTest::newRow("Word hidden") << word << "Note interne" << "hidden" << "1";
        QTest::newRow("Word hanging indent") << word << "Tension" << "indent" << "-360";
        QTest::newRow("Word left indent") << word << "Tension" << "left" << "720";
        QTest::newRow("Word tab stops") << word << "Tension" << "tabs" << "720 1440";
        QTest::newRow("Word bullet in the text's font") << word << "•" << "family" << "Calibri";
        QTest::newRow("Word check box in the text's font") << word << "☑" << "family" << "Calibri";
        QTest::newRow("Word cell bold") << word << "Examen" << "bold" << "1";
        QTest::newRow("Word cell italic code") << word << "<GLY>" << "italic" << "1";
        QTest::newRow("Word cell underlined code") << word << "<HBA1C>" << "underline" << "1";
        QTest::newRow("Word page break") << word << "Annexe" << "pagebreak" << "1";
        QTest::newRow("Word no page break") << word << "Bien" << "pagebreak" << "0";

        const QByteArray wordpad = rtfprobe::fixture("wordpad_cp1250.rtf");
        QTest::newRow("WordPad tab stops") << wordpad << "Data" << "tabs" << "1418 2835";
        QTest::newRow("WordPad bullet indent") << wordpad << "•\tPacjent" << "indent" << "-360";
        QTest::newRow("WordPad right") << wordpad << "ανμα" << "align" << "right";

        // Styles in short.
        const QByteArray sheet = "{\\stylesheet{\\fs20 Normal;}{\\s1\\sbasedon0\\b\\li360 Base;}"
                                 "{\\s2\\sbasedon1\\i Derived;}{\\*\\cs3\\ul Souligne;}"
                                 "{\\s4\\sbasedon5\\b A;}{\\s5\\sbasedon4\\i B;}}";
        QTest::newRow("based on: own word") << rtf(sheet + "\\pard\\plain\\s2 x") << "x" << "italic" << "1";
        QTest::newRow("based on: base's word") << rtf(sheet + "\\pard\\plain\\s2 x") << "x" << "bold" << "1";
        QTest::newRow("based on: base's indent") << rtf(sheet + "\\pard\\plain\\s2 x") << "x" << "left" << "360";
        QTest::newRow("based on: base's base") << rtf(sheet + "\\pard\\plain\\s2 x") << "x" << "size" << "10";
        QTest::newRow("based on each other") << rtf(sheet + "\\pard\\plain\\s4 x") << "x" << "bold" << "1";
        QTest::newRow("explicit over the style") << rtf(sheet + "\\pard\\plain\\s1\\b0 x") << "x" << "bold" << "0";
        QTest::newRow("character style") << rtf(sheet + "\\pard\\plain\\s1{\\cs3 x}") << "x" << "underline" << "1";
        QTest::newRow("character style over the paragraph's")
            << rtf(sheet + "\\pard\\plain\\s1{\\cs3 x}") << "x" << "bold" << "1";
        QTest::newRow("pard returns to the defaults")
            << rtf(sheet + "\\pard\\s1\\li720 a\\par\\pard x") << "x" << "left" << "0";
        QTest::newRow("plain without default size is 12 pt") << rtf("\\fs40 a\\plain x") << "x" << "size" << "12";
        QTest::newRow("plain returns to defchp")
            << rtf("{\\*\\defchp \\fs22}\\fs40\\b a\\plain x") << "x" << "size" << "11";
        QTest::newRow("defchp from the start") << rtf("{\\*\\defchp \\fs18}x") << "x" << "size" << "9";
        QTest::newRow("text without size is 12 pt") << rtf("x") << "x" << "size" << "12";

        // Paragraph formatting.
        QTest::newRow("right indent") << rtf("\\ri567 x") << "x" << "right" << "567";
        QTest::newRow("exact spacing") << rtf("\\sl-300\\slmult0 x") << "x" << "spacing" << "2:20";
        QTest::newRow("at least spacing") << rtf("\\sl300\\slmult0 x") << "x" << "spacing" << "3:20";
        QTest::newRow("double spacing") << rtf("\\sl480\\slmult1 x") << "x" << "spacing" << "1:200";
        QTest::newRow("pagebb") << rtf("a\\par\\pagebb x") << "x" << "pagebreak" << "1";
        QTest::newRow("page ends a paragraph") << rtf("a\\page x") << "x" << "pagebreak" << "1";
        QTest::newRow("page breaks once") << rtf("a\\page x\\par y") << "y" << "pagebreak" << "0";
        QTest::newRow("tabs reset by pard") << rtf("\\tx720 a\\par\\pard x") << "x" << "tabs" << "";
        QTest::newRow("hidden ends with v0") << rtf("\\v a\\v0 x") << "x" << "hidden" << "0";
    }
    void formatting()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, at);
        QFETCH(QString, property);
        QFETCH(QString, expected);
        QTextDocument doc;
        QVERIFY(read(input, doc));
        const int position = int(paragraphs(doc).indexOf(at));
        QVERIFY2(position >= 0, qPrintable(paragraphs(doc)));
        QCOMPARE(rtfprobe::property(doc, position, property), expected);
    }

    void tables_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QList<int>>("widths");

        QTest::newRow("Word, bordered, merged down")
            << rtfprobe::fixture("word_letter.rtf")
            << QStringList{"3x2 bordered: Examen, Résultat | Glycémie(2x1), <GLY> g/l | <HBA1C> %"}
            << QList<int>{3020, 6042};
        QTest::newRow("LibreOffice, nested")
            << rtfprobe::fixture("libreoffice_tables.rtf")
            << QStringList{"2x2 bordered: Analyse, Valeurs | Ionogramme, Sodium/[table]/",
                           "2x2 borderless: Na, <NA> mmol/l | K, <K> mmol/l",
                           "1x2 borderless: Dr Martin, Signature"}
            << QList<int>{3213, 6536};
        QTest::newRow("merged across") << rtf("\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\cellx3000"
                                              "\\pard\\intbl a\\cell\\cell b\\cell\\row"
                                              "\\trowd\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl c\\cell d\\cell e\\cell\\row")
                                       << QStringList{"2x3 borderless: a(1x2), b | c, d, e"}
                                       << QList<int>{1000, 1000, 1000};
        QTest::newRow("rows cut differently") << rtf("\\trowd\\cellx1000\\cellx3000\\pard\\intbl a\\cell b\\cell\\row"
                                                     "\\trowd\\cellx2000\\cellx3000\\pard\\intbl c\\cell d\\cell\\row")
                                              << QStringList{"2x3 borderless: a, b(1x2) | c(1x2), d"}
                                              << QList<int>{1000, 1000, 1000};
        QTest::newRow("border none stays borderless")
            << rtf("\\trowd\\clbrdrt\\brdrnone\\cellx1000\\pard\\intbl a\\cell\\row")
            << QStringList{"1x1 borderless: a"} << QList<int>{1000};
        QTest::newRow("row description after the cells")
            << rtf("\\pard\\intbl a\\cell b\\cell{\\trowd\\trleft-100\\cellx900\\cellx2900\\row}")
            << QStringList{"1x2 borderless: a, b"} << QList<int>{1000, 2000};
        QTest::newRow("more cells than described")
            << rtf("\\trowd\\cellx1000\\pard\\intbl a\\cell b\\cell\\row")
            << QStringList{"1x2 borderless: a, b"} << QList<int>{1000, 1440};
    }
    void tables()
    {
        QFETCH(QByteArray, input);
        QFETCH(QStringList, expected);
        QFETCH(QList<int>, widths);
        QTextDocument doc;
        QVERIFY(read(input, doc));
        QStringList shapes;
        const QList<QTextTable*> found = ::tables(doc);
        for (const QTextTable* table : found)
            shapes << shape(table);
        QCOMPARE(shapes, expected);
        QCOMPARE(columnTwips(found.first()), widths);
    }

    // What the pane holds reads back the same from what the writer makes of it.
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("Word letter") << rtfprobe::fixture("word_letter.rtf");
        QTest::newRow("LibreOffice tables") << rtfprobe::fixture("libreoffice_tables.rtf");
        QTest::newRow("WordPad in 1250") << rtfprobe::fixture("wordpad_cp1250.rtf");
        QTest::newRow("merged across and down")
            << rtf("\\trowd\\clvmgf\\clbrdrt\\brdrs\\cellx1000\\cellx3000\\pard\\intbl a\\cell b\\cell\\row"
                   "\\trowd\\clvmrg\\cellx1000\\clmgf\\cellx2000\\clmrg\\cellx3000\\pard\\intbl\\cell c\\cell\\cell\\row");
        QTest::newRow("three levels")
            << rtf("\\trowd\\cellx5000\\pard\\intbl\\itap2\\pard\\intbl\\itap3 deep\\nestcell"
                   "{\\*\\nesttableprops\\trowd\\cellx1000\\nestrow}\\pard\\intbl\\itap2\\nestcell"
                   "{\\*\\nesttableprops\\trowd\\cellx3000\\nestrow}\\pard\\intbl\\cell\\row");
        QTest::newRow("JPEG") << rtf("{\\pict\\jpegblip\\picwgoal1500\\pichgoal750 " + jpeg().toHex() + "}");
        QTest::newRow("scaled PNG")
            << rtf("{\\pict\\pngblip\\picw4\\pich2\\picscalex50\\picscaley200 "
                   "89504e470d0a1a0a0000000d4948445200000004000000020802000000f0caea340000001349444154789c63"
                     "5070580044ffc18001990300b5a20ff5cfd6a85d0000000049454e44ae426082}");
        QTest::newRow("WMF") << rtf("{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720 "
                                    "0100090000036e00000000000400000003010800050000000b0200000000}");
    }
    void roundTrip()
    {
        QFETCH(QByteArray, input);
        QTextDocument doc;
        QVERIFY(read(input, doc));
        const QByteArray written = RtfWriter::write(doc);
        QTextDocument back;
        QVERIFY(read(written, back));
        compareDocuments(back, doc);
        QCOMPARE(RtfWriter::write(back), written);
    }

    void pictures()
    {
        const QByteArray jpegBytes = jpeg();
        const QByteArray wmf = QByteArray::fromHex("0100090000036e00000000000400000003010800050000000b0200000000");
        const QByteArray input = rtf("a{\\pict\\jpegblip\\picwgoal1500\\pichgoal750 " + jpegBytes.toHex()
                                     + "}b{\\pict\\wmetafile8\\picw2540\\pich1270 " + wmf.toHex() + "}c");
        QTextDocument doc;
        QVERIFY(read(input, doc));
        QCOMPARE(paragraphs(doc), QStringLiteral("a\uFFFCb\uFFFCc"));
        const QList<QTextImageFormat> found = images(doc);
        QCOMPARE(found.size(), 2);
        // At its size in the file: 1500 twips are 100 pixels; a metafile's
        // 25.4 mm are an inch, 96 pixels.
        QCOMPARE(found[0].width(), 100.0);
        QCOMPARE(found[0].height(), 50.0);
        QCOMPARE(found[1].width(), 96.0);
        QCOMPARE(found[1].height(), 48.0);
        const QImage shown = doc.resource(QTextDocument::ImageResource, QUrl(found[0].name())).value<QImage>();
        QCOMPARE(shown.size(), QSize(6, 3));
        // What Qt cannot draw shows as a placeholder of its size.
        const QImage placeholder = doc.resource(QTextDocument::ImageResource, QUrl(found[1].name())).value<QImage>();
        QCOMPARE(placeholder.size(), QSize(64, 48));

        const QByteArray written = RtfWriter::write(doc);
        QVERIFY(written.contains("{\\pict\\jpegblip"));
        QVERIFY(written.contains("{\\pict\\wmetafile8\\picw2540\\pich1270"));
        QCOMPARE(pictureBytes(written), (QList<QByteArray>{jpegBytes, wmf}));
    }

    void pictureMadeInThePane()
    {
        QTextDocument doc;
        QImage image(5, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("collee")), image);
        QTextImageFormat f;
        f.setName(QStringLiteral("collee"));
        QTextCursor(&doc).insertImage(f);
        const QByteArray written = RtfWriter::write(doc);
        QVERIFY(written.contains("{\\pict\\pngblip\\picw5\\pich4"));
        QTextDocument back;
        QVERIFY(read(written, back));
        const QList<QTextImageFormat> found = images(back);
        QCOMPARE(found.size(), 1);
        QCOMPARE(back.resource(QTextDocument::ImageResource, QUrl(found[0].name())).value<QImage>().size(), QSize(5, 4));
    }

    // A frame that is not a table (pasted HTML may make one) keeps its text.
    void frameKeepsItsText()
    {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        cursor.insertText(QStringLiteral("avant"));
        cursor.insertFrame(QTextFrameFormat());
        cursor.insertText(QStringLiteral("dedans"));
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral("après"));
        QTextDocument back;
        QVERIFY(read(RtfWriter::write(doc), back));
        QCOMPARE(paragraphs(back), QStringLiteral("avant\ndedans\naprès"));
    }

    void refusedCodePage_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("message");
        QTest::newRow("document's page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg99999 caf\\'e9}")
            << "Le codage 99999 de ce fichier n'est pas pris en charge.";
        QTest::newRow("a font's page")
            << rtf("{\\fonttbl{\\f0 A;}{\\f1\\cpg77777 B;}}d\\'e9j\\'e0 {\\f1 \\'e9}")
            << "Le codage 77777 de ce fichier n'est pas pris en charge.";
    }
    void refusedCodePage()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, message);
        // A document with text gets it back; a new one stays empty.
        for (const QString& before : {QStringLiteral("avant"), QString()}) {
            for (const bool undo : {true, false}) {
                QTextDocument doc(before);
                doc.setUndoRedoEnabled(undo);
                RtfReader reader;
                QVERIFY(!reader.read(input, &doc));
                QCOMPARE(reader.errorString(), message);
                QCOMPARE(doc.toPlainText(), before);
                QCOMPARE(doc.isUndoRedoEnabled(), undo);
                if (before.isEmpty())
                    QVERIFY(!doc.isUndoAvailable());
            }
        }
    }

    void hiddenParts_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("notice");
        QTest::newRow("nothing") << rtf("x") << "";
        QTest::newRow("Word letter") << rtfprobe::fixture("word_letter.rtf")
                                     << "RTF : en-tête, pied de page et 2 notes conservés, non affichés";
        QTest::newRow("LibreOffice comment") << rtfprobe::fixture("libreoffice_tables.rtf")
                                             << "RTF : 1 commentaire conservés, non affichés";
        QTest::newRow("first-page header") << rtf("{\\headerf Cabinet}x") << "RTF : en-tête conservés, non affichés";
        QTest::newRow("two headers are one") << rtf("{\\headerl Cabinet}{\\headerr Cabinet}x") << "RTF : en-tête conservés, non affichés";
        QTest::newRow("one note") << rtf("x{\\footnote n}") << "RTF : 1 note conservés, non affichés";
        QTest::newRow("note in a note counts once") << rtf("x{\\footnote n{\\footnote m}}") << "RTF : 1 note conservés, non affichés";
        QTest::newRow("everything")
            << rtf("{\\header Cabinet}{\\footer Cabinet}x{\\footnote a}{\\footnote b}{\\footnote c}{\\*\\annotation c}{\\*\\annotation d}")
            << "RTF : en-tête, pied de page, 3 notes et 2 commentaires conservés, non affichés";
        QTest::newRow("footer and comment") << rtf("{\\footerf Cabinet}{\\*\\annotation c}")
                                            << "RTF : pied de page et 1 commentaire conservés, non affichés";
        QTest::newRow("skipped header not counted") << rtf("{\\*\\foo {\\header Cabinet}}x") << "";
    }
    void hiddenParts()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, notice);
        QTextDocument doc;
        RtfReader reader;
        QVERIFY(reader.read(input, &doc));
        QCOMPARE(RtfReader::hiddenPartsNotice(reader.hiddenParts()), notice);
        QVERIFY(!paragraphs(doc).contains(QStringLiteral("Cabinet")));
    }

    // The file our writer makes of the Word letter, as LibreOffice was seen
    // to read it (word_letter.libreoffice.txt, its text export): a change
    // here means looking at LibreOffice again.
    void writtenAsLibreOfficeWasShown()
    {
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Tahoma"), 10));
        QVERIFY(read(rtfprobe::fixture("word_letter.rtf"), doc));
        QCOMPARE(RtfWriter::write(doc), rtfprobe::fixture("word_letter.written.rtf"));
    }

    void writtenTables()
    {
        QTextDocument doc;
        QVERIFY(read(rtfprobe::fixture("libreoffice_tables.rtf"), doc));
        const QByteArray written = RtfWriter::write(doc);
        // Nested rows as Word writes them, with its fallback for older readers.
        QVERIFY(written.contains("\\nestcell"));
        QVERIFY(written.contains("{\\*\\nesttableprops\\trowd"));
        QVERIFY(written.contains("{\\nonesttables\\par}"));
        QVERIFY(written.contains("\\intbl\\itap2"));
        // Bordered cells say so on each side; a borderless table says nothing.
        QCOMPARE(written.count("\\clbrdrt\\brdrs"), 4);
        QVERIFY(written.contains("\\v"));
    }
};

QTEST_MAIN(RtfLettersTest)
#include "tst_rtf_letters.moc"
