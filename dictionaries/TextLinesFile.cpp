#include "dictionaries/TextLinesFile.h"

#include "dictionaries/FileBytes.h"
#include "dictionaries/Windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace polyx::TextLinesFile {

namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF");
const QByteArray kUtf16LEMark("\xFF\xFE");
const QByteArray kUtf16BEMark("\xFE\xFF");

// Beyond this a file cannot be a dictionary or a list, and decoding it
// would exhaust memory instead of failing cleanly.
constexpr qint64 kMaxFileBytes = qint64(512) * 1024 * 1024;

// Keeps a second mark as text and turns a truncated sequence into U+FFFD,
// so nothing read is silently dropped.
constexpr auto kDecodeFlags =
    QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

QString decodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, kDecodeFlags);
    return decoder(bytes);
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.sliced(start).toString());
    return lines;
}

QByteArray encodeWith(QStringConverter::Encoding encoding, const QString& text)
{
    QStringEncoder encoder(encoding);
    return encoder(text);
}

} // namespace

TextLines Decode(const QByteArray& bytes)
{
    TextLines result;
    QString text;
    if (bytes.startsWith(kUtf8Mark)) {
        result.encoding = TextEncoding::Utf8;
        text = decodeWith(QStringConverter::Utf8, QByteArrayView(bytes).sliced(kUtf8Mark.size()));
    } else if (bytes.startsWith(kUtf16LEMark)) {
        result.encoding = TextEncoding::Utf16LE;
        text = decodeWith(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(kUtf16LEMark.size()));
    } else if (bytes.startsWith(kUtf16BEMark)) {
        result.encoding = TextEncoding::Utf16BE;
        text = decodeWith(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(kUtf16BEMark.size()));
    } else {
        text = DecodeWindows1252(bytes);
    }
    const qsizetype nul = text.indexOf(QChar(0));
    result.lines = splitLines(nul < 0 ? QStringView(text) : QStringView(text).first(nul));
    return result;
}

EncodedText Encode(const QStringList& lines, TextEncoding encoding)
{
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += u"\r\n";
    }

    if (encoding == TextEncoding::Ansi) {
        if (std::optional<QByteArray> bytes = EncodeWindows1252(text))
            return {std::move(*bytes), TextEncoding::Ansi};
        encoding = TextEncoding::Utf8;
    }
    switch (encoding) {
    case TextEncoding::Utf16LE:
        return {kUtf16LEMark + encodeWith(QStringConverter::Utf16LE, text), encoding};
    case TextEncoding::Utf16BE:
        return {kUtf16BEMark + encodeWith(QStringConverter::Utf16BE, text), encoding};
    default:
        return {kUtf8Mark + encodeWith(QStringConverter::Utf8, text), TextEncoding::Utf8};
    }
}

TextLines Read(const QString& path) { return Decode(ReadFileBytes(path, kMaxFileBytes)); }

TextEncoding Write(const QString& path, const QStringList& lines, TextEncoding encoding)
{
    const EncodedText encoded = Encode(lines, encoding);
    WriteFileBytes(path, encoded.bytes);
    return encoded.encoding;
}

} // namespace polyx::TextLinesFile
