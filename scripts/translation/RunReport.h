#pragma once
#include "scripts/translation/FindingsTable.h"
#include "scripts/translation/TranslationRules.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace polyx {

// What the report says of one finding. Rows are shown in this order: what
// the user must still see to first, what is absent last.
enum class ReportState { NotTranslated, OtherCase, Masked, Replaced, Absent };

QString StateText(ReportState state);

// A place in the target's text (positions as DocumentText gives them).
struct TextPlace {
    qsizetype start = 0;
    qsizetype length = 0;
};

struct ReportRow {
    ReportState state = ReportState::Replaced;
    QString code;
    QString replacement;
    QString maskedBy;     // "Masqué": the earlier entry's code, when one is
    QString file;         // the script it was found in, for a report over files
    int occurrences = 0;
    QList<int> lines;     // 1-based, distinct, ascending
    QStringList keptPlaces; // "en-tête", "note"...: where else it was replaced, distinct
    QList<TextPlace> places;
};

// Records what a run walks, for BuildRunReport.
class ReportRecorder : public TranslationObserver {
public:
    struct Walk {
        QString code;
        QString replacement;
        bool applied = false;
        Replaced replaced;
    };
    void Walked(const QString& code, const QString& replacement, const Replaced* replaced) override
    {
        m_walks.append(Walk{code, replacement, replaced != nullptr, replaced ? *replaced : polyx::Replaced{}});
    }
    const QList<Walk>& walks() const { return m_walks; }

private:
    QList<Walk> m_walks;
};

// The findings of one run, from the target's text before and after it and
// what the run walked. Rows in ReportState order; within a state, entries in
// dictionary order and tokens in text order of their first place. Usable entries give the code
// shapes of the "Non traduit" tokens.
QList<ReportRow> BuildRunReport(const QString& before, const QString& after,
                                const QList<ReportRecorder::Walk>& walks);

// What the target pane shows marked after a run: the texts the replacements
// inserted and the "Non traduit" tokens, by position.
struct HighlightMark {
    TextPlace place;
    bool replaced = false;
};
QList<HighlightMark> HighlightMarks(const QList<ReportRow>& rows);

// "12 codes remplacés (57 occurrences) — 3 codes non traduits — 1 avertissement"
QString SummaryLine(const QList<ReportRow>& rows);

// The first five line numbers, then "…".
QString LinesText(const QList<int>& lines);

// The cells of a row under ReportColumns(); a report over files puts the
// file first.
QStringList ReportColumns(bool withFile = false);
QStringList ReportCells(const ReportRow& row, bool withFile = false);

// The rows as a findings window shows them, "Absent du script" on request.
FindingsTable ReportTable(const QList<ReportRow>& rows, bool withFile = false);

} // namespace polyx
