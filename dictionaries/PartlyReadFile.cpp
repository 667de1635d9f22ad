#include "dictionaries/PartlyReadFile.h"

#include <QDir>
#include <QFileInfo>

namespace polyx {

namespace {

// Another spelling of the same path, or a link to the file, is the file.
QString sameFileKey(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

} // namespace

void PartlyReadFile::Remember(const QString& path, const TextLines& read)
{
    m_warning = TextLinesFile::PartialReadWarning(path, read);
    m_file = m_warning.isEmpty() ? QString() : sameFileKey(path);
    m_skipTold = false;
}

bool PartlyReadFile::IsReplacedBy(const QString& target) const
{
    return !m_file.isEmpty() && sameFileKey(target) == m_file;
}

void PartlyReadFile::Release()
{
    m_file.clear();
    m_warning.clear();
}

bool PartlyReadFile::FirstSkip()
{
    const bool first = !m_skipTold;
    m_skipTold = true;
    return first;
}

QString PartlyReadFile::SkipMessage() const
{
    return QStringLiteral("Le fichier \"%1\" n'a été lu qu'en partie : il n'a pas été remplacé. "
                          "Enregistrez-le par une commande pour le remplacer quand même.")
        .arg(QDir::toNativeSeparators(m_file));
}

} // namespace polyx
