#include "platform/NativeNames.h"

#include <QFile>
#include <QStringDecoder>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QByteArray entryPath(const QString& folder, const QByteArray& name) { return QFile::encodeName(folder) + '/' + name; }

// The length of the valid UTF-8 character at `at`, 0 when there is none.
qsizetype utf8Length(const QByteArray& bytes, qsizetype at)
{
    const uchar lead = uchar(bytes[at]);
    const qsizetype length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length <= 1 || at + length > bytes.size())
        return length == 1 ? 1 : 0;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(QByteArrayView(bytes).sliced(at, length));
    return decoder.hasError() ? 0 : length;
}

} // namespace

QList<NativeEntry> ListNativeEntries(const QString& folder)
{
    QList<NativeEntry> entries;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return entries;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        struct stat info {};
        const bool known = ::stat(entryPath(folder, name).constData(), &info) == 0;
        entries.append({name, known && S_ISDIR(info.st_mode), known && S_ISREG(info.st_mode)});
    }
    ::closedir(dir);
    return entries;
}

bool IsQtName(const QByteArray& name) { return QFile::encodeName(QFile::decodeName(name)) == name; }

QString ShownName(const QByteArray& name)
{
    QString shown;
    for (qsizetype at = 0; at < name.size();) {
        if (const qsizetype length = utf8Length(name, at)) {
            shown += QString::fromUtf8(name.constData() + at, length);
            at += length;
        } else {
            const uchar byte = uchar(name[at++]);
            shown += byte >= 0xA0 ? QChar(byte) : QChar(QChar::ReplacementCharacter);
        }
    }
    return shown;
}

int OpenNative(const QString& folder, const QByteArray& name)
{
    return ::open(entryPath(folder, name).constData(), O_RDONLY | O_CLOEXEC);
}

bool RenameNative(const QString& folder, const QByteArray& from, const QByteArray& to)
{
    return ::rename(entryPath(folder, from).constData(), entryPath(folder, to).constData()) == 0;
}

} // namespace platform
