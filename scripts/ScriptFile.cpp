#include "scripts/ScriptFile.h"

#include "dictionaries/FileBytes.h"
#include "platform/Error.h"
#include "scripts/ScriptFormat.h"
#include "scripts/ScriptPlainText.h"
#include "scripts/ScriptText.h"
#include "scripts/VisibleText.h"
#include "scripts/rtf/RtfReader.h"
#include "scripts/rtf/RtfWriter.h"

#include <QFile>
#include <QTextDocument>

namespace polyx::ScriptFile {

// Far beyond any letter template: reading more would exhaust memory rather
// than fail cleanly.
constexpr qint64 kMaxFileBytes = qint64(256) * 1024 * 1024;

QByteArray ReadBytes(const QString& path) { return ReadFileBytes(path, kMaxFileBytes); }

Content Read(const QString& path, bool plainTextMode)
{
    QByteArray bytes = ReadBytes(path);
    if (ReadingFormat(plainTextMode, path, bytes) == ScriptFormat::PlainText) {
        PlainScriptLayout layout;
        QString text = DecodePlainScript(bytes, &layout);
        return {ScriptFormat::PlainText, std::move(text), {}, layout.mark};
    }
    return {ScriptFormat::Rtf, {}, std::move(bytes), PlainScriptLayout::Mark::None};
}

QString Load(QTextDocument& document, const QString& path, bool plainTextMode, PlainScriptLayout::Mark* plainMark)
{
    const Content content = Read(path, plainTextMode);
    if (plainMark)
        *plainMark = content.plainMark;
    if (content.format == ScriptFormat::PlainText) {
        SetDocumentText(document, content.text);
        return {};
    }
    RtfReader reader;
    if (!reader.read(content.rtf, &document))
        throw Error(reader.errorString());
    return RtfReader::hiddenPartsNotice(reader.hiddenParts());
}

bool IsRichFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return ReadingFormat(false, path, file.read(5)) == ScriptFormat::Rtf;
}

QByteArray Bytes(const QTextDocument& document, const QString& path, bool plainTextMode, PlainScriptLayout::Mark plainMark)
{
    if (WritingFormat(plainTextMode, path) != ScriptFormat::PlainText)
        return RtfWriter::write(document);
    if (plainMark == PlainScriptLayout::Mark::Utf8WithoutMark)
        return EncodePlainScriptAs(VisibleText(document), {plainMark, QStringLiteral("\r\n")});
    return EncodePlainScript(VisibleText(document));
}

void Save(const QTextDocument& document, const QString& path, bool plainTextMode, PlainScriptLayout::Mark plainMark)
{
    WriteFileBytes(path, Bytes(document, path, plainTextMode, plainMark));
}

} // namespace polyx::ScriptFile
