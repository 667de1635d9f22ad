// Letters from real word processors: note marks, raised and lowered text,
// styles, Mac code pages, fields, and the parts the pane cannot show, kept
// and written back byte for byte.
#include "scripts/rtf/RtfFormats.h"
#include "scripts/rtf/RtfKeptText.h"
#include "scripts/rtf/RtfReader.h"
#include "scripts/rtf/RtfWriter.h"

#include "RtfProbe.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

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

// Read, written, read again and written again.
QByteArray twiceWritten(const QByteArray& data)
{
    QTextDocument first, second;
    if (!read(data, first) || !read(RtfWriter::write(first), second))
        return "<failed>";
    return RtfWriter::write(second);
}

const QByteArray kLetterhead = "{\\header \\pard\\plain {\\b\\f1\\cf2 Docteur MARTIN\\par}{\\f1 [NOM_PATIENT]\\par}}";

} // namespace

class RtfKeptTest : public QObject {
    Q_OBJECT

private slots:
    // Word writes the mark in the text and again in the note's own group.
    void noteMarksStayInTheText()
    {
        QTextDocument doc;
        QVERIFY(read(rtf("has a{\\super\\chftn}{\\footnote {\\super\\chftn} Ibid.} note, a{\\super\\chftn}"
                         "{\\footnote {\\super\\chftn} Op. cit.} second"),
                     doc));
        QCOMPARE(paragraphs(doc), QStringLiteral("has a1 note, a2 second"));
        QCOMPARE(rtfprobe::property(doc, 5, QStringLiteral("vertical")), QStringLiteral("1"));
        QCOMPARE(rtfprobe::property(doc, 4, QStringLiteral("vertical")), QStringLiteral("0"));
        // Written back as Word's marks, so that no reader numbers them twice.
        const QByteArray out = RtfWriter::write(doc);
        QCOMPARE(out.count("\\chftn"), 4);
        QVERIFY(!out.contains("a1"));
        QTextDocument again;
        QVERIFY(read(out, again));
        QCOMPARE(paragraphs(again), QStringLiteral("has a1 note, a2 second"));
    }

