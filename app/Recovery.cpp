#include "app/Recovery.h"

#include "app/WorkFolders.h"
#include "dictionaries/FileBytes.h"
#include "dictionaries/TextLinesFile.h"
#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace polyx {
namespace {

struct PaneRow {
    RecoveryPane pane;
    const char* tag; // the recovery file's name starts with it and a dot
    const char* description;
    bool labelled; // the description names the file's label
    bool lines;    // a text file of lines
};

const PaneRow kPanes[] = {
    {RecoveryPane::Questions, "QUESTIONS", "Questions universelles", false, true},
    {RecoveryPane::DictionaryExt, "EXTERNE", "Dictionnaire externe", true, true},
    {RecoveryPane::DictionaryInt, "INTERNE", "Dictionnaire interne", true, true},
    {RecoveryPane::Fusion, "FUSION", "Dictionnaire de fusion", true, true},
    {RecoveryPane::Sanvor, "SANVOR", "Dictionnaire Sanvor", true, true},
    {RecoveryPane::ScriptExt, "SCRIPT_EXTERNE", "Script externe", false, false},
    {RecoveryPane::ScriptInt, "SCRIPT_INTERNE", "Script interne", false, false},
    {RecoveryPane::ScriptUni, "SCRIPT_UNIVERSEL", "Script universel", false, false},
};

const PaneRow& rowOf(RecoveryPane pane)
{
    return *std::find_if(std::begin(kPanes), std::end(kPanes), [pane](const PaneRow& row) { return row.pane == pane; });
}

// Far beyond any pane; a bigger file there is none of ours.
constexpr qint64 kMaxRecoveryBytes = qint64(256) * 1024 * 1024;

} // namespace

QList<RecoveryPane> AllRecoveryPanes()
{
    QList<RecoveryPane> panes;
    for (const PaneRow& row : kPanes)
        panes << row.pane;
    return panes;
}

QString DescribeRecovery(const RecoveryFile& file)
{
    const PaneRow& row = rowOf(file.pane);
    QString text = QString::fromUtf8(row.description);
    if (row.labelled)
        text += QStringLiteral(" « %1 »").arg(FileLabel(file.fileName));
    return text + file.modified.toString(QStringLiteral("', modifié le 'dd/MM/yyyy' à 'HH:mm"));
}

bool DiffersFromFile(RecoveryPane pane, const PaneContent& content, const std::optional<QByteArray>& fileBytes)
{
    if (!fileBytes)
        return !content.empty;
    if (rowOf(pane).lines)
        return TextLinesFile::Decode(content.bytes).lines != TextLinesFile::Decode(*fileBytes).lines;
    return content.bytes != *fileBytes;
}

RecoveryFolder::RecoveryFolder(QString folder, QString workFolder)
    : m_folder(std::move(folder)), m_workFolder(std::move(workFolder))
{
}

void RecoveryFolder::keep(RecoveryPane pane, const QString& fileName, const QByteArray& content)
{
    if (!QDir().mkpath(m_folder))
        throw Error(QStringLiteral("Impossible de créer le dossier \"%1\".").arg(m_folder));
    const QString path = m_folder + QString::fromLatin1(rowOf(pane).tag) + u'.' + fileName;
    WriteFileBytes(path, content);
    // A label changed since the last write: its older name goes.
    const QString prefix = QString::fromLatin1(rowOf(pane).tag) + u'.';
    for (const QString& name : QDir(m_folder).entryList({prefix + u'*'}, QDir::Files | QDir::Hidden))
        if (m_folder + name != path)
            QFile::remove(m_folder + name);
}

void RecoveryFolder::drop(RecoveryPane pane)
{
    const QString prefix = QString::fromLatin1(rowOf(pane).tag) + u'.';
    for (const QString& name : QDir(m_folder).entryList({prefix + u'*'}, QDir::Files | QDir::Hidden))
        QFile::remove(m_folder + name);
}

QList<RecoveryFile> RecoveryFolder::files() const
{
    QList<RecoveryFile> files;
    const QFileInfoList entries = QDir(m_folder).entryInfoList(QDir::Files, QDir::Time);
    for (const PaneRow& row : kPanes) {
        const QString prefix = QString::fromLatin1(row.tag) + u'.';
        // Newest first: a pane's leftover under an older name loses.
        for (const QFileInfo& entry : entries) {
            if (!entry.fileName().startsWith(prefix) || entry.fileName().size() == prefix.size()
                || entry.size() > kMaxRecoveryBytes)
                continue;
            files.append({row.pane, entry.fileName().mid(prefix.size()), entry.filePath(), entry.lastModified()});
            break;
        }
    }
    return files;
}

QList<RecoveryFile> RecoveryFolder::offered() const
{
    QList<RecoveryFile> offered;
    for (const RecoveryFile& file : files()) {
        const QFileInfo own(m_workFolder + file.fileName);
        if (!own.exists() || own.lastModified() < file.modified)
            offered.append(file);
    }
    return offered;
}

void RecoveryFolder::setAside(const QString& backupFolder, const QDateTime& now, const QList<RecoveryPane>& kept)
{
    QStringList names = QDir(m_folder).entryList(QDir::Files | QDir::Hidden);
    for (const RecoveryFile& file : files())
        if (kept.contains(file.pane))
            names.removeOne(QFileInfo(file.path).fileName());
    if (!names.isEmpty()) {
        const QString target =
            backupFolder + QStringLiteral("RECUPERATION_") + now.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + u'/';
        if (!QDir().mkpath(target))
            throw Error(QStringLiteral("Impossible de créer le dossier \"%1\".").arg(target));
        for (const QString& name : names) {
            if (!QFile::rename(m_folder + name, target + name))
                throw Error(QStringLiteral("Impossible de déplacer le fichier \"%1\" vers \"%2\".")
                                .arg(QDir::toNativeSeparators(m_folder + name), QDir::toNativeSeparators(target)));
        }
    }
    QDir().rmdir(m_folder);
}

void RecoveryFolder::clear()
{
    for (const QString& name : QDir(m_folder).entryList(QDir::Files | QDir::Hidden))
        QFile::remove(m_folder + name);
    QDir().rmdir(m_folder);
}

qint64 RecoveryDueTime(qint64 firstChange, qint64 lastChange, std::optional<qint64> lastWrite, qint64 quiet,
                       qint64 spacing)
{
    qint64 due = std::min(lastChange + quiet, firstChange + spacing);
    if (lastWrite)
        due = std::max(due, *lastWrite + spacing);
    return due;
}

} // namespace polyx
