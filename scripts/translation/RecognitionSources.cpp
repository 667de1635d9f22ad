#include "scripts/translation/RecognitionSources.h"

#include "dictionaries/TextLinesFile.h"
#include "platform/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace polyx {
namespace {

QFileInfoList FilesOf(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    return QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::Readable, QDir::Name);
}

} // namespace

QList<KeptDictionary> ReadKeptDictionaries(const QStringList& folders, const QStringList& leftOutLabels)
{
    QSet<QString> leftOut;
    for (const QString& label : leftOutLabels)
        leftOut.insert(label.toUpper());
    QSet<QString> seenFolders;
    QList<KeptDictionary> kept;
    for (const QString& folder : folders) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || seenFolders.contains(canonical))
            continue;
        seenFolders.insert(canonical);
        for (const QFileInfo& file : FilesOf(canonical)) {
            if (file.suffix().compare(QStringLiteral("DICO"), Qt::CaseInsensitive) != 0
                || leftOut.contains(file.completeBaseName().toUpper()))
                continue;
            try {
                kept.append({file.fileName(), TextLinesFile::Read(file.filePath()).lines});
            } catch (const Error&) {
            }
        }
    }
    return kept;
}

QHash<QString, QString> ReadQuestionDefinitions(const QString& folder)
{
    QHash<QString, QString> definitions;
    for (const QFileInfo& file : FilesOf(folder)) {
        const QString name = file.fileName();
        if (!name.startsWith(u'@') || file.suffix().compare(QStringLiteral("TXT"), Qt::CaseInsensitive) != 0)
            continue;
        try {
            const QString definition = QuestionDefinition(TextLinesFile::Read(file.filePath()).lines);
            if (!definition.isEmpty())
                definitions.insert(file.completeBaseName().mid(1).toUpper(), definition);
        } catch (const Error&) {
        }
    }
    return definitions;
}

} // namespace polyx
