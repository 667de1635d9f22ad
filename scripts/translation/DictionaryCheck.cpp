#include "scripts/translation/DictionaryCheck.h"

#include "dictionaries/DictionaryCompression.h"
#include "scripts/translation/CodeAutomaton.h"
#include "scripts/translation/SearchableText.h"
#include "scripts/translation/TranslationRules.h"

#include <QHash>

#include <algorithm>

namespace polyx {
namespace {

bool IsHeaderKey(const QString& key)
{
    return key.startsWith(QStringLiteral("<_"));
}

QString Quoted(const QString& text)
{
    return QStringLiteral("« ") + text + QStringLiteral(" »");
}

struct Line {
    int row;
    QString key;
    QString value;
    QString foldedKey; // each folded once: the checks compare them often
    QString foldedValue;
};

QList<Line> LinesOf(const DictionaryLines& lines)
{
    QList<Line> result;
    result.reserve(lines.Count());
    for (int row = 1; row <= lines.Count(); ++row) {
        const QString key = lines.KeyAt(row);
        const QString value = lines.ValueAt(row);
        result.append(Line{row, key, value, Folded(key), Folded(value)});
    }
    return result;
}

// What the compression strips, without a copy of every clean text.
bool HasOuterBlanks(const QString& text)
{
    return !text.isEmpty() && (text.front().unicode() <= 0x20 || text.back().unicode() <= 0x20)
        && StripBlanks(text) != text;
}

class Findings {
public:
    void add(CheckedDictionary dictionary, const Line& line, const QString& problem)
    {
        m_found.append(DictionaryFinding{dictionary, line.row, line.key, line.value, problem});
    }
    QList<DictionaryFinding> sorted()
    {
        std::stable_sort(m_found.begin(), m_found.end(), [](const auto& a, const auto& b) {
            return a.dictionary != b.dictionary ? a.dictionary < b.dictionary : a.row < b.row;
        });
        return m_found;
    }

private:
    QList<DictionaryFinding> m_found;
};

// Fusion keys are compared without regard to case: so are codes here.
void SharedCodes(CheckedDictionary dictionary, const QList<Line>& lines, Findings& found)
{
    QHash<QString, const Line*> first;
    for (const Line& line : lines) {
        if (line.value.isEmpty() || line.key.isEmpty() || line.key == QStringLiteral("<_CODE>"))
            continue;
        const auto at = first.constFind(line.foldedValue);
        if (at == first.cend())
            first.insert(line.foldedValue, &line);
        else
            found.add(dictionary, line, QStringLiteral("Code déjà donné à la clé ") + Quoted((*at)->key));
    }
}

void KeysAcross(CheckedDictionary dictionary, const QList<Line>& lines, const QList<Line>& others,
                const QString& missing, Findings& found)
{
    QHash<QString, QString> otherKeys;
    otherKeys.reserve(others.size());
    for (const Line& other : others) {
        if (!other.key.isEmpty())
            otherKeys.insert(other.foldedKey, other.key);
    }
    for (const Line& line : lines) {
        if (line.key.isEmpty() || IsHeaderKey(line.key))
            continue;
        const auto other = otherKeys.constFind(line.foldedKey);
        if (other == otherKeys.cend())
            found.add(dictionary, line, missing);
        else if (*other != line.key)
            found.add(dictionary, line, QStringLiteral("Casse différente de la clé ") + Quoted(*other)
                                            + QStringLiteral(" de l'autre dictionnaire"));
    }
}

void LineShapes(CheckedDictionary dictionary, const QList<Line>& lines, Findings& found)
{
    for (const Line& line : lines) {
        if (line.key.isEmpty())
            continue;
        if (line.value.isEmpty() && !IsHeaderKey(line.key))
            found.add(dictionary, line, QStringLiteral("Valeur vide"));
        if (HasOuterBlanks(line.key))
            found.add(dictionary, line, QStringLiteral("Blancs au début ou à la fin de la clé"));
        if (HasOuterBlanks(line.value))
            found.add(dictionary, line, QStringLiteral("Blancs au début ou à la fin de la valeur"));
    }
}

// One automaton over every code, each code run through it: a code found
// inside a later one changes that one's occurrences first.
void MaskedCodes(CheckedDictionary dictionary, const QList<Line>& lines, bool codeIsKey, Findings& found)
{
    QList<const Line*> used;
    QStringList codes;
    for (const Line& line : lines) {
        if (!IsUsableEntry(line.key, line.value))
            continue;
        used.append(&line);
        codes.append(codeIsKey ? line.foldedKey : line.foldedValue);
    }
    const CodeAutomaton automaton(codes);
    for (qsizetype i = 0; i < codes.size(); ++i) {
        qsizetype earliest = i;
        automaton.forEachMatch(codes[i], [&](qsizetype code, qsizetype) {
            if (code < earliest && codes[code] != codes[i])
                earliest = code;
        });
        if (earliest < i) {
            const Line& by = *used[earliest];
            found.add(dictionary, *used[i], QStringLiteral("Masqué par le code ")
                                                + Quoted(codeIsKey ? by.key : by.value));
        }
    }
}

} // namespace

QString CheckedDictionaryName(CheckedDictionary dictionary)
{
    switch (dictionary) {
    case CheckedDictionary::External:
        return QStringLiteral("Externe");
    case CheckedDictionary::Internal:
        return QStringLiteral("Interne");
    case CheckedDictionary::Fusion:
        return QStringLiteral("Fusion");
    }
    return {};
}

QList<DictionaryFinding> CheckDictionaries(const DictionaryLines& external,
                                           const DictionaryLines& internal,
                                           const DictionaryLines& fusion)
{
    const QList<Line> ext = LinesOf(external);
    const QList<Line> in = LinesOf(internal);
    const QList<Line> fus = LinesOf(fusion);
    Findings found;
    SharedCodes(CheckedDictionary::External, ext, found);
    SharedCodes(CheckedDictionary::Internal, in, found);
    KeysAcross(CheckedDictionary::External, ext, in, QStringLiteral("Clé absente du dictionnaire interne"), found);
    KeysAcross(CheckedDictionary::Internal, in, ext, QStringLiteral("Clé absente du dictionnaire externe"), found);
    LineShapes(CheckedDictionary::External, ext, found);
    LineShapes(CheckedDictionary::Internal, in, found);
    LineShapes(CheckedDictionary::Fusion, fus, found);
    MaskedCodes(CheckedDictionary::External, ext, false, found);
    MaskedCodes(CheckedDictionary::Fusion, fus, true, found);
    return found.sorted();
}

QStringList CheckCells(const DictionaryFinding& finding)
{
    return {CheckedDictionaryName(finding.dictionary), finding.key, finding.value, finding.problem};
}

FindingsTable CheckTable(const QList<DictionaryFinding>& findings)
{
    FindingsTable table;
    table.columns = QStringList{QStringLiteral("Dictionnaire"), QStringLiteral("Clé"), QStringLiteral("Valeur"),
                                QStringLiteral("Problème")};
    for (const DictionaryFinding& finding : findings)
        table.rows.append({CheckCells(finding), false});
    return table;
}

QString CheckSummary(const QList<DictionaryFinding>& findings)
{
    const qsizetype count = findings.size();
    if (count == 0)
        return QStringLiteral("Aucun problème trouvé");
    return QString::number(count) + (count == 1 ? QStringLiteral(" problème") : QStringLiteral(" problèmes"));
}

} // namespace polyx
