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

QString Load(QTextDocument& document, const QString& path, bool plainTextMode)
{
    const QByteArray bytes = ReadBytes(path);
    if (ReadingFormat(plainTextMode, path, bytes) == ScriptFormat::PlainText) {
        SetDocumentText(document, DecodePlainScript(bytes));
        return {};
    }
    RtfReader reader;
    if (!reader.read(bytes, &document))
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

void Save(const QTextDocument& document, const QString& path, bool plainTextMode)
{
    if (WritingFormat(plainTextMode, path) == ScriptFormat::PlainText)
        WriteFileBytes(path, EncodePlainScript(VisibleText(document)));
    else
        WriteFileBytes(path, RtfWriter::write(document));
}

} // namespace polyx::ScriptFile
