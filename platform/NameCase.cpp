#include "platform/NameCase.h"

#include "platform/FileNames.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

// Accented letters keep their case: the original compared ASCII letters only.
bool sameIgnoringAsciiCase(const QString& a, const QString& b) { return AsciiLower(a) == AsciiLower(b); }

} // namespace

QString ResolveNameCase(const QString& path)
{
    const bool folderPath = path.endsWith(u'/') && path.size() > 1;
    const QString entry = folderPath ? path.chopped(1) : path;
    const qsizetype slash = entry.lastIndexOf(u'/');
    const QString name = entry.mid(slash + 1);
    if (name.isEmpty() || QFileInfo(entry).exists() || QFileInfo(entry).isSymLink())
        return path;

    const QDir folder(slash < 0 ? QStringLiteral(".") : entry.left(slash + 1));
    QString found;
    QDateTime newest;
    for (const QFileInfo& candidate :
         folder.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (!sameIgnoringAsciiCase(candidate.fileName(), name))
            continue;
        const QDateTime modified = candidate.lastModified();
        if (found.isEmpty() || modified > newest) {
            found = candidate.fileName();
            newest = modified;
        }
    }
    if (found.isEmpty())
        return path;
    return entry.left(slash + 1) + found + (folderPath ? QStringLiteral("/") : QString());
}

} // namespace platform
