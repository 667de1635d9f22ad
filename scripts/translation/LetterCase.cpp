#include "scripts/translation/LetterCase.h"

#include "files/FileKind.h"

#include <QDir>
#include <QFileInfo>

namespace polyx {

QString ResolveLetterCase(const QString& builtPath)
{
    QString path = builtPath;
    const bool folderForm = path.endsWith(u'/');
    if (folderForm)
        path.chop(1);
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QStringLiteral(".") : path.left(slash);
    const QString name = path.mid(slash + 1);
    if (name.isEmpty() || QFileInfo::exists(path))
        return builtPath;
    QFileInfo chosen;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (AsciiUpper(entry.fileName()) != AsciiUpper(name))
            continue;
        if (!chosen.exists() || entry.lastModified() > chosen.lastModified())
            chosen = entry;
    }
    if (!chosen.exists())
        return builtPath;
    const QString resolved = path.left(slash + 1) + chosen.fileName();
    return folderForm ? resolved + u'/' : resolved;
}

} // namespace polyx
