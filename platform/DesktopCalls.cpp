#include "platform/DesktopCalls.h"

#include "platform/Error.h"

#include <QFileInfo>

namespace platform {
namespace {
const QString opener = QStringLiteral("xdg-open");

// Absolute paths start with '/', so a file named "-x" never reads as an option.
QString absolute(const QString& path) { return QFileInfo(path).absoluteFilePath(); }
} // namespace

QStringList textEditorCandidates()
{
    // Notepad's stand-ins must open any text file whatever its extension
    // (.DICO, .SKRIVO, .TXT), which xdg-open would hand to other programs.
    // Desktop editors of GNOME, KDE, Xfce, MATE, Cinnamon and LXQt first,
    // then small stand-alone ones. Terminal editors are left out: a desktop
    // without a terminal could not show them.
    return {QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"), QStringLiteral("kate"),
            QStringLiteral("kwrite"),            QStringLiteral("mousepad"), QStringLiteral("pluma"),
            QStringLiteral("xed"),               QStringLiteral("featherpad"), QStringLiteral("leafpad"),
            QStringLiteral("geany")};
}

ProgramCall openCall(const QString& path, const ProgramLookup& lookup)
{
    const QFileInfo info(path);
    if (info.suffix().compare(QStringLiteral("exe"), Qt::CaseInsensitive) == 0) {
        const QString wine = lookup(QStringLiteral("wine"));
        if (wine.isEmpty())
            throw polyx::Error(QStringLiteral("Wine n'est pas installé : impossible de lancer \"%1\".").arg(path));
        return {wine, {info.absoluteFilePath()}};
    }
    if (info.isFile() && info.isExecutable())
        return {info.absoluteFilePath(), {}};
    return {opener, {info.absoluteFilePath()}};
}

std::optional<ProgramCall> textEditorCall(const QString& path, const std::optional<DesktopEntry>& desktopDefault,
                                          const ProgramLookup& lookup)
{
    const QString file = absolute(path);
    if (desktopDefault) {
        const QStringList command = execArguments(*desktopDefault, file);
        // An entry naming a program that is gone (an old default) is passed over.
        if (!command.isEmpty() && !lookup(command.first()).isEmpty()) {
            if (!desktopDefault->terminal) {
                const QString gio = lookup(QStringLiteral("gio"));
                if (!gio.isEmpty())
                    return ProgramCall{gio, {QStringLiteral("launch"), desktopDefault->file, file}};
                return ProgramCall{command.first(), command.mid(1)};
            }
            const QString terminal = lookup(QStringLiteral("x-terminal-emulator"));
            if (!terminal.isEmpty())
                return ProgramCall{terminal, QStringList{QStringLiteral("-e")} + command};
        }
    }
    for (const QString& name : textEditorCandidates()) {
        const QString found = lookup(name);
        if (!found.isEmpty())
            return ProgramCall{found, {file}};
    }
    return std::nullopt;
}

ProgramCall folderCall(const QString& folder) { return {opener, {absolute(folder)}}; }

} // namespace platform
