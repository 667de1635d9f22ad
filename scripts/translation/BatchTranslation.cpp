#include "scripts/translation/BatchTranslation.h"

#include "dictionaries/FileBytes.h"
#include "dictionaries/TextLinesFile.h"
#include "platform/Error.h"
#include "platform/FileNames.h"
#include "platform/NameCase.h"
#include "scripts/ScriptFile.h"
#include "scripts/ScriptFormat.h"
#include "scripts/ScriptPlainText.h"
#include "scripts/ScriptText.h"
#include "scripts/rtf/RtfReader.h"
#include "scripts/rtf/RtfWriter.h"
#include "scripts/translation/DocumentTarget.h"
#include "scripts/translation/PlainTextTarget.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QTextDocument>

#include <algorithm>

namespace polyx {
namespace {

QString WithSlash(QString folder)
{
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QString Counted(qsizetype count, const char* one, const char* many)
{
    // French: none and one take the singular.
    return QString::number(count) + u' ' + QString::fromUtf8(count <= 1 ? one : many);
}

bool ReplacedAny(const QList<ReportRecorder::Walk>& walks)
{
    return std::any_of(walks.cbegin(), walks.cend(),
                       [](const ReportRecorder::Walk& walk) {
                           return !walk.replaced.positions.isEmpty() || !walk.replaced.keptPlaces.isEmpty();
                       });
}

} // namespace

bool IsBatchScript(const QString& path, const ScriptKinds& kinds)
{
    const QString extension = platform::UpperExtension(path);
    if (extension == u".SKRIVO" || extension == u".SKRU")
        return kinds.skrivo;
    if (extension == u".RTF")
        return kinds.rtf;
    if (extension == u".TXT")
        return kinds.txt;
    return false;
}

QStringList BatchScripts(const QStringList& paths, const ScriptKinds& kinds)
{
    QStringList scripts;
    for (const QString& path : paths)
        if (IsBatchScript(path, kinds) && QFileInfo(path).isFile())
            scripts.append(path);
    return scripts;
}

QStringList FolderScripts(const QString& folder, const ScriptKinds& kinds)
{
    const QDir dir(folder);
    QStringList paths;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        paths.append(dir.filePath(name));
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Names equal but for case keep one order from run to run.
    std::sort(paths.begin(), paths.end(), [&](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return BatchScripts(paths, kinds);
}

QString DefaultBatchOutput(const QString& sourceFolder)
{
    return platform::ResolveNameCase(WithSlash(QDir::cleanPath(sourceFolder)) + QStringLiteral("TRADUITS/"));
}

QString BatchOutputFolder(const QString& typed, const QString& sourceFolder)
{
    const QString absolute = QDir::cleanPath(QDir(sourceFolder).absoluteFilePath(typed.trimmed()));
    return WithSlash(platform::ResolveNameCase(absolute));
}

bool IsSameFolder(const QString& a, const QString& b)
{
    if (QDir::cleanPath(QDir(a).absolutePath()) == QDir::cleanPath(QDir(b).absolutePath()))
        return true;
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

QString SameFolderWarning()
{
    return QStringLiteral("Le dossier de sortie doit être différent du dossier des scripts.");
}

QString ReplaceOutputsQuestion(int count, const QString& folder)
{
    return QStringLiteral("%1 fichier(s) existent déjà dans \"%2\".\r\n\r\nLes remplacer ?").arg(count).arg(folder);
}

BatchRun::BatchRun(BatchDirection direction, DictionaryEntries entries, QString outputFolder,
                   QList<int> headerRows)
    : m_direction(direction), m_entries(std::move(entries)), m_headerRows(std::move(headerRows)),
      m_outputFolder(WithSlash(std::move(outputFolder)))
{
}

QString BatchRun::OutputPathOf(const QString& source) const
{
    return platform::ResolveNameCase(m_outputFolder + platform::FileNameOf(source));
}

QStringList BatchRun::ExistingOutputs(const QStringList& sources) const
{
    QStringList existing;
    const QString report = platform::AsciiUpper(QString::fromLatin1(BatchReportName));
    for (const QString& source : sources) {
        const QString output = OutputPathOf(source);
        if (platform::AsciiUpper(platform::FileNameOf(output)) != report && QFileInfo::exists(output) && !existing.contains(output))
            existing.append(output);
    }
    return existing;
}

const BatchFile& BatchRun::Translate(const QString& source)
{
    BatchFile file;
    file.source = source;
    const QString output = OutputPathOf(source);
    const QString taken = platform::AsciiUpper(platform::FileNameOf(output));
    if (taken == platform::AsciiUpper(QString::fromLatin1(BatchReportName))) {
        file.outcome = BatchFile::Outcome::Skipped;
        file.reason = QStringLiteral("Ce nom est celui du rapport du lot : le script n'a pas été traduit");
    } else if (m_outputsTaken.contains(taken)) {
        file.outcome = BatchFile::Outcome::Failed;
        file.reason = QStringLiteral("Un autre script du lot porte le même nom à la casse près : \"%1\" n'a pas été remplacé")
                          .arg(output);
    } else if (IsSameFolder(QFileInfo(output).absolutePath(), QFileInfo(source).absolutePath())) {
        file.outcome = BatchFile::Outcome::Failed;
        file.reason = SameFolderWarning();
    } else {
        m_outputsTaken.insert(taken);
        file.output = output;
        try {
            translateInto(file);
        } catch (const Error& error) {
            file.outcome = BatchFile::Outcome::Failed;
            file.reason = error.message();
            file.output.clear();
        }
    }
    m_files.append(file);
    return m_files.last();
}

// The engine over the text as a pane in rich mode would hold it, with the
// single translation's rules; the report rows from the texts before and
// after, as the report window builds them.
void BatchRun::translateInto(BatchFile& file)
{
    const QByteArray bytes = ScriptFile::ReadBytes(file.source);
    ReportRecorder recorder;
    const auto translate = [&](TranslationTarget& target, const QString& before) {
        if (m_direction == BatchDirection::IntoInternal)
            TranslateIntoInternal(m_entries, target, &recorder, m_headerRows);
        else
            TranslateIntoUniversal(m_entries, WithCrLf(before), target, &recorder);
    };
    QList<ReportRow> rows;
    QByteArray translated;
    if (ReadingFormat(false, file.source, bytes) == ScriptFormat::Rtf) {
        QTextDocument document;
        RtfReader reader;
        if (!reader.read(bytes, &document))
            throw Error(reader.errorString());
        {
            DocumentTarget target(document);
            const QString before = target.Text();
            // The universal translation looks for codes in the kept parts too.
            translate(target, target.KeptText().isEmpty() ? before : before + u'\n' + target.KeptText());
            rows = BuildRunReport(before, target.Text(), recorder.walks());
        }
        if (ReplacedAny(recorder.walks()))
            translated = RtfWriter::write(document);
    } else {
        PlainScriptLayout layout;
        const QString before = DecodePlainScript(bytes, &layout);
        PlainTextTarget target(before);
        translate(target, before);
        rows = BuildRunReport(before, target.text(), recorder.walks());
        if (ReplacedAny(recorder.walks()))
            translated = EncodePlainScriptAs(target.text(), layout);
    }
    WriteFileBytes(file.output, ReplacedAny(recorder.walks()) ? translated : bytes);

    const QString name = platform::FileNameOf(file.source);
    for (ReportRow& row : rows) {
        switch (row.state) {
        case ReportState::Replaced:
            ++file.codesReplaced;
            file.occurrences += row.occurrences;
            break;
        case ReportState::NotTranslated:
            file.untranslated = true;
            [[fallthrough]];
        case ReportState::OtherCase:
        case ReportState::Masked:
            row.file = name;
            file.findings.append(std::move(row));
            break;
        case ReportState::Absent:
            break;
        }
    }
}

void BatchRun::Stopped(int done, int total)
{
    m_stopped = QStringLiteral("annulé après %1 / %2").arg(done).arg(total);
}

QString BatchRun::SummaryLine() const
{
    qsizetype translated = 0, untranslated = 0, failed = 0, skipped = 0;
    for (const BatchFile& file : m_files) {
        switch (file.outcome) {
        case BatchFile::Outcome::Translated:
            ++translated;
            untranslated += file.untranslated ? 1 : 0;
            break;
        case BatchFile::Outcome::Failed:
            ++failed;
            break;
        case BatchFile::Outcome::Skipped:
            ++skipped;
            break;
        }
    }
    QString line = Counted(translated, "script traduit", "scripts traduits") + QStringLiteral(", ")
        + QString::number(untranslated) + QStringLiteral(" avec des codes non traduits, ")
        + Counted(failed, "échec", "échecs");
    if (skipped > 0)
        line += QStringLiteral(", ") + Counted(skipped, "ignoré", "ignorés");
    if (!m_stopped.isEmpty())
        line += QStringLiteral(", ") + m_stopped;
    return line;
}

BatchTable BatchRun::Table() const
{
    BatchTable result;
    result.table.columns = ReportColumns(true);
    for (qsizetype i = 0; i < m_files.size(); ++i) {
        const BatchFile& file = m_files[i];
        QStringList cells{platform::FileNameOf(file.source)};
        switch (file.outcome) {
        case BatchFile::Outcome::Translated:
            cells << QStringLiteral("Traduit")
                  << Counted(file.codesReplaced, "code remplacé", "codes remplacés") << QString()
                  << QString::number(file.occurrences) << QString();
            break;
        case BatchFile::Outcome::Failed:
            cells << QStringLiteral("Échec") << file.reason << QString() << QString() << QString();
            break;
        case BatchFile::Outcome::Skipped:
            cells << QStringLiteral("Ignoré") << file.reason << QString() << QString() << QString();
            break;
        }
        result.table.rows.append({cells, false});
        result.fileOfRow.append(i);
        result.findingOfRow.append(-1);
        for (qsizetype f = 0; f < file.findings.size(); ++f) {
            result.table.rows.append({ReportCells(file.findings[f], true), false});
            result.fileOfRow.append(i);
            result.findingOfRow.append(f);
        }
    }
    return result;
}

QStringList BatchRun::ReportLines() const
{
    QStringList lines{SummaryLine()};
    for (const FindingsTable::Row& row : Table().table.rows)
        lines.append(row.cells.join(u'\t'));
    return lines;
}

void BatchRun::WriteReport() const
{
    TextLinesFile::Write(platform::ResolveNameCase(m_outputFolder + QString::fromLatin1(BatchReportName)), ReportLines(),
                         TextEncoding::Ansi);
}

} // namespace polyx
