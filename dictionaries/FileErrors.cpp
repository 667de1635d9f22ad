#include "dictionaries/FileErrors.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace polyx {

namespace {

const QString kAccessDenied = QStringLiteral("Accès refusé");
const QString kFileNotFound = QStringLiteral("Le fichier spécifié est introuvable");
const QString kPathNotFound = QStringLiteral("Le chemin d'accès spécifié est introuvable");

// Only causes that a stale errno, left by a call Qt recovered from, would
// hardly fake; the writer's own calls give theirs exactly.
QString systemReason(int systemError, const QString& deviceReason)
{
    switch (systemError) {
    case ENOSPC:
        return QStringLiteral("Plus de place sur le disque");
    case EDQUOT:
        return QStringLiteral("Quota d'espace disque dépassé");
    case EFBIG:
        return QStringLiteral("Le fichier dépasse la taille permise");
    case EIO:
        return QStringLiteral("Erreur d'entrée/sortie sur le disque");
    case EROFS:
        return QStringLiteral("Le support est protégé en écriture");
    case ENAMETOOLONG:
        return QStringLiteral("Le nom de fichier ou l'extension est trop long");
    case EACCES:
    case EPERM:
    case EISDIR:
        return kAccessDenied;
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Trop de fichiers ouverts");
    default:
        if (deviceReason.isEmpty() && systemError != 0)
            return QString::fromLocal8Bit(std::strerror(systemError));
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

CreateFileFailure::CreateFileFailure(const QString& path, const QString& reason)
    : Error(QStringLiteral("Impossible de créer le fichier \"%1\". %2").arg(QDir::toNativeSeparators(path), reason)),
      m_reason(reason)
{
}

CreateFileFailure CreateFileError(const QString& path, const QString& deviceReason, int systemError)
{
    return CreateFileFailure(path, writeReason(path, deviceReason, systemError));
}

} // namespace polyx
