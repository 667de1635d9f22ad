#include "scripts/ScriptFile.h"

#include "dictionaries/FileErrors.h"
#include "scripts/ScriptFormat.h"
#include "scripts/ScriptPlainText.h"
#include "scripts/ScriptText.h"
#include "scripts/rtf/RtfReader.h"
#include "scripts/rtf/RtfWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextDocument>

#include <cerrno>

namespace polyx::ScriptFile {

namespace {

// Far beyond any letter template: reading more would exhaust memory rather
// than fail cleanly.
constexpr qint64 kMaxFileBytes = qint64(256) * 1024 * 1024;

QByteArray readBytes(const QString& path)
{
    // A folder, a pipe or a device is refused before it is opened: reading
    // one would fail oddly, block or never end.
    if (!QFileInfo(path).isFile())
        throw OpenFileError(path, QString());
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw OpenFileError(path, file.errorString(), errno);
    if (file.size() > kMaxFileBytes)
        throw OpenFileError(path, QStringLiteral("Le fichier est trop volumineux"));
    errno = 0;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw OpenFileError(path, file.errorString(), errno);
    return bytes;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throw CreateFileError(path, file.errorString(), errno);
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw CreateFileError(path, file.errorString(), errno);
}

} // namespace

void Load(QTextDocument& document, const QString& path, bool plainTextMode)
{
    const QByteArray bytes = readBytes(path);
    if (ReadingFormat(plainTextMode, path, bytes) == ScriptFormat::PlainText) {
        SetDocumentText(document, DecodePlainScript(bytes));
        return;
    }
    RtfReader reader;
    if (!reader.read(bytes, &document))
        throw Error(reader.errorString());
}

void Save(const QTextDocument& document, const QString& path, bool plainTextMode)
{
    if (WritingFormat(plainTextMode, path) == ScriptFormat::PlainText)
        writeBytes(path, EncodePlainScript(DocumentText(document)));
    else
        writeBytes(path, RtfWriter::write(document));
}

} // namespace polyx::ScriptFile
