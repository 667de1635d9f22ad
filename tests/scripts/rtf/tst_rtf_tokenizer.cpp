#include "scripts/rtf/RtfTokenizer.h"

#include <QStringList>
#include <QTest>

using polyx::RtfToken;
using polyx::RtfTokenizer;

namespace {

// The tokens of input, one word each: { } \word \word-12 sym:~ text:abc byte:e9 bin:<data>
QString tokens(const QByteArray& input)
{
    QStringList out;
    RtfTokenizer tokenizer(input);
    for (RtfToken t = tokenizer.next(); t.kind != RtfToken::End; t = tokenizer.next()) {
        switch (t.kind) {
        case RtfToken::GroupStart: out << QStringLiteral("{"); break;
        case RtfToken::GroupEnd: out << QStringLiteral("}"); break;
        case RtfToken::ControlWord:
            out << u'\\' + QString::fromLatin1(t.data) + (t.hasParam ? QString::number(t.param) : QString());
            break;
        case RtfToken::ControlSymbol: out << QStringLiteral("sym:") + QLatin1Char(t.symbol); break;
        case RtfToken::Text: out << QStringLiteral("text:") + QString::fromLatin1(t.data); break;
        case RtfToken::Byte: out << QStringLiteral("byte:%1").arg(t.byte, 2, 16, QLatin1Char('0')); break;
        case RtfToken::Binary: out << QStringLiteral("bin:") + QString::fromLatin1(t.data); break;
        case RtfToken::End: break;
        }
    }
    return out.join(u' ');
}

} // namespace

class RtfTokenizerTest : public QObject {
    Q_OBJECT

private slots:
    void tokens_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("expected");

        QTest::newRow("groups and text") << QByteArray("{a{b}c}") << "{ text:a { text:b } text:c }";
        QTest::newRow("word eats one space") << QByteArray("\\b  x") << "\\b text: x";
        QTest::newRow("word with number") << QByteArray("\\fs24 x") << "\\fs24 text:x";
        QTest::newRow("negative number") << QByteArray("\\u-10179?") << "\\u-10179 text:?";
        QTest::newRow("minus without digit is text") << QByteArray("\\li-x") << "\\li text:-x";
        QTest::newRow("word ended by a symbol") << QByteArray("\\par\\b0") << "\\par \\b0";
        QTest::newRow("huge number saturates") << QByteArray("\\fs99999999999999999999 ")
                                               << "\\fs2147483647";
        QTest::newRow("huge negative saturates") << QByteArray("\\u-99999999999 ")
                                                 << "\\u-2147483648";
        QTest::newRow("line breaks dropped") << QByteArray("a\r\nb\nc\rd") << "text:a text:b text:c text:d";
        QTest::newRow("line break ends a word") << QByteArray("\\par\r\nx") << "\\par text:x";
        QTest::newRow("escaped braces and backslash") << QByteArray("\\{\\}\\\\")
                                                      << "sym:{ sym:} sym:\\";
        QTest::newRow("other symbols") << QByteArray("\\~\\-\\_\\*") << "sym:~ sym:- sym:_ sym:*";
        QTest::newRow("backslash newline") << QByteArray("\\\nx") << "sym:\n text:x";
        QTest::newRow("hex byte") << QByteArray("\\'e9\\'C0") << "byte:e9 byte:c0";
        QTest::newRow("hex byte then text") << QByteArray("\\'e9t") << "byte:e9 text:t";
        QTest::newRow("broken hex") << QByteArray("\\'4x") << "sym:' text:x";
        QTest::newRow("truncated hex") << QByteArray("a\\'4") << "text:a sym:'";
        QTest::newRow("truncated after quote") << QByteArray("a\\'") << "text:a sym:'";
        QTest::newRow("truncated after backslash") << QByteArray("a\\") << "text:a";
        QTest::newRow("bin data skipped whole") << QByteArray("\\bin5 {}\\x}z") << "bin:{}\\x} text:z";
        QTest::newRow("bin longer than input") << QByteArray("\\bin999999999 abc") << "bin:abc";
        QTest::newRow("bin without count") << QByteArray("\\bin x") << "bin: text:x";
        QTest::newRow("negative bin") << QByteArray("\\bin-5 x") << "bin: text:x";
        QTest::newRow("8-bit text") << QByteArray("\xe9\xff") << QString::fromLatin1("text:\xe9\xff");
        QTest::newRow("empty") << QByteArray() << "";
    }
    void tokens()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, expected);
        QCOMPARE(::tokens(input), expected);
    }

    // Every byte is consumed: the stream always ends, whatever the input.
    void garbageEnds()
    {
        QByteArray input;
        for (int i = 0; i < 100000; ++i)
            input += char(i * 7919 % 256);
        RtfTokenizer tokenizer(input);
        qsizetype count = 0;
        while (tokenizer.next().kind != RtfToken::End)
            QVERIFY(++count <= input.size());
    }
};

QTEST_APPLESS_MAIN(RtfTokenizerTest)
#include "tst_rtf_tokenizer.moc"
