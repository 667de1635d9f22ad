#include "files/ExampleFolder.h"

#include "files/FileCopy.h"
#include "platform/Error.h"
#include "platform/NameCase.h"

#include <QDir>
#include <QFileInfo>

// Outside any namespace, as Qt's resource initialiser must be.
static void loadExampleResources() { Q_INIT_RESOURCE(exemple); }

namespace polyx {

ExampleFiles MakeExampleFolder(const QString& workDir)
{
    loadExampleResources();
    // An "exemple" folder the user made by hand is the same folder.
    const QString folder = platform::ResolveNameCase(workDir + QStringLiteral("Exemple")) + u'/';
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("Impossible de créer le dossier \"%1\".").arg(folder));
    const QDir shipped(QStringLiteral(":/exemple"));
    for (const QString& name : shipped.entryList(QDir::Files)) {
        const QString target = platform::ResolveNameCase(folder + name);
        if (!QFileInfo::exists(target))
            CopyFileReplacing(shipped.filePath(name), target);
    }
    const auto inFolder = [&](const char* name) { return platform::ResolveNameCase(folder + QLatin1String(name)); };
    return {folder, inFolder("DR_MARTIN.DICO"), inFolder("MES_CODES.DICO"), inFolder("LETTRE_MARTIN.TXT")};
}

} // namespace polyx
