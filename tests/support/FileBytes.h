#pragma once
// The bytes of a file as they are on the disk, below any text decoding.
#include <QByteArray>
#include <QString>

// A file that cannot be read gives a marker no test writes, so a comparison
// with it fails and shows why.
QByteArray readBytes(const QString& path);
// Fails the running test when the file cannot be written whole.
void writeBytes(const QString& path, const QByteArray& bytes);
// The same for a name given as the file system's bytes: one that is not
// UTF-8, made on another system, which no QString path can name.
QByteArray readNativeBytes(const QString& folder, const QByteArray& name);
void writeNativeBytes(const QString& folder, const QByteArray& name, const QByteArray& bytes);
// Removes such a file or empty folder: Qt's removal passes over the name
// and would leave it, and its folder, behind.
void removeNative(const QString& folder, const QByteArray& name);