    void raisedAndLowered_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("vertical");
        QTest::newRow("LibreOffice's HbA1c") << QByteArray("HbA{\\*\\updnprop8000}\\dn2 1c\\dn0  reste") << 3 << "2";
        QTest::newRow("after it") << QByteArray("HbA{\\*\\updnprop8000}\\dn2 1c\\dn0  reste") << 6 << "0";
        QTest::newRow("10 to the 9th") << QByteArray("10{\\*\\updnprop8000}\\up8 9") << 2 << "1";
        QTest::newRow("in a group") << QByteArray("10{\\up8 9} x") << 3 << "0";
        QTest::newRow("\\up alone") << QByteArray("x\\up y") << 1 << "1";
        QTest::newRow("\\up0 ends it") << QByteArray("x\\up6 y\\up0 z") << 2 << "0";
        QTest::newRow("\\super still") << QByteArray("x\\super y") << 1 << "1";
        QTest::newRow("\\sub still") << QByteArray("x\\sub y") << 1 << "2";
    }
    void raisedAndLowered()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, at);
        QFETCH(QString, vertical);
        QTextDocument doc;
        QVERIFY(read(rtf(body), doc));
        QCOMPARE(rtfprobe::property(doc, at, QStringLiteral("vertical")), vertical);
        QTextDocument again;
        QVERIFY(read(RtfWriter::write(doc), again));
        QCOMPARE(rtfprobe::property(again, at, QStringLiteral("vertical")), vertical);
    }

    void styles_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        const QByteArray sheet = "{\\stylesheet{\\fs20 Normal;}{\\s1\\b\\fs32\\sbasedon0 Gros Titre;}"
                                 "{\\s3\\i\\fs28\\sbasedon1 Sous Titre;}{\\*\\cs10\\additive Police;}"
                                 "{\\*\\cs15\\ul\\sbasedon0 Lien;}{\\*\\cs16\\ul\\sbasedon10 Lien Bis;}}";
        // LibreOffice reads the direct \b0 before the style as not bold.
        QTest::newRow("direct formatting before \\s") << rtf(sheet + "\\pard\\plain\\b0\\s3 Titre\\par") << "bold" << "0";
        QTest::newRow("the style's size under it") << rtf(sheet + "\\pard\\plain\\b0\\s3 Titre\\par") << "size" << "14";
        QTest::newRow("the style's base") << rtf(sheet + "\\pard\\plain\\s3 Titre\\par") << "bold" << "1";
        QTest::newRow("direct after \\s") << rtf(sheet + "\\pard\\plain\\s3\\b0 Titre\\par") << "bold" << "0";
        // A character style based on Normal does not take Normal's size: LibreOffice shows 14 pt.
        QTest::newRow("field result keeps its size")
            << rtf(sheet + "\\pard\\plain\\fs28 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt {\\cs15 lien}}}\\par")
            << "size" << "14";
        QTest::newRow("character style's own") << rtf(sheet + "\\pard\\plain\\fs28 {\\cs15 lien}\\par") << "underline" << "1";
        QTest::newRow("character base") << rtf(sheet + "\\pard\\plain\\fs28 {\\cs16 lien}\\par") << "size" << "14";
    }
    void styles()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QTextDocument doc;
        QVERIFY(read(input, doc));
        QCOMPARE(rtfprobe::property(doc, 1, name), value);
    }

    void macCodePages_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("text");
        QTest::newRow("\\mac") << QByteArray("{\\rtf1\\mac caf\\'8e}") << QStringLiteral("café");
        QTest::newRow("10000") << QByteArray("{\\rtf1\\ansi\\ansicpg10000 caf\\'8e}") << QStringLiteral("café");
        QTest::newRow("10001 Japanese") << QByteArray("{\\rtf1\\ansi\\ansicpg10001 \\'82\\'a0\\'93\\'fa}")
                                        << QStringLiteral("あ日");
        QTest::newRow("10002 Chinese") << QByteArray("{\\rtf1\\ansi\\ansicpg10002 \\'a4\\'a4}") << QStringLiteral("中");
        QTest::newRow("10003 Korean") << QByteArray("{\\rtf1\\ansi\\ansicpg10003 \\'b0\\'a1}") << QStringLiteral("가");
        QTest::newRow("10006 Greek") << QByteArray("{\\rtf1\\ansi\\ansicpg10006 \\'e1}") << QStringLiteral("α");
        QTest::newRow("10007 Cyrillic") << QByteArray("{\\rtf1\\ansi\\ansicpg10007 \\'e0}") << QStringLiteral("а");
        QTest::newRow("10008 Chinese") << QByteArray("{\\rtf1\\ansi\\ansicpg10008 \\'d6\\'d0}") << QStringLiteral("中");
        QTest::newRow("10029 Central European") << QByteArray("{\\rtf1\\ansi\\ansicpg10029 \\'87}")
                                                << QStringLiteral("á");
        QTest::newRow("10081 Turkish") << QByteArray("{\\rtf1\\ansi\\ansicpg10081 \\'da}") << QStringLiteral("Ğ");
        QTest::newRow("Mac Roman font") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset77 Geneva;}}\\f0 \\'8e}")
                                        << QStringLiteral("é");
    }
    void macCodePages()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, text);
        QTextDocument doc;
        RtfReader reader;
        QVERIFY2(reader.read(input, &doc), qUtf8Printable(reader.errorString()));
        QCOMPARE(paragraphs(doc).trimmed(), text);
    }

    // ICU in Qt 6.4 knows no Mac Arabic, Hebrew or Icelandic.
    void macPagesWithoutCodecStayRefused()
    {
        QTextDocument doc;
        RtfReader reader;
        QVERIFY(!reader.read("{\\rtf1\\ansi\\ansicpg10079 \\'a0}", &doc));
        QCOMPARE(reader.errorString(), QStringLiteral("Le codage 10079 de ce fichier n'est pas pris en charge."));
    }

    void fieldsKeepTheirInstructions()
    {
        const QByteArray input = rtf(
            "Titre : {\\field{\\*\\fldinst { TITLE  \\\\* Upper }}{\\fldrslt {\\b MON TITRE}}} et {\\field\\flddirty"
            "{\\*\\fldinst REF Nom \\\\* Upper}{\\fldrslt DUPONT}}.");
        QTextDocument doc;
        QVERIFY(read(input, doc));
        QCOMPARE(paragraphs(doc), QStringLiteral("Titre : MON TITRE et DUPONT."));
        QCOMPARE(rtfprobe::property(doc, 9, QStringLiteral("bold")), QStringLiteral("1"));
        const QByteArray out = RtfWriter::write(doc);
        QVERIFY2(out.contains("{\\field{\\*\\fldinst { TITLE  \\\\* Upper }}{\\fldrslt {"), out.constData());
        QVERIFY(out.contains("{\\field{\\*\\fldinst REF Nom \\\\* Upper}{\\fldrslt {"));
        QVERIFY(out.contains("MON TITRE}}}"));
        QCOMPARE(twiceWritten(input), out);
    }

    // Each kind is written back byte for byte, and again from what we wrote.
    void keptKindsComeBack_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("kept");
        QTest::addColumn<QString>("text");
        QTest::newRow("letterhead") << rtf(kLetterhead + "Cher confr\\'e8re") << kLetterhead
                                    << QStringLiteral("Cher confrère");
        const QByteArray footer = "{\\footer \\pard\\qc Page {\\field{\\*\\fldinst { PAGE }}{\\fldrslt 1}}\\par}";
        QTest::newRow("footer with PAGE") << rtf(footer + "x") << footer << QStringLiteral("x");
        const QByteArray note = "{\\footnote \\pard {\\super\\chftn} Voir [DATE].}";
        QTest::newRow("note") << rtf("a{\\super\\chftn}" + note + " b") << note << QStringLiteral("a1 b");
        const QByteArray comment = "{\\*\\annotation{\\*\\atndate 1}\\pard A revoir.}";
        QTest::newRow("comment") << rtf("a{\\*\\atnid JM}\\chatn " + comment + "b")
                                 << "{\\*\\atnid JM}\\chatn " + comment << QStringLiteral("ab");
        const QByteArray box = "{\\shp{\\*\\shpinst\\shpleft0\\shpright3000{\\sp{\\sn shapeType}{\\sv 202}}"
                               "{\\shptxt \\pard Cachet [RPPS]\\par}}}";
        QTest::newRow("text box") << rtf("a" + box + "b") << box << QStringLiteral("ab");
        const QByteArray margins = "\\paperw11906\\paperh16838\\margl1417\\margr1417\\margt1417\\margb1417";
        QTest::newRow("A4 margins") << rtf(margins + " \\pard x\\par") << margins << QStringLiteral("x");
        const QByteArray merge = "{\\field{\\*\\fldinst { MERGEFIELD Nom }}{\\fldrslt }}";
        QTest::newRow("MERGEFIELD without result") << rtf("Bonjour " + merge + " !") << merge
                                                  << QStringLiteral("Bonjour  !");
        const QByteArray bookmark = "{\\*\\bkmkstart Signature}";
        QTest::newRow("bookmark") << rtf(bookmark + "Dr X{\\*\\bkmkend Signature}") << bookmark << QStringLiteral("Dr X");
        const QByteArray info = "{\\info{\\title Courrier}{\\author Dr X}}";
        QTest::newRow("info") << rtf(info + "x") << info << QStringLiteral("x");
        QTest::newRow("at the end of a paragraph") << rtf("x" + bookmark + "\\par y") << bookmark
                                                   << QStringLiteral("x\ny");
        QTest::newRow("in a table cell") << rtf("\\trowd\\cellx2000\\pard\\intbl a" + bookmark + "\\cell\\row")
                                         << bookmark << QString();
    }
    void keptKindsComeBack()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, kept);
        QFETCH(QString, text);
        QTextDocument doc;
        QVERIFY(read(input, doc));
        if (!text.isNull())
            QCOMPARE(paragraphs(doc), text);
        const QByteArray out = RtfWriter::write(doc);
        QVERIFY2(out.contains(kept), out.constData());
        QCOMPARE(twiceWritten(input), out);
    }

    // The kept groups refer to the tables as the file had them.
    void tablesStayForTheKeptParts()
    {
        const QByteArray input = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times;}{\\f1\\fswiss\\fcharset204 Arial;}}"
                                 "{\\colortbl;\\red0\\green0\\blue0;\\red31\\green73\\blue125;}"
                                 + kLetterhead + "{\\cf2 bleu} {\\cf3 autre}}";
        QTextDocument doc;
        QVERIFY(read(input, doc));
        const QByteArray out = RtfWriter::write(doc);
        QVERIFY2(out.contains("{\\fonttbl{\\f0\\froman Times;}{\\f1\\fswiss\\fcharset204 Arial;}{\\f2\\fnil"),
                 out.constData());
        QVERIFY(out.contains("{\\colortbl ;\\red0\\green0\\blue0;\\red31\\green73\\blue125;}"));
        QVERIFY(out.contains("\\deff2"));
        // The body's colours are found again.
        QTextDocument again;
        QVERIFY(read(out, again));
        QCOMPARE(rtfprobe::property(again, 1, QStringLiteral("fg")), QStringLiteral("#1f497d"));
        // A letter without kept parts is written as before.
        QTextDocument bare;
        QVERIFY(read("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}{\\colortbl;\\red1\\green2\\blue3;}x}", bare));
        QVERIFY(RtfWriter::write(bare).startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil"));
    }

    // Kept bytes in another code page than 1252 stay readable in it.
    void keptCodePageStays()
    {
        const QByteArray input = "{\\rtf1\\ansi\\ansicpg1251{\\header \\'c4\\'f0}\\'c4\\'e0 caf\\u233?}";
        QTextDocument doc;
        QVERIFY(read(input, doc));
        const QByteArray out = RtfWriter::write(doc);
        QVERIFY2(out.startsWith("{\\rtf1\\ansi\\ansicpg1251"), out.constData());
        QVERIFY(out.contains("{\\header \\'c4\\'f0}"));
        QTextDocument again;
        QVERIFY(read(out, again));
        QCOMPARE(paragraphs(again), QStringLiteral("Да café"));
    }

    // A kept group goes with the character it stands before.
    void deletingThePlaceDeletesTheGroup()
    {
        QTextDocument doc;
        QVERIFY(read(rtf("avant {\\*\\bkmkstart A}signet apr\\'e8s{\\footnote \\pard note}."), doc));
        QTextCursor cursor(&doc);
        cursor.setPosition(6);
        cursor.setPosition(12, QTextCursor::KeepAnchor); // "signet"
        cursor.removeSelectedText();
        QByteArray out = RtfWriter::write(doc);
        QVERIFY(!out.contains("bkmkstart"));
        QVERIFY(out.contains("{\\footnote \\pard note}"));
        // Typing after the kept place does not write the group twice.
        cursor.setPosition(12);
        cursor.insertText(QStringLiteral("ajout"));
        out = RtfWriter::write(doc);
        QCOMPARE(out.count("{\\footnote \\pard note}"), 1);
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        QVERIFY(!RtfWriter::write(doc).contains("footnote"));
    }

    // A document read again does not keep the parts of the one before.
    void readingAgainForgetsTheOldParts()
    {
        QTextDocument doc;
        QVERIFY(read(rtf(kLetterhead + "x"), doc));
        QVERIFY(read(rtf("y"), doc));
        QVERIFY(!RtfWriter::write(doc).contains("header"));
    }

    void keptText_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QStringList>("places");
        QTest::newRow("header") << kLetterhead << "[NOM_PATIENT]"
                                << QByteArray("{\\header \\pard\\plain {\\b\\f1\\cf2 Docteur MARTIN\\par}{\\f1 \\'abnom\\'bb\\par}}")
                                       .replace("\\'abnom\\'bb", "\\u171?nom\\u187?")
                                << QStringList{"en-tête"};
        QTest::newRow("any case, accents") << QByteArray("{\\footer Pr\\'e9nom et pr\\u233?nom}") << "PRÉNOM"
                                           << QByteArray("{\\footer \\u171?nom\\u187? et \\u171?nom\\u187?}")
                                           << QStringList{"pied de page", "pied de page"};
        QTest::newRow("not across formatting") << QByteArray("{\\footnote [NOM\\b _PATIENT]}") << "[NOM_PATIENT]"
                                               << QByteArray("{\\footnote [NOM\\b _PATIENT]}") << QStringList{};
        QTest::newRow("not in shape property names") << QByteArray("{\\shp{\\sp{\\sn NOM}{\\sv NOM}}}") << "NOM"
                                                     << QByteArray("{\\shp{\\sp{\\sn NOM}{\\sv \\u171?nom\\u187?}}}")
                                                     << QStringList{"zone de texte"};
        QTest::newRow("field instruction") << QByteArray("{\\*\\fldinst MERGEFIELD NOM}") << "NOM"
                                        << QByteArray("{\\*\\fldinst MERGEFIELD \\u171?nom\\u187?}")
                                        << QStringList{"champ"};
    }
    void keptText()
    {
        QFETCH(QByteArray, source);
        QFETCH(QString, code);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, places);
        polyx::RtfKeptText text(source, 1252);
        QList<qsizetype> at;
        for (qsizetype i = text.text().indexOf(code, 0, Qt::CaseInsensitive); i >= 0;
             i = text.text().indexOf(code, i + code.size(), Qt::CaseInsensitive))
            at << i;
        QCOMPARE(text.replace(at, code.size(), QStringLiteral("«nom»")), places);
        QCOMPARE(text.source(), after);
    }

    // The Word-style letter: what LibreOffice shows of it is what we show,
    // and every part it has comes back.
    void wordStyleLetter()
    {
        const QByteArray input = rtfprobe::fixture("word_letterhead.rtf");
        QTextDocument doc;
        RtfReader reader;
        QVERIFY(reader.read(input, &doc));
        QCOMPARE(paragraphs(doc),
                 QStringLiteral("Paris, le 3 mars 2025\nCher confrère,\nJe vous adresse «Civilite» [NOM_PATIENT], vu ce "
                                "jour pour un bilan1 et dont l’HbA1c reste élevée2. Je reste à votre disposition.\n"
                                "Dr Jean Martin"));
        QCOMPARE(RtfReader::hiddenPartsNotice(reader.hiddenParts()),
                 QStringLiteral("RTF : en-tête, pied de page, 2 notes et 1 commentaire conservés, non affichés"));
        const QByteArray out = RtfWriter::write(doc);
        const auto group = [&](const char* start) {
            const qsizetype from = input.indexOf(start);
            int depth = 0;
            for (qsizetype i = from; i < input.size(); ++i) {
                depth += input[i] == '{' ? 1 : input[i] == '}' ? -1 : 0;
                if (depth == 0)
                    return input.mid(from, i + 1 - from);
            }
            return QByteArray();
        };
        for (const char* start : {"{\\header", "{\\footer", "{\\footnote \\pard\\plain \\ql\\fs20 {\\cs16\\super \\chftn } Bilan",
                 "{\\footnote \\pard\\plain \\ql\\fs20 {\\cs16\\super \\chftn } Dosage", "{\\*\\annotation", "{\\shp",
                 "{\\info", "{\\*\\bkmkstart", "{\\*\\bkmkend", "{\\*\\fldinst { MERGEFIELD Civilite }}"})
            QVERIFY2(out.contains(group(start)), start);
        QVERIFY(out.contains("\\paperw11906\\paperh16838\\margl1417\\margr1417\\margt1417\\margb1417"));
        QCOMPARE(twiceWritten(input), out);
    }
};

QTEST_MAIN(RtfKeptTest)
#include "tst_rtf_kept.moc"
