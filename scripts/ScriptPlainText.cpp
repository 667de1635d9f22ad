#include "scripts/ScriptPlainText.h"

#include "dictionaries/TextLinesFile.h"
#include "dictionaries/Windows1252.h"
#include "scripts/ScriptText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace polyx {

namespace {

struct Mark {
    QByteArrayView bytes;
    QStringConverter::Encoding encoding;
    PlainScriptLayout::Mark kind;
};

const Mark kMarks[] = {
    {"\xEF\xBB\xBF", QStringConverter::Utf8, PlainScriptLayout::Mark::Utf8},
    {"\xFF\xFE", QStringConverter::Utf16LE, PlainScriptLayout::Mark::Utf16LE},
    {"\xFE\xFF", QStringConverter::Utf16BE, PlainScriptLayout::Mark::Utf16BE},
};

// The line end all of the text's line ends share (paired as
// NormalizeLineEnds pairs them), else CR LF.
QString CommonLineEnd(QStringView text)
{
    QString common;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        QString end(c);
        if (i + 1 < text.size() && (text[i + 1] == u'\r' || text[i + 1] == u'\n') && text[i + 1] != c)
            end += text[++i];
        if (common.isEmpty())
            common = end;
        else if (common != end)
            return QStringLiteral("\r\n");
    }
    return common.isEmpty() ? QStringLiteral("\r\n") : common;
}

// A second mark stays text and a truncated sequence becomes U+FFFD, so
// nothing read is dropped silently.
constexpr auto kDecodeFlags = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

} // namespace

QString DecodePlainScript(const QByteArray& bytes, PlainScriptLayout* layout)
{
    const QByteArrayView all(bytes);
    QString text;
    PlainScriptLayout::Mark kind = PlainScriptLayout::Mark::None;
    for (const Mark& mark : kMarks) {
        if (all.startsWith(mark.bytes)) {
            QStringDecoder decoder(mark.encoding, kDecodeFlags);
            text = decoder(all.sliced(mark.bytes.size()));
            kind = mark.kind;
            break;
        }
    }
    if (kind == PlainScriptLayout::Mark::None && TextLinesFile::IsUtf8BeyondAscii(all)) {
        text = QStringDecoder(QStringConverter::Utf8, kDecodeFlags)(all);
        kind = PlainScriptLayout::Mark::Utf8WithoutMark;
    } else if (kind == PlainScriptLayout::Mark::None) {
        text = DecodeWindows1252(all);
    }
    if (layout)
        *layout = {kind, CommonLineEnd(text)};
    return NormalizeLineEnds(text);
}

QByteArray EncodePlainScript(const QString& text)
{
    if (text.isEmpty())
        return {};
    // The shared encoder ends each line with CR LF; a script has CR LF only
    // between lines. Its result is Windows-1252 or UTF-8, where CR LF is two bytes.
    QByteArray bytes = TextLinesFile::Encode({WithCrLf(text)}, TextEncoding::Ansi).bytes;
    bytes.chop(2);
    return bytes;
}

QByteArray EncodePlainScriptAs(const QString& text, const PlainScriptLayout& layout)
{
    QString stored = text;
    stored.replace(u'\n', layout.lineEnd);
    QStringConverter::Encoding encoding = QStringConverter::Utf8;
    switch (layout.mark) {
    case PlainScriptLayout::Mark::None:
        if (const std::optional<QByteArray> ansi = EncodeWindows1252(stored))
            return *ansi;
        break;
    case PlainScriptLayout::Mark::Utf8:
        break;
    case PlainScriptLayout::Mark::Utf8WithoutMark:
        return QStringEncoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless)(stored);
    case PlainScriptLayout::Mark::Utf16LE:
        encoding = QStringConverter::Utf16LE;
        break;
    case PlainScriptLayout::Mark::Utf16BE:
        encoding = QStringConverter::Utf16BE;
        break;
    }
    for (const Mark& mark : kMarks) {
        if (mark.encoding == encoding) {
            QStringEncoder encoder(encoding, QStringConverter::Flag::Stateless);
            return mark.bytes.toByteArray() + QByteArray(encoder(stored));
        }
    }
    return {};
}

} // namespace polyx
