#include "platform/DesktopCalls.h"

#include <QFileInfo>

namespace platform {
namespace {
const QString opener = QStringLiteral("xdg-open");

// Absolute paths start with '/', so a file named "-x" never reads as an option.
QString absolute(const QString& path) { return QFileInfo(path).absoluteFilePath(); }
} // namespace

QStringList textEditorCandidates()
{
    // Notepad's stand-in must open any text file whatever its extension
    // (.DICO, .SKRIVO, .TXT), so real editors come before the MIME-based
    // opener. Desktop editors of GNOME, KDE, Xfce, MATE, Cinnamon and LXQt
    // first, then small stand-alone ones. Terminal editors are left out:
    // they would need a terminal started through a command line.
    return {QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"), QStringLiteral("kate"),
            QStringLiteral("kwrite"),            QStringLiteral("mousepad"), QStringLiteral("pluma"),
            QStringLiteral("xed"),               QStringLiteral("featherpad"), QStringLiteral("leafpad"),
            QStringLiteral("geany")};
}

ProgramCall openCall(const QString& path)
{
    const QFileInfo info(path);
    if (info.isFile() && info.isExecutable())
        return {info.absoluteFilePath(), {}};
    return {opener, {info.absoluteFilePath()}};
}

ProgramCall textEditorCall(const QString& path, const ProgramLookup& lookup)
{
    for (const QString& name : textEditorCandidates()) {
        const QString found = lookup(name);
        if (!found.isEmpty())
            return {found, {absolute(path)}};
    }
    return {opener, {absolute(path)}};
}

ProgramCall folderCall(const QString& folder) { return {opener, {absolute(folder)}}; }

} // namespace platform
