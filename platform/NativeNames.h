#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

namespace platform {

// Names as the file system holds them. Qt's own listing passes over a name
// that is not valid UTF-8 (one made on another system), and no QString
// path can name such a file: Qt reads each bad byte as U+FFFD.
struct NativeEntry {
    QByteArray name;
    bool isFolder = false;
    bool isFile = false; // a regular file, or a link to one
};

// Every entry of the folder but "." and "..", in the order the file system
// gives; empty when the folder cannot be read.
QList<NativeEntry> ListNativeEntries(const QString& folder);

// Qt's paths reach the file of that name.
bool IsQtName(const QByteArray& name);

// The name for the user: its UTF-8 read as such, each byte that is not
// read as Latin-1 (the likeliest origin; U+FFFD for a control code).
QString ShownName(const QByteArray& name);

// The file descriptor of the folder's entry opened for reading, or -1
// with errno set.
int OpenNative(const QString& folder, const QByteArray& name);

// Renames an entry of the folder, replacing any file of the new name;
// false with errno set.
bool RenameNative(const QString& folder, const QByteArray& from, const QByteArray& to);

} // namespace platform
