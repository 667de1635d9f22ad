#pragma once
#include "scripts/translation/FindingsTable.h"
#include "scripts/translation/RunReport.h"
#include "scripts/translation/TranslationRules.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace polyx {

// Translating many script files at once with the rules of one translation,
// each file read as a pane in rich mode reads it and its translation written
// into another folder under the same name. No widgets.

enum class BatchDirection {
    IntoInternal,  // FUSION_EXT_INT's rules over the fusion dictionary
    IntoUniversal, // FUSION_POLYX's rules over the external dictionary
};

// The kind boxes of the dialog: ".skrivo" and ".SKRU", ".rtf", ".txt",
// extensions in any letter case.
struct ScriptKinds {
    bool skrivo = true;
    bool rtf = true;
    bool txt = true;
};

bool IsBatchScript(const QString& path, const ScriptKinds& kinds);
// The paths that are files of a ticked kind, in their order.
QStringList BatchScripts(const QStringList& paths, const ScriptKinds& kinds);
// Every file of the folder of a ticked kind, by name with letter case ignored.
QStringList FolderScripts(const QString& folder, const ScriptKinds& kinds);

// The summary the batch writes beside its translations.
inline constexpr char BatchReportName[] = "RAPPORT.TXT";

// The source folder followed by "TRADUITS/", by the letter-case rule.
QString DefaultBatchOutput(const QString& sourceFolder);
// The folder the user typed, made absolute against the source folder, by
// the letter-case rule, ending with "/".
QString BatchOutputFolder(const QString& typed, const QString& sourceFolder);
// Whether both name the same folder, through links too.
bool IsSameFolder(const QString& a, const QString& b);
QString SameFolderWarning();
// '%d fichier(s) existent déjà dans "%s".\r\n\r\nLes remplacer ?'
QString ReplaceOutputsQuestion(int count, const QString& folder);

struct BatchFile {
    enum class Outcome { Translated, Failed, Skipped };
    QString source;
    QString output; // where the translation went, empty when none
    Outcome outcome = Outcome::Translated;
    QString reason; // why it failed or was skipped
    int codesReplaced = 0;
    int occurrences = 0;
    bool untranslated = false; // holds a "Non traduit" code
    // "Non traduit", "Casse différente" and "Masqué" rows, with the file.
    QList<ReportRow> findings;
};

// The report window's rows for a batch: one row per file, then its
// findings; `fileOfRow` gives each row's index in the files, `findingOfRow`
// the index of its finding in that file (-1 for the file's own rows).
struct BatchTable {
    FindingsTable table;
    QList<qsizetype> fileOfRow;
    QList<qsizetype> findingOfRow;
};

// One batch: the same dictionary and direction for every file, outputs
// into one folder. Each source's output is the folder joined with its name
// by the letter-case rule; a second source taking the same output (names
// differing only by case) fails. A source is never written.
class BatchRun {
public:
    // `headerRows`: the fusion rows the single translation leaves out.
    BatchRun(BatchDirection direction, DictionaryEntries entries, QString outputFolder,
             QList<int> headerRows = {1, 2});

    QString OutputPathOf(const QString& source) const;
    // The outputs of these sources that exist already, each once.
    QStringList ExistingOutputs(const QStringList& sources) const;

    // Reads, translates and writes one source; a failure is recorded, never
    // thrown. A file in which nothing was replaced is copied byte for byte.
    const BatchFile& Translate(const QString& source);
    // The user stopped the batch after `done` of `total` files.
    void Stopped(int done, int total);

    const QList<BatchFile>& files() const { return m_files; }
    // "48 scripts traduits, 3 avec des codes non traduits, 1 échec"
    QString SummaryLine() const;
    BatchTable Table() const;
    // RAPPORT.TXT's lines: the summary, then each row's cells tab-separated.
    QStringList ReportLines() const;
    // Writes RAPPORT.TXT into the output folder by the text-file rule.
    void WriteReport() const;

private:
    void translateInto(BatchFile& file);

    BatchDirection m_direction;
    DictionaryEntries m_entries;
    QList<int> m_headerRows;
    QString m_outputFolder;
    QList<BatchFile> m_files;
    QSet<QString> m_outputsTaken; // output names, ASCII letters upper-cased
    QString m_stopped;
};

} // namespace polyx
