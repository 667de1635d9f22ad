#pragma once
#include <QByteArray>
#include <QString>

namespace polyx {

// The whole content of a regular file. Throws "Impossible d'ouvrir le
// fichier ..." when it cannot be read or holds more than `maxBytes`.
QByteArray ReadFileBytes(const QString& path, qint64 maxBytes);

// Replaces the file atomically; on failure throws "Impossible de créer le
// fichier ..." and the previous file stays whole.
void WriteFileBytes(const QString& path, const QByteArray& bytes);

} // namespace polyx
