#include "platform/FileLocations.h"

#include "platform/Error.h"
#include "platform/ProgramPath.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {
namespace {

// The package's data folder below the installation prefix; CMake installs
// there under the same name.
const QString kDataFolder = QStringLiteral(POLYX_DATA_FOLDER);
// The user's folders are named after the program, whatever the executable is called.
const QString kUserFolder = QStringLiteral("PolyxX/");

QString programFolder()
{
    const QString path = programPath();
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString withSlash(QString folder)
{
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

// Not installed, the program works in the folder this names, when it is
// set, instead of its own: tools/run.sh keeps the build's files out of the
// work folder so.
QString ownFolder()
{
    const QString given = qEnvironmentVariable("POLYXX_WORK_FOLDER");
    return given.isEmpty() ? programFolder() : withSlash(QDir(given).absolutePath());
}

QString prefixDataFolder() { return programFolder() + QStringLiteral("../") + kDataFolder + u'/'; }

} // namespace

bool runsInstalled()
{
    return programFolder().endsWith(QStringLiteral("/bin/")) && QFileInfo(prefixDataFolder()).isDir();
}

QString workFolder()
{
    if (!runsInstalled())
        return ownFolder();
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)) + kUserFolder;
}

QString configFile()
{
    const QString name = programName() + QStringLiteral(".INI");
    if (!runsInstalled())
        return ownFolder() + name;
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) + kUserFolder
           + name;
}

QString dataFolder()
{
    if (!runsInstalled())
        return withSlash(programFolder());
    return QDir::cleanPath(prefixDataFolder()) + u'/';
}

QString recoveryFolder()
{
    if (!runsInstalled())
        return workFolder() + QStringLiteral("~RECUPERATION/");
    // XDG base directories ignore a relative value.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = withSlash(QDir::homePath()) + QStringLiteral(".local/state");
    return withSlash(state) + kUserFolder + QStringLiteral("RECUPERATION/");
}

QString guideFolder()
{
    return dataFolder() + QStringLiteral("aide/");
}

void createUserFolders()
{
    const QString configFolder = QFileInfo(configFile()).absolutePath();
    for (const QString& folder : {workFolder(), configFolder}) {
        if (!QDir().mkpath(folder))
            throw polyx::Error(QStringLiteral("Impossible de créer le dossier \"%1\".").arg(folder));
    }
}

QString windowsProgramsFolder()
{
    const QString drive = withSlash(QDir::homePath()) + QStringLiteral(".wine/drive_c/");
    const QString native = drive + QStringLiteral("Program Files/");
    const QString x86 = drive + QStringLiteral("Program Files (x86)/");
    if (!QFileInfo(native).isDir() && QFileInfo(x86).isDir())
        return x86;
    return native;
}

} // namespace platform
