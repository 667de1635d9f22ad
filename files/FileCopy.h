#pragma once
#include <QString>
#include <QStringList>

namespace polyx {

// Copies a file over any file of the target's name. The target is replaced
// atomically, so it stays whole when the copy fails. Throws "Impossible
// d'ouvrir le fichier ..." or "Impossible de créer le fichier ...".
void CopyFileReplacing(const QString& source, const QString& target);

struct FolderCopy {
    int copied = 0;     // files really copied
    QStringList failed; // each file that could not be, named with the reason
};

// Copies every file that lies directly in `source`, hidden ones and names
// that are not UTF-8 included, into `target` under the same name; sub-folders
// are skipped, so a backup folder inside the source never copies into itself.
FolderCopy CopyFolderFiles(const QString& source, const QString& target);

// What the backup tells when it is done, naming the files it could not copy.
QString BackupMessage(const FolderCopy& copy, const QString& folder);

} // namespace polyx
