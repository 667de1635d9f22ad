// The backup of the work folder.
#include "app/Unit1.h"

#include "app/WorkFolders.h"
#include "files/FileCopy.h"
#include "platform/Error.h"
#include "platform/NameCase.h"
#include "platform/Services.h"

#include <QDir>

void TForm1::BACKUP()
{
    if (!platform::dialogs().confirm("Sauvegarder l'ensemble des Fichiers de Travail dans un dossier de Sauvegarde ?"))
        return;
    polyx::FolderCopy copy;
    // A "sauve" folder the user made is the backup folder, not a twin.
    const QString sauve = platform::ResolveNameCase(DIR.sauve);
    {
        platform::BusyCursor busy;
        if (!QDir().mkpath(sauve))
            throw polyx::Error(QStringLiteral("Impossible de créer le dossier \"%1\"").arg(sauve));
        copy = polyx::CopyFolderFiles(DIR.root, sauve);
    }
    platform::dialogs().message(platform::BoxKind::Plain, polyx::BackupMessage(copy, sauve));
}
