#include "platform/ProgramPath.h"

#include "platform/FileNames.h"

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
    return BaseNameOf(programPath());
}

} // namespace platform
