#include "scripts/ScriptFile.h"

#include "dictionaries/FileBytes.h"
#include "platform/Error.h"
#include "scripts/ScriptFormat.h"
#include "scripts/ScriptPlainText.h"
#include "scripts/ScriptText.h"
#include "scripts/rtf/RtfReader.h"
#include "scripts/rtf/RtfWriter.h"

#include <QTextDocument>

namespace polyx::ScriptFile {

// Far beyond any letter template: reading more would exhaust memory rather
// than fail cleanly.
constexpr qint64 kMaxFileBytes = qint64(256) * 1024 * 1024;

QString Load(QTextDocument& document, const QString& path, bool plainTextMode)
{
    const QByteArray bytes = ReadFileBytes(path, kMaxFileBytes);
    if (ReadingFormat(plainTextMode, path, bytes) == ScriptFormat::PlainText) {
        SetDocumentText(document, DecodePlainScript(bytes));
        return {};
    }
    RtfReader reader;
    if (!reader.read(bytes, &document))
        throw Error(reader.errorString());
    return RtfReader::leftOutNotice(reader.leftOut());
}

void Save(const QTextDocument& document, const QString& path, bool plainTextMode)
{
    if (WritingFormat(plainTextMode, path) == ScriptFormat::PlainText)
        WriteFileBytes(path, EncodePlainScript(DocumentText(document)));
    else
        WriteFileBytes(path, RtfWriter::write(document));
}

} // namespace polyx::ScriptFile
