#pragma once
#include <QString>

// The work folder, as platform::workFolder() gives it: the program's folder
// as it stands in its build folder, the user's documents folder + "PolyxX/"
// once installed; always ends with "/". Work files live here.
QString WorkDir();
// WorkDir() + "SAUVE/".
QString BackupDir();
// A file's name without folder and last extension, ASCII letters upper-cased:
// "/x/Lettre type.v2.dico" gives "LETTRE TYPE.V2".
QString FileLabel(const QString& path);

struct TDIR {
    QString root;  // WorkDir()
    QString actif; // the active folder, root at start
    QString sauve; // BackupDir()
};

// Set once the main window is created, cleared when the program ends.
extern TDIR DIR;
// The extension the file panel lists.
extern QString ListExt;
