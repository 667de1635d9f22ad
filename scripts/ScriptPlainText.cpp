#include "scripts/ScriptPlainText.h"

#include "dictionaries/TextLinesFile.h"
#include "dictionaries/Windows1252.h"
#include "scripts/ScriptText.h"

#include <QStringDecoder>

namespace polyx {

namespace {

struct Mark {
    QByteArrayView bytes;
    QStringConverter::Encoding encoding;
};

const Mark kMarks[] = {
    {"\xEF\xBB\xBF", QStringConverter::Utf8},
    {"\xFF\xFE", QStringConverter::Utf16LE},
    {"\xFE\xFF", QStringConverter::Utf16BE},
};

// A second mark stays text and a truncated sequence becomes U+FFFD, so
// nothing read is dropped silently.
constexpr auto kDecodeFlags = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

} // namespace

QString DecodePlainScript(const QByteArray& bytes)
{
    const QByteArrayView all(bytes);
    for (const Mark& mark : kMarks) {
        if (all.startsWith(mark.bytes)) {
            QStringDecoder decoder(mark.encoding, kDecodeFlags);
            return NormalizeLineEnds(QString(decoder(all.sliced(mark.bytes.size()))));
        }
    }
    return NormalizeLineEnds(DecodeWindows1252(all));
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

} // namespace polyx
