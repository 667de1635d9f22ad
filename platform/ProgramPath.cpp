#include "platform/ProgramPath.h"

#include <QCoreApplication>

namespace platform {
namespace {
QString& overridden()
{
    static QString path;
    return path;
}
} // namespace

QString programPath()
{
    if (!overridden().isEmpty())
        return overridden();
    return QCoreApplication::applicationFilePath();
}

void setProgramPath(const QString& path) { overridden() = path; }

QString programName()
{
    const QString path = programPath();
    QString name = path.mid(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return name;
}

} // namespace platform
