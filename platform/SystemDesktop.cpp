#include "platform/SystemDesktop.h"

#include "platform/DesktopCalls.h"
#include "platform/Error.h"
#include "platform/Trash.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace platform {
namespace {
void start(const ProgramCall& call) { QProcess::startDetached(call.program, call.arguments); }

QString onPath(const QString& name) { return QStandardPaths::findExecutable(name); }

// The desktop entry the user's desktop gives for text/plain, as xdg-mime
// reports it; nothing when xdg-mime is missing or names no readable entry.
std::optional<DesktopEntry> defaultTextEditor()
{
    const QString xdgMime = onPath(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return std::nullopt;
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished();
        return std::nullopt;
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return std::nullopt;
    const QString id = QString::fromUtf8(query.readAllStandardOutput()).section(u'\n', 0, 0).trimmed();
    if (id.isEmpty())
        return std::nullopt;
    const QString file = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
    QFile entry(file);
    if (file.isEmpty() || !entry.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parseDesktopEntry(entry.readAll(), file);
}
} // namespace

void SystemDesktop::startProgram(const QString& program, const QStringList& arguments)
{
    start({program, arguments});
}

void SystemDesktop::open(const QString& path) { start(openCall(path, onPath)); }

void SystemDesktop::openInTextEditor(const QString& path)
{
    const auto call = textEditorCall(path, defaultTextEditor(), onPath);
    if (!call)
        throw polyx::Error(QStringLiteral("Aucun éditeur de texte n'a été trouvé."));
    start(*call);
}

void SystemDesktop::openFolder(const QString& folder) { start(folderCall(folder)); }

void SystemDesktop::moveToTrash(const QString& path) { MoveToTrash(path); }

} // namespace platform
