#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace platform {

// The freedesktop trash. A file or folder on the file system of the home
// trash ($XDG_DATA_HOME/Trash, ~/.local/share/Trash when that variable is
// unset or not absolute) goes there; one elsewhere goes to its own file
// system's trash ($topdir/.Trash/$uid, else $topdir/.Trash-$uid). A missing
// trash, or its "files" and "info" folders, is made with mode 0700, as on a
// new account. Throws polyx::Error, and the file stays where it was, when no
// trash can take it.
void MoveToTrash(const QString& path);

// The home trash, by the environment at the time of the call.
QString HomeTrashFolder();

// What the trash's "info" file records: the path percent-encoded byte by
// byte, "/" kept, and the local time of the deletion.
QByteArray TrashInfo(const QByteArray& nativePath, const QDateTime& deletion);

} // namespace platform
