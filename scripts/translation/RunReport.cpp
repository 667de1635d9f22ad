#include "scripts/translation/RunReport.h"

#include "scripts/translation/CodeAutomaton.h"
#include "scripts/translation/CodeShapes.h"
#include "scripts/translation/ReplacementTrail.h"
#include "scripts/translation/SearchableText.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <vector>

namespace polyx {
namespace {

constexpr qsizetype ShownLines = 5;

// Occurrences of an entry's code in the text before the run, without
// overlap, split by letter case.
struct BeforeRun {
    int exact = 0;
    int otherCase = 0;
    QList<TextPlace> exactPlaces;
    QList<TextPlace> otherPlaces;
    qsizetype nextFree = 0;
};

bool IsLineBreak(QChar c)
{
    return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

class LineIndex {
public:
    explicit LineIndex(const QString& text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (IsLineBreak(text.at(i)))
                m_breaks.push_back(i);
        }
    }
    int lineOf(qsizetype position) const
    {
        return int(std::upper_bound(m_breaks.begin(), m_breaks.end(), position - 1) - m_breaks.begin()) + 1;
    }
    QList<int> linesOf(const QList<TextPlace>& places) const
    {
        QList<int> lines;
        for (const TextPlace& place : places)
            lines.append(lineOf(place.start));
        std::sort(lines.begin(), lines.end());
        lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
        return lines;
    }

private:
    std::vector<qsizetype> m_breaks;
};

QString Counted(qsizetype count, const char* one, const char* many)
{
    // French: none and one take the singular.
    return QString::number(count) + u' ' + QString::fromUtf8(count <= 1 ? one : many);
}

} // namespace

QString StateText(ReportState state)
{
    switch (state) {
    case ReportState::Replaced:
        return QStringLiteral("Remplacé");
    case ReportState::NotTranslated:
        return QStringLiteral("Non traduit");
    case ReportState::OtherCase:
        return QStringLiteral("Casse différente");
    case ReportState::Masked:
        return QStringLiteral("Masqué");
    case ReportState::Absent:
        return QStringLiteral("Absent du script");
    }
    return {};
}

QList<ReportRow> BuildRunReport(const QString& before, const QString& after,
                                const QList<ReportRecorder::Walk>& walks)
{
    const qsizetype count = walks.size();
    QStringList codes;
    QStringList folded;
    codes.reserve(count);
    folded.reserve(count);
    for (const auto& walk : walks) {
        codes.append(walk.code);
        folded.append(Folded(walk.code));
    }
    const auto replacedSome = [&](qsizetype i) {
        return walks[i].applied
            && (!walks[i].replaced.positions.isEmpty() || !walks[i].replaced.keptPlaces.isEmpty());
    };

    // One pass over the old text for every code at once.
    std::vector<BeforeRun> seen(count);
    CodeAutomaton(folded).forEachMatch(Folded(before), [&](qsizetype code, qsizetype start) {
        BeforeRun& s = seen[code];
        if (start < s.nextFree || replacedSome(code))
            return;
        const qsizetype length = codes[code].size();
        s.nextFree = start + length;
        if (QStringView(before).sliced(start, length) == codes[code]) {
            ++s.exact;
            s.exactPlaces.append({start, length});
        } else {
            ++s.otherCase;
            s.otherPlaces.append({start, length});
        }
    });

    ReplacementTrail trail(before.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (replacedSome(i)) {
            const Replaced& r = walks[i].replaced;
            trail.Replaced(r.positions, codes[i].size(), r.insertedLength, int(i));
        }
    }
    const QList<ReplacementTrail::Span> inserted = trail.InsertedSpans();
    std::vector<QList<TextPlace>> insertedBy(count);
    for (const auto& span : inserted) {
        if (span.owner >= 0)
            insertedBy[span.owner].append({span.start, span.length});
    }
    const auto whereNow = [&](const QList<TextPlace>& old) {
        QList<TextPlace> places;
        for (const TextPlace& place : old) {
            const auto now = trail.WhereNow(place.start, place.length);
            places.append({now.start, now.length});
        }
        return places;
    };

    const LineIndex lines(after);
    QList<ReportRow> rows;
    const auto entryRow = [&](ReportState state, qsizetype i, int occurrences, QList<TextPlace> places) {
        ReportRow row;
        row.state = state;
        row.code = walks[i].code;
        row.replacement = walks[i].replacement;
        row.occurrences = occurrences;
        row.lines = lines.linesOf(places);
        row.places = std::move(places);
        return row;
    };

    // Tokens of the old text still standing between the inserted texts; a
    // token that is an entry's code in another case is that entry's row.
    const CodeShapes shapes(codes);
    if (!shapes.isEmpty()) {
        const QSet<QString> foldedCodes(folded.cbegin(), folded.cend());
        QHash<QString, qsizetype> tokenRows;
        const auto scan = [&](qsizetype from, qsizetype to) {
            for (const auto& token : shapes.tokens(after, from, to)) {
                const QString text = after.sliced(token.start, token.length);
                if (foldedCodes.contains(Folded(text)))
                    continue;
                auto found = tokenRows.constFind(text);
                if (found == tokenRows.cend()) {
                    ReportRow row;
                    row.state = ReportState::NotTranslated;
                    row.code = text;
                    found = tokenRows.insert(text, rows.size());
                    rows.append(row);
                }
                ReportRow& row = rows[*found];
                ++row.occurrences;
                row.places.append({token.start, token.length});
            }
        };
        qsizetype from = 0;
        for (const auto& span : inserted) {
            scan(from, span.start);
            from = span.start + span.length;
        }
        scan(from, after.size());
        for (const qsizetype at : tokenRows)
            rows[at].lines = lines.linesOf(rows[at].places);
    }

    for (qsizetype i = 0; i < count; ++i) {
        if (!walks[i].applied && seen[i].exact == 0 && seen[i].otherCase > 0)
            rows.append(entryRow(ReportState::OtherCase, i, seen[i].otherCase, whereNow(seen[i].otherPlaces)));
    }
    for (qsizetype i = 0; i < count; ++i) {
        const bool masked = walks[i].applied ? !replacedSome(i) : seen[i].exact > 0;
        if (!masked)
            continue;
        ReportRow row = entryRow(ReportState::Masked, i, seen[i].exact, whereNow(seen[i].exactPlaces));
        for (qsizetype j = 0; j < i; ++j) {
            if (replacedSome(j) && folded[i].contains(folded[j])) {
                row.maskedBy = walks[j].code;
                break;
            }
        }
        rows.append(row);
    }
    for (qsizetype i = 0; i < count; ++i) {
        if (replacedSome(i)) {
            const Replaced& r = walks[i].replaced;
            ReportRow row = entryRow(ReportState::Replaced, i, int(r.positions.size() + r.keptPlaces.size()), insertedBy[i]);
            for (const QString& place : r.keptPlaces)
                if (!row.keptPlaces.contains(place))
                    row.keptPlaces.append(place);
            rows.append(row);
        }
    }
    for (qsizetype i = 0; i < count; ++i) {
        if (!walks[i].applied && seen[i].exact == 0 && seen[i].otherCase == 0)
            rows.append(entryRow(ReportState::Absent, i, 0, {}));
    }
    return rows;
}

QList<HighlightMark> HighlightMarks(const QList<ReportRow>& rows)
{
    QList<HighlightMark> marks;
    for (const ReportRow& row : rows) {
        const bool replaced = row.state == ReportState::Replaced;
        if (replaced || row.state == ReportState::NotTranslated) {
            for (const TextPlace& place : row.places)
                marks.append({place, replaced});
        }
    }
    std::sort(marks.begin(), marks.end(),
              [](const HighlightMark& a, const HighlightMark& b) { return a.place.start < b.place.start; });
    return marks;
}

QString SummaryLine(const QList<ReportRow>& rows)
{
    qsizetype replaced = 0, occurrences = 0, notTranslated = 0, warnings = 0;
    for (const ReportRow& row : rows) {
        switch (row.state) {
        case ReportState::Replaced:
            ++replaced;
            occurrences += row.occurrences;
            break;
        case ReportState::NotTranslated:
            ++notTranslated;
            break;
        case ReportState::OtherCase:
        case ReportState::Masked:
            ++warnings;
            break;
        case ReportState::Absent:
            break;
        }
    }
    QString line = Counted(replaced, "code remplacé", "codes remplacés") + QStringLiteral(" (")
        + Counted(occurrences, "occurrence", "occurrences") + u')';
    if (notTranslated > 0)
        line += QStringLiteral(" — ") + Counted(notTranslated, "code non traduit", "codes non traduits");
    if (warnings > 0)
        line += QStringLiteral(" — ") + Counted(warnings, "avertissement", "avertissements");
    return line;
}

QString LinesText(const QList<int>& lines)
{
    QStringList shown;
    for (qsizetype i = 0; i < std::min(lines.size(), ShownLines); ++i)
        shown.append(QString::number(lines[i]));
    if (lines.size() > ShownLines)
        shown.append(QStringLiteral("…"));
    return shown.join(QStringLiteral(", "));
}

QStringList ReportColumns(bool withFile)
{
    QStringList columns{QStringLiteral("État"), QStringLiteral("Code"), QStringLiteral("Remplacé par"),
                        QStringLiteral("Occurrences"), QStringLiteral("Lignes")};
    if (withFile)
        columns.prepend(QStringLiteral("Fichier"));
    return columns;
}

QStringList ReportCells(const ReportRow& row, bool withFile)
{
    QString replacement = row.replacement;
    if (!row.maskedBy.isEmpty())
        replacement += QStringLiteral(" (masqué par ") + row.maskedBy + u')';
    QStringList where{LinesText(row.lines)};
    where += row.keptPlaces;
    where.removeAll(QString());
    QStringList cells{StateText(row.state), row.code, replacement, QString::number(row.occurrences),
                      where.join(QStringLiteral(", "))};
    if (withFile)
        cells.prepend(row.file);
    return cells;
}

FindingsTable ReportTable(const QList<ReportRow>& rows, bool withFile)
{
    FindingsTable table;
    table.columns = ReportColumns(withFile);
    table.numberColumns = {withFile ? 4 : 3};
    for (const ReportRow& row : rows)
        table.rows.append({ReportCells(row, withFile), row.state == ReportState::Absent});
    return table;
}

} // namespace polyx
