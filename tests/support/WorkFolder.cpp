#include "WorkFolder.h"

#include "platform/ProgramPath.h"

#include <QDir>

WorkFolder::WorkFolder()
{
    platform::setProgramPath(m_dir.filePath("PolyxX"));
    // A work folder named for tools/run.sh would take the files elsewhere.
    qunsetenv("POLYXX_WORK_FOLDER");
}

QStringList WorkFolder::filesOnDisk() const
{
    QStringList names = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    names.sort();
    return names;
}
