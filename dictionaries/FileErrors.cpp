#include "dictionaries/FileErrors.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace polyx {

namespace {

const QString kAccessDenied = QStringLiteral("Accès refusé");
const QString kFileNotFound = QStringLiteral("Le fichier spécifié est introuvable");
const QString kPathNotFound = QStringLiteral("Le chemin d'accès spécifié est introuvable");

// Only causes that a stale errno, left by a call Qt recovered from, would
// hardly fake.
QString systemReason(int systemError, const QString& deviceReason)
{
    switch (systemError) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Espace insuffisant sur le disque");
    case EROFS:
        return QStringLiteral("Le support est protégé en écriture");
    case ENAMETOOLONG:
        return QStringLiteral("Le nom de fichier ou l'extension est trop long");
    default:
        return deviceReason;
    }
}

bool folderExists(const QFileInfo& file)
{
    return QFileInfo(file.absolutePath()).isDir();
}

QString readReason(const QString& path, const QString& deviceReason, int systemError)
{
    const QFileInfo file(path);
    if (!file.exists())
        return folderExists(file) ? kFileNotFound : kPathNotFound;
    if (!file.isFile() || !file.isReadable())
        return kAccessDenied;
    return systemReason(systemError, deviceReason);
}

QString writeReason(const QString& path, const QString& deviceReason, int systemError)
{
    const QFileInfo file(path);
    if (file.isDir())
        return kAccessDenied;
    if (!folderExists(file))
        return kPathNotFound;
    if ((file.exists() && !file.isWritable()) || !QFileInfo(file.absolutePath()).isWritable())
        return kAccessDenied;
    return systemReason(systemError, deviceReason);
}

} // namespace

Error OpenFileError(const QString& path, const QString& deviceReason, int systemError)
{
    return Error(QStringLiteral("Impossible d'ouvrir le fichier \"%1\". %2")
                     .arg(QDir::toNativeSeparators(path), readReason(path, deviceReason, systemError)));
}

Error CreateFileError(const QString& path, const QString& deviceReason, int systemError)
{
    return Error(QStringLiteral("Impossible de créer le fichier \"%1\". %2")
                     .arg(QDir::toNativeSeparators(path), writeReason(path, deviceReason, systemError)));
}

} // namespace polyx
