#pragma once
// The bytes of a file as they are on the disk, below any text decoding.
#include <QByteArray>
#include <QString>

// A file that cannot be read gives a marker no test writes, so a comparison
// with it fails and shows why.
QByteArray readBytes(const QString& path);
// Fails the running test when the file cannot be written whole.
void writeBytes(const QString& path, const QByteArray& bytes);
