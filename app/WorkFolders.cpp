#include "app/WorkFolders.h"

#include "platform/ProgramPath.h"

#include <QDir>

TDIR DIR;
QString ListExt;

namespace {

QString asciiCased(QString text, char from, char to)
{
    for (QChar& c : text) {
        if (c >= QLatin1Char(from) && c <= QLatin1Char(char(from + 25)))
            c = QChar(c.unicode() - from + to);
    }
    return text;
}

} // namespace

QString WorkDir()
{
    const QString path = platform::programPath();
    QString folder = path.left(path.lastIndexOf(u'/') + 1);
    const QString lower = asciiCased(folder, 'A', 'a');
    if (lower != folder && QDir(lower).exists())
        folder = lower;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QString BackupDir()
{
    return WorkDir() + QStringLiteral("SAUVE/");
}

QString FileLabel(const QString& path)
{
    QString name = path.mid(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return asciiCased(name, 'a', 'A');
}
