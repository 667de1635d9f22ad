#include "app/WorkFolders.h"

#include "platform/FileLocations.h"
#include "platform/FileNames.h"

TDIR DIR;
QString ListExt;

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
    return platform::AsciiUpper(platform::BaseNameOf(path));
}
