#include "scripts/translation/CodeNames.h"

#include "scripts/translation/MedicalAbbreviations.h"

#include <QSet>

#include <algorithm>

namespace polyx {
namespace {

constexpr qsizetype StartLength = 3;

bool IsSplit(QChar c)
{
    return c.isSpace() || c == u'_' || c == u'.' || c == u'-' || c == u':' || c == u'\'' || c == u'’';
}

QString FoldedWord(const QString& word)
{
    QString folded;
    const QString decomposed = word.normalized(QString::NormalizationForm_D);
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            folded.append(c.toLower());
    }
    return folded;
}

bool IsSmallWord(const QString& word)
{
    static const QSet<QString> small{"de", "du", "des", "d", "la", "le", "les", "l", "a", "au", "aux",
                                     "en", "et", "pour", "par", "sur", "un", "une", "of", "the"};
    return small.contains(word);
}

const QHash<QString, QString>& Meanings()
{
    static const QHash<QString, QString> meanings = [] {
        QHash<QString, QString> table;
        for (const MedicalAbbreviation& entry : MedicalAbbreviations())
            table.insert(FoldedWord(QString::fromUtf8(entry.abbreviation)), QString::fromUtf8(entry.meaning));
        return table;
    }();
    return meanings;
}

// The words with each abbreviation replaced by its meaning, and the meanings used.
std::pair<QStringList, QString> Expanded(const QStringList& words)
{
    QStringList expanded;
    QStringList glosses;
    for (const QString& word : words) {
        const auto meaning = Meanings().constFind(word);
        if (meaning == Meanings().cend()) {
            expanded.append(word);
            continue;
        }
        expanded.append(NameWords(*meaning));
        glosses.append(*meaning);
    }
    return {expanded, glosses.join(QStringLiteral(", "))};
}

double WordSimilarity(const QString& a, const QString& b)
{
    if (a == b)
        return 1;
    const QString& shorter = a.size() < b.size() ? a : b;
    const QString& longer = a.size() < b.size() ? b : a;
    if (shorter.size() < StartLength || !longer.startsWith(shorter))
        return 0;
    return 0.6 + 0.4 * double(shorter.size()) / double(longer.size());
}

QString WordStart(const QString& word)
{
    return word.left(StartLength);
}

} // namespace

QStringList NameWords(QStringView name)
{
    // The signs that enclose a code say nothing of its name.
    qsizetype from = 0;
    qsizetype to = name.size();
    while (from < to && !name.at(from).isLetterOrNumber())
        ++from;
    while (to > from && !name.at(to - 1).isLetterOrNumber())
        --to;
    QStringList words;
    QString word;
    const auto endWord = [&] {
        if (word.isEmpty())
            return;
        const QString folded = FoldedWord(word);
        if (!IsSmallWord(folded))
            words.append(folded);
        word.clear();
    };
    for (qsizetype i = from; i < to; ++i) {
        const QChar c = name.at(i);
        if (IsSplit(c) || !c.isLetterOrNumber()) {
            endWord();
            continue;
        }
        if (!word.isEmpty()) {
            const QChar last = word.back();
            if ((last.isLower() && c.isUpper()) || (last.isLetter() != c.isLetter()))
                endWord();
        }
        word.append(c);
    }
    endWord();
    return words;
}

double NameMatcher::Similarity(const QStringList& a, const QStringList& b)
{
    if (a.isEmpty() || b.isEmpty())
        return 0;
    std::vector<bool> used(b.size(), false);
    double sum = 0;
    for (const QString& word : a) {
        double best = 0;
        qsizetype at = -1;
        for (qsizetype j = 0; j < b.size(); ++j) {
            if (used[j])
                continue;
            const double s = WordSimilarity(word, b[j]);
            if (s > best) {
                best = s;
                at = j;
            }
        }
        if (at >= 0) {
            used[at] = true;
            sum += best;
        }
    }
    double score = 2 * sum / double(a.size() + b.size());
    // "NOMMALADE" and "NOM_MALADE" are one name; "AGE" is no part of "AGENDAPROCHAIN".
    if (a.size() != b.size()) {
        const QString joinedA = a.join(QString()), joinedB = b.join(QString());
        if (3 * std::min(joinedA.size(), joinedB.size()) >= 2 * std::max(joinedA.size(), joinedB.size()))
            score = std::max(score, 0.95 * WordSimilarity(joinedA, joinedB));
    }
    return score;
}

NameMatcher::NameMatcher(const QList<Key>& keys)
{
    for (const Key& key : keys) {
        const int index = int(m_keys.size());
        m_keys.append(key.key);
        const QStringList words = NameWords(key.key);
        if (!words.isEmpty()) {
            m_variants.push_back({index, words, QString()});
            auto [expanded, gloss] = Expanded(words);
            if (!gloss.isEmpty())
                m_variants.push_back({index, expanded, gloss});
        }
        const QStringList defined = NameWords(key.definition);
        if (!defined.isEmpty())
            m_variants.push_back({index, defined, key.definition.trimmed()});
    }
    for (int v = 0; v < int(m_variants.size()); ++v) {
        QSet<QString> starts;
        for (const QString& word : m_variants[v].words)
            starts.insert(WordStart(word));
        for (const QString& start : starts)
            m_byWordStart[start].push_back(v);
    }
}

QList<NameMatcher::Match> NameMatcher::matches(const QString& code, double floor, int count) const
{
    const QStringList words = NameWords(code);
    if (words.isEmpty())
        return {};
    std::vector<std::pair<QStringList, QString>> codeVariants{{words, QString()}};
    auto expanded = Expanded(words);
    if (!expanded.second.isEmpty())
        codeVariants.push_back(expanded);

    QHash<int, Match> best; // by key
    QSet<int> seen;
    for (const auto& [codeWords, codeGloss] : codeVariants) {
        seen.clear();
        for (const QString& word : codeWords) {
            const auto bucket = m_byWordStart.constFind(WordStart(word));
            if (bucket == m_byWordStart.cend())
                continue;
            for (const int v : *bucket) {
                if (seen.contains(v))
                    continue;
                seen.insert(v);
                const Variant& variant = m_variants[v];
                // The same name beats a name reached through an abbreviation or a definition.
                const bool direct = codeGloss.isEmpty() && variant.gloss.isEmpty();
                const double score = Similarity(codeWords, variant.words) * (direct ? 1 : 0.98);
                if (score < floor)
                    continue;
                Match& kept = best[variant.key];
                if (score > kept.score) {
                    kept.key = m_keys[variant.key];
                    kept.score = score;
                    kept.gloss = !variant.gloss.isEmpty() ? variant.gloss : codeGloss;
                }
            }
        }
    }
    QList<Match> found = best.values();
    std::sort(found.begin(), found.end(), [](const Match& a, const Match& b) {
        return a.score != b.score ? a.score > b.score : a.key < b.key;
    });
    if (found.size() > count)
        found.resize(count);
    return found;
}

} // namespace polyx
