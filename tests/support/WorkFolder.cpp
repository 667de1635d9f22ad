#include "WorkFolder.h"

#include "platform/ProgramPath.h"

#include <QDir>

WorkFolder::WorkFolder()
{
    platform::setProgramPath(m_dir.filePath("PolyxX"));
}

QStringList WorkFolder::filesOnDisk() const
{
    QStringList names = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    names.sort();
    return names;
}
