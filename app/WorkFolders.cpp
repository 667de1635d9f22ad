#include "app/WorkFolders.h"

#include "platform/FileLocations.h"

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
    return platform::workFolder();
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
