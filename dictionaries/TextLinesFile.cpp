#include "dictionaries/TextLinesFile.h"

#include "dictionaries/FileBytes.h"
#include "dictionaries/FileErrors.h"
#include "dictionaries/Windows1252.h"

#include <QDir>

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <optional>

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

// Where the first byte stands that does not begin a well-formed UTF-8
// sequence (overlong forms, surrogates and values beyond U+10FFFF are not
// well-formed), or -1.
qsizetype firstMalformedUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned char low = 0x80, high = 0xBF; // bounds of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0)
                low = 0xA0;
            else if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F;
        } else {
            return i;
        }
        if (size - i <= extra || p[i + 1] < low || p[i + 1] > high)
            return i;
        for (int k = 2; k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return i;
        }
        i += extra + 1;
    }
    return -1;
}

// The line, from 1, that holds the byte at `offset`.
int lineOfOffset(QByteArrayView bytes, qsizetype offset)
{
    int line = 1;
    for (qsizetype i = 0; i < offset; ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
            ++line;
    }
    return line;
}

// UTF-16 saved without its mark: a NUL in every other byte, always on the
// same side, over the first units. Anything less strict is left to the
// 8-bit reading, whose NUL then keeps the file from being replaced.
std::optional<TextEncoding> utf16WithoutMark(QByteArrayView bytes)
{
    constexpr qsizetype kUnitsLooked = 256;
    if (bytes.size() < 4 || bytes.size() % 2 != 0)
        return std::nullopt;
    const qsizetype units = std::min(bytes.size() / 2, kUnitsLooked);
    bool little = true, big = true;
    for (qsizetype i = 0; i < units && (little || big); ++i) {
        const char first = bytes[2 * i], second = bytes[2 * i + 1];
        little = little && first != 0 && second == 0;
        big = big && first == 0 && second != 0;
    }
    if (little)
        return TextEncoding::Utf16LENoMark;
    if (big)
        return TextEncoding::Utf16BENoMark;
    return std::nullopt;
}

// Control characters that no text file of lines holds, though a program
// or an image is full of them. Tab, line ends, form feeds, the old end of
// file mark (1A) and escape (1B) stay text.
bool holdsBinaryControls(QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x01 && u <= 0x08) || (u >= 0x0E && u <= 0x19) || (u >= 0x1C && u <= 0x1F))
            return true;
    }
    return false;
}

bool onlyNuls(QStringView text)
{
    for (const QChar c : text) {
        if (!c.isNull())
            return false;
    }
    return true;
}

} // namespace

bool IsUtf8BeyondAscii(QByteArrayView bytes)
{
    bool beyondAscii = false;
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            beyondAscii = true;
            break;
        }
    }
    return beyondAscii && firstMalformedUtf8(bytes) < 0;
}

TextLines Decode(const QByteArray& bytes)
{
    TextLines result;
    QString text;
    const QByteArrayView all(bytes);
    if (all.startsWith(kUtf8Mark)) {
        result.encoding = TextEncoding::Utf8;
        const QByteArrayView body = all.sliced(kUtf8Mark.size());
        const QByteArrayView read = body.first(body.indexOf('\0') < 0 ? body.size() : body.indexOf('\0'));
        if (const qsizetype bad = firstMalformedUtf8(read); bad >= 0)
            result.malformedLine = lineOfOffset(read, bad);
        text = decodeWith(QStringConverter::Utf8, body);
    } else if (all.startsWith(kUtf16LEMark)) {
        result.encoding = TextEncoding::Utf16LE;
        text = decodeWith(QStringConverter::Utf16LE, all.sliced(kUtf16LEMark.size()));
    } else if (all.startsWith(kUtf16BEMark)) {
        result.encoding = TextEncoding::Utf16BE;
        text = decodeWith(QStringConverter::Utf16BE, all.sliced(kUtf16BEMark.size()));
    } else if (const std::optional<TextEncoding> utf16 = utf16WithoutMark(all)) {
        result.encoding = *utf16;
        text = decodeWith(*utf16 == TextEncoding::Utf16LENoMark ? QStringConverter::Utf16LE : QStringConverter::Utf16BE, all);
    } else {
        const qsizetype nul = all.indexOf('\0');
        if (IsUtf8BeyondAscii(nul < 0 ? all : all.first(nul))) {
            result.encoding = TextEncoding::Utf8NoMark;
            text = decodeWith(QStringConverter::Utf8, all);
        } else {
            text = DecodeWindows1252(all);
        }
    }
    const qsizetype nul = text.indexOf(QChar(0));
    const QStringView read = nul < 0 ? QStringView(text) : QStringView(text).first(nul);
    result.lines = splitLines(read);
    if (holdsBinaryControls(text))
        result.stop = ReadStop::NotText;
    // NULs that only pad the end hide nothing.
    else if (nul >= 0 && !onlyNuls(QStringView(text).sliced(nul)))
        result.stop = ReadStop::Nul;
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
    case TextEncoding::Utf16LENoMark:
        return {encodeWith(QStringConverter::Utf16LE, text), encoding};
    case TextEncoding::Utf16BENoMark:
        return {encodeWith(QStringConverter::Utf16BE, text), encoding};
    case TextEncoding::Utf8NoMark:
        return {encodeWith(QStringConverter::Utf8, text), encoding};
    default:
        return {kUtf8Mark + encodeWith(QStringConverter::Utf8, text), TextEncoding::Utf8};
    }
}

TextLines Read(const QString& path)
{
    TextLines read = Decode(ReadFileBytes(path, kMaxFileBytes));
    if (read.malformedLine > 0)
        throw OpenFileError(path, QStringLiteral("Le fichier porte la marque UTF-8, mais sa ligne %1 n'est pas de l'UTF-8 valide")
                                      .arg(read.malformedLine));
    return read;
}

QString PartialReadWarning(const QString& path, const TextLines& read)
{
    const QString file = QDir::toNativeSeparators(path);
    const qsizetype lines = read.lines.size();
    switch (read.stop) {
    case ReadStop::Nul:
        return QStringLiteral("Le fichier \"%1\" contient des octets nuls : seules les %2 premières lignes ont été lues. "
                              "Il ne sera pas remplacé sans votre accord.")
            .arg(file)
            .arg(lines);
    case ReadStop::NotText:
        return QStringLiteral("Le fichier \"%1\" n'est pas un fichier texte : seules les %2 premières lignes ont été lues. "
                              "Il ne sera pas remplacé sans votre accord.")
            .arg(file)
            .arg(lines);
    case ReadStop::None:
        break;
    }
    return {};
}

TextEncoding Write(const QString& path, const QStringList& lines, TextEncoding encoding)
{
    const EncodedText encoded = Encode(lines, encoding);
    WriteFileBytes(path, encoded.bytes);
    return encoded.encoding;
}

} // namespace polyx::TextLinesFile
