#include "platform/SystemDesktop.h"

#include "platform/DesktopCalls.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace platform {
namespace {
void start(const ProgramCall& call) { QProcess::startDetached(call.program, call.arguments); }
} // namespace

void SystemDesktop::startProgram(const QString& program, const QStringList& arguments)
{
    start({program, arguments});
}

void SystemDesktop::open(const QString& path) { start(openCall(path)); }

void SystemDesktop::openInTextEditor(const QString& path)
{
    start(textEditorCall(path, [](const QString& name) { return QStandardPaths::findExecutable(name); }));
}

void SystemDesktop::openFolder(const QString& folder) { start(folderCall(folder)); }

bool SystemDesktop::moveToTrash(const QString& path) { return QFile::moveToTrash(path); }

} // namespace platform
