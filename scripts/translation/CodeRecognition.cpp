#include "scripts/translation/CodeRecognition.h"

#include "questions/QuestionText.h"
#include "scripts/translation/CodeAutomaton.h"
#include "scripts/translation/CodeNames.h"
#include "scripts/translation/LetterAlignment.h"
#include "scripts/translation/RunReport.h"
#include "scripts/translation/SearchableText.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <map>

namespace polyx {
namespace {

constexpr qsizetype InnerLimit = 60;
constexpr qsizetype OpeningLimit = 4;
constexpr int Proposed = 5; // keys offered per code
// How near a name must come: below ToCheckScore nothing is proposed.
constexpr double ProbableScore = 0.8;
constexpr double ToCheckScore = 0.55;

QString Counted(qsizetype count, const char* one, const char* many)
{
    return QString::number(count) + u' ' + QString::fromUtf8(count <= 1 ? one : many);
}

QString CodeKey(QStringView code)
{
    return code.trimmed().toString().toCaseFolded();
}

bool IsHeaderKey(const QString& key)
{
    return key.startsWith(QStringLiteral("<_"));
}

// --- Finding codes ---

bool IsInnerSign(QChar c)
{
    return c == u'_' || c == u'.' || c == u':' || c == u'-' || c == u'\'' || c == u'’';
}

bool IsLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

bool IsInner(QChar c)
{
    return c.isLetterOrNumber() || IsInnerSign(c) || (c.isSpace() && !IsLineBreak(c));
}

// A sign that may open or close a code found from the script alone.
// Parentheses and straight double quotes belong to prose.
bool IsEnclosingSign(QChar c)
{
    return !c.isLetterOrNumber() && !c.isSpace() && !IsInnerSign(c) && c != u'(' && c != u')' && c != u'"'
        && c != u',' && c != u';' && c != u'!' && c != u'?' && c != u'/' && c != u'\\';
}

QChar Mirror(QChar c)
{
    switch (c.unicode()) {
    case u'[': return u']';
    case u'{': return u'}';
    case u'<': return u'>';
    case u'«': return u'»';
    case u'‹': return u'›';
    case u'“': return u'”';
    default: return c;
    }
}

QString Mirrored(QStringView opening)
{
    QString closing;
    for (qsizetype i = opening.size() - 1; i >= 0; --i)
        closing.append(Mirror(opening.at(i)));
    return closing;
}

bool IsVerb(const QString& word)
{
    static const QSet<QString> verbs{
        "est", "sont", "était", "étaient", "sera", "seront", "soit", "suis", "es", "êtes", "sommes", "été",
        "être", "a", "ai", "as", "ont", "avait", "avez", "avons", "aura", "avoir", "eu", "fait", "faire",
        "font", "faut", "peut", "peuvent", "pouvez", "doit", "doivent", "devez", "voir", "voyez", "vu",
        "va", "vont", "aller", "allez", "vient", "venir", "dit", "dire", "semble", "reste", "prendre",
        "prenez", "pris", "merci", "veuillez", "c'est", "n'est", "s'agit", "j'ai", "n'a", "y",
        // A subject pronoun stands before a verb.
        "je", "tu", "il", "elle", "on", "nous", "ils", "elles", "j'", "qu'il", "qu'elle"};
    return verbs.contains(word);
}

// Text between signs that reads as prose: more than four words, or several
// with a verb among them.
bool IsProse(QStringView inner)
{
    const QStringList words = inner.toString().toLower().split(QRegularExpression(QStringLiteral("\\s+")),
                                                               Qt::SkipEmptyParts);
    if (words.size() > 4)
        return true;
    if (words.size() < 2)
        return false;
    return std::any_of(words.cbegin(), words.cend(), [](const QString& w) { return IsVerb(w); });
}

bool IsDate(QStringView inner)
{
    static const QRegularExpression date(QStringLiteral(
        "^\\d{1,2}(er)?\\s+(janvier|février|fevrier|mars|avril|mai|juin|juillet|août|aout|septembre|octobre|"
        "novembre|décembre|decembre)(\\s+\\d{2,4})?$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return date.match(inner).hasMatch();
}

// The blank-delimited stretch of text around a token: an e-mail or a web
// address holds it.
bool InAddress(QStringView text, qsizetype start, qsizetype end)
{
    qsizetype from = start;
    while (from > 0 && !text.at(from - 1).isSpace())
        --from;
    qsizetype to = end;
    while (to < text.size() && !text.at(to).isSpace())
        ++to;
    const QStringView word = text.sliced(from, to - from);
    if (word.contains(u"://") || word.startsWith(u"www.", Qt::CaseInsensitive))
        return true;
    const qsizetype at = word.indexOf(u'@', 1);
    return at > 0 && word.at(at - 1).isLetterOrNumber() && word.indexOf(u'.', at) > at;
}

// The name inside a token: its signs at either end removed.
QStringView InnerOf(QStringView token)
{
    qsizetype from = 0, to = token.size();
    while (from < to && !token.at(from).isLetterOrNumber())
        ++from;
    while (to > from && !token.at(to - 1).isLetterOrNumber())
        --to;
    return token.sliced(from, to - from);
}

bool IsOrdinaryText(QStringView text, const CodeShapes::Token& token)
{
    const QStringView whole = text.sliced(token.start, token.length);
    const QStringView inner = InnerOf(whole);
    // "25 $ puis 30 $": a code's name touches its signs.
    const qsizetype opening = inner.isEmpty() ? 0 : inner.data() - whole.data();
    const qsizetype closing = opening + inner.size();
    if (opening > 0 && whole.at(opening - 1).isSpace())
        return true;
    if (closing < whole.size() && whole.at(closing).isSpace())
        return true;
    if (std::none_of(inner.cbegin(), inner.cend(), [](QChar c) { return c.isLetter(); }))
        return true;
    return IsProse(inner) || IsDate(inner) || InAddress(text, token.start, token.start + token.length);
}

struct ShapedToken {
    CodeShapes::Token token;
    QString opening;
    QString inner;
};

// Candidates of shapes no dictionary knows, before the count per shape.
QList<ShapedToken> UnknownShapeTokens(QStringView text)
{
    QList<ShapedToken> found;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        if (!IsEnclosingSign(text.at(i)) || (i > 0 && text.at(i - 1).isLetterOrNumber())) {
            ++i;
            continue;
        }
        qsizetype innerStart = i;
        while (innerStart < size && innerStart - i < OpeningLimit && IsEnclosingSign(text.at(innerStart)))
            ++innerStart;
        if (innerStart >= size || !text.at(innerStart).isLetterOrNumber()) {
            i = innerStart;
            continue;
        }
        qsizetype innerEnd = innerStart;
        while (innerEnd < size && innerEnd - innerStart <= InnerLimit && IsInner(text.at(innerEnd)))
            ++innerEnd;
        while (innerEnd > innerStart && !text.at(innerEnd - 1).isLetterOrNumber())
            --innerEnd;
        const QStringView opening = text.sliced(i, innerStart - i);
        const QStringView rest = text.sliced(innerEnd);
        qsizetype taken = 0;
        if (innerEnd - innerStart <= InnerLimit) {
            for (qsizetype length = opening.size(); length > 0; --length) {
                const QString closing = Mirrored(opening.sliced(opening.size() - length));
                const qsizetype after = innerEnd + length;
                if (rest.startsWith(closing) && (after >= size || !text.at(after).isLetterOrNumber())) {
                    taken = length;
                    break;
                }
            }
        }
        if (taken == 0) {
            i = innerStart;
            continue;
        }
        const qsizetype start = innerStart - taken;
        found.append({{start, innerEnd + taken - start},
                      opening.sliced(opening.size() - taken).toString(),
                      text.sliced(innerStart, innerEnd - innerStart).toString().toCaseFolded()});
        i = innerEnd + taken;
    }
    return found;
}

QList<CodeShapes::Token> CodeTokens(const QString& script, const QStringList& dictionaryCodes)
{
    const CodeShapes shapes(dictionaryCodes);
    QList<CodeShapes::Token> known = shapes.tokens(script, 0, script.size());
    QList<ShapedToken> unknown = UnknownShapeTokens(script);
    QHash<QString, QSet<QString>> names; // per opening
    for (const ShapedToken& token : unknown)
        names[token.opening].insert(token.inner);

    // The dictionaries' shapes first; a token of the script alone where none overlaps.
    QList<CodeShapes::Token> tokens;
    tokens.reserve(known.size() + unknown.size());
    qsizetype k = 0;
    for (const ShapedToken& token : unknown) {
        if (names.value(token.opening).size() < 2)
            continue;
        const qsizetype start = token.token.start, end = start + token.token.length;
        while (k < known.size() && known[k].start + known[k].length <= start)
            tokens.append(known[k++]);
        if (k < known.size() && known[k].start < end)
            continue;
        tokens.append(token.token);
    }
    while (k < known.size())
        tokens.append(known[k++]);
    tokens.erase(std::remove_if(tokens.begin(), tokens.end(),
                                [&](const CodeShapes::Token& t) { return IsOrdinaryText(script, t); }),
                 tokens.end());
    return tokens;
}

// --- Evidence ---

struct CodeEvidence {
    QList<KeyCandidate> candidates;
};

double Weight(Confidence confidence, Evidence evidence, double nearness)
{
    const int c = confidence == Confidence::Sure ? 3 : confidence == Confidence::Probable ? 2 : 1;
    const int e = evidence == Evidence::Memory ? 3 : evidence == Evidence::Letter ? 2 : 1;
    return c * 100 + e * 10 + nearness * 9;
}

KeyCandidate Candidate(const QString& key, Confidence confidence, Evidence evidence, const QString& reason,
                       double nearness = 1)
{
    return {key, confidence, evidence, Weight(confidence, evidence, nearness), reason};
}

QString Others(qsizetype others)
{
    if (others <= 0)
        return {};
    return QStringLiteral(" et ") + Counted(others, "autre", "autres");
}

QString Quoted(const QString& text)
{
    return u'"' + text + u'"';
}

// The keys other dictionaries give the same code, by number of files.
void AddMemory(const QList<KeptDictionary>& kept, QList<ScriptCode>& codes, std::vector<CodeEvidence>& evidence)
{
    QHash<QString, int> wanted;
    for (int i = 0; i < codes.size(); ++i)
        wanted.insert(CodeKey(codes[i].code), i);
    struct Known {
        QString key;
        QStringList files;
    };
    std::vector<QList<Known>> known(codes.size());
    for (const KeptDictionary& dictionary : kept) {
        for (const QString& line : dictionary.lines) {
            const qsizetype equals = line.indexOf(u'=');
            if (equals <= 0)
                continue;
            const auto code = wanted.constFind(CodeKey(QStringView(line).sliced(equals + 1)));
            if (code == wanted.cend())
                continue;
            const QString key = line.left(equals);
            if (IsHeaderKey(key))
                continue;
            QList<Known>& keys = known[*code];
            auto same = std::find_if(keys.begin(), keys.end(),
                                     [&](const Known& k) { return k.key.compare(key, Qt::CaseInsensitive) == 0; });
            if (same == keys.end()) {
                keys.append({key, {}});
                same = keys.end() - 1;
            }
            if (!same->files.contains(dictionary.name))
                same->files.append(dictionary.name);
        }
    }
    for (qsizetype i = 0; i < codes.size(); ++i) {
        QList<Known>& keys = known[i];
        if (keys.isEmpty())
            continue;
        std::stable_sort(keys.begin(), keys.end(),
                         [](const Known& a, const Known& b) { return a.files.size() > b.files.size(); });
        const auto knownIn = [](const Known& k) {
            return QStringLiteral("Connu dans ") + Quoted(k.files.first()) + Others(k.files.size() - 1);
        };
        if (keys.size() == 1) {
            evidence[i].candidates.append(Candidate(keys[0].key, Confidence::Sure, Evidence::Memory, knownIn(keys[0])));
            continue;
        }
        const Known& other = keys[1];
        const QString disagreement = knownIn(keys[0]) + QStringLiteral(", mais ") + Quoted(other.files.first())
            + Others(other.files.size() - 1) + QStringLiteral(" donne ") + Quoted(other.key);
        evidence[i].candidates.append(Candidate(keys[0].key, Confidence::Probable, Evidence::Memory, disagreement));
        for (qsizetype k = 1; k < keys.size(); ++k)
            evidence[i].candidates.append(Candidate(keys[k].key, Confidence::ToCheck, Evidence::Memory, knownIn(keys[k])));
    }
}

// The user's codes in their letter: tokens of their shapes, and the codes
// themselves where they have none (SIGNAL("dn")).
QList<CodeShapes::Token> LetterCodeTokens(const QString& letter, const QStringList& userCodes)
{
    QList<CodeShapes::Token> tokens = CodeShapes(userCodes).tokens(letter, 0, letter.size());
    QStringList folded;
    for (const QString& code : userCodes)
        folded.append(Folded(code));
    CodeAutomaton(folded).forEachMatch(Folded(letter), [&](qsizetype code, qsizetype start) {
        tokens.append({start, userCodes[code].size()});
    });
    std::sort(tokens.begin(), tokens.end(), [](const CodeShapes::Token& a, const CodeShapes::Token& b) {
        return a.start != b.start ? a.start < b.start : a.length > b.length;
    });
    QList<CodeShapes::Token> apart;
    for (const CodeShapes::Token& token : tokens) {
        if (apart.isEmpty() || token.start >= apart.back().start + apart.back().length)
            apart.append(token);
    }
    return apart;
}

// The user's codes standing where the correspondent's stand in the same letter.
void AddLetter(const RecognitionInput& input, const ScriptCodes& found, std::vector<CodeEvidence>& evidence)
{
    if (input.letter.trimmed().isEmpty())
        return;
    QHash<QString, QString> keyOfCode; // the user's code, folded, to its universal key
    QStringList userCodes;
    for (const QString& line : input.internalLines) {
        const QString key = DictionaryLines::KeyOfLine(line);
        const QString code = DictionaryLines::ValueOfLine(line);
        if (key.isEmpty() || IsHeaderKey(key) || code.trimmed().isEmpty() || !line.contains(u'='))
            continue;
        userCodes.append(code.trimmed());
        keyOfCode.insert(CodeKey(code), key);
    }
    // A letter in the universal language names its keys.
    for (const QString& question : input.questions) {
        if (!IsHeaderKey(question) && question.startsWith(u'<')) {
            userCodes.append(question);
            if (!keyOfCode.contains(CodeKey(question)))
                keyOfCode.insert(CodeKey(question), question);
        }
    }
    const QList<CodeShapes::Token> letterTokens = LetterCodeTokens(input.letter, userCodes);
    const QList<AlignedCode> aligned = AlignLetters(input.script, found.tokens, input.letter, letterTokens);

    struct Vote {
        QString key;
        QList<qsizetype> places;
    };
    std::vector<QList<Vote>> votes(found.codes.size());
    for (const AlignedCode& pair : aligned) {
        const int code = found.codeOfToken[pair.externalCode];
        if (code < 0)
            continue;
        const CodeShapes::Token& t = letterTokens[pair.letterCode];
        const auto key = keyOfCode.constFind(CodeKey(QStringView(input.letter).sliced(t.start, t.length)));
        if (key == keyOfCode.cend())
            continue;
        QList<Vote>& forCode = votes[code];
        auto same = std::find_if(forCode.begin(), forCode.end(),
                                 [&](const Vote& v) { return v.key.compare(*key, Qt::CaseInsensitive) == 0; });
        if (same == forCode.end()) {
            forCode.append({*key, {}});
            same = forCode.end() - 1;
        }
        same->places.append(found.tokens[pair.externalCode].start);
    }
    const auto lineOf = [&](qsizetype at) {
        return int(QStringView(input.script).first(at).count(u'\n')) + 1;
    };
    const QString fromLetter = QStringLiteral("D'après la lettre traduite");
    for (qsizetype i = 0; i < qsizetype(votes.size()); ++i) {
        QList<Vote>& forCode = votes[i];
        if (forCode.isEmpty())
            continue;
        std::stable_sort(forCode.begin(), forCode.end(),
                         [](const Vote& a, const Vote& b) { return a.places.size() > b.places.size(); });
        if (forCode.size() == 1) {
            evidence[i].candidates.append(Candidate(forCode[0].key, Confidence::Sure, Evidence::Letter, fromLetter));
            continue;
        }
        QList<int> lines;
        QStringList keys;
        for (qsizetype v = 1; v < forCode.size(); ++v) {
            keys.append(Quoted(forCode[v].key));
            for (const qsizetype at : forCode[v].places)
                lines.append(lineOf(at));
        }
        std::sort(lines.begin(), lines.end());
        lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
        const QString reason = fromLetter + QStringLiteral(", sauf ") + (lines.size() > 1 ? "lignes " : "ligne ")
            + LinesText(lines) + QStringLiteral(" (") + keys.join(QStringLiteral(", ")) + u')';
        evidence[i].candidates.append(Candidate(forCode[0].key, Confidence::Probable, Evidence::Letter, reason));
        for (qsizetype v = 1; v < forCode.size(); ++v)
            evidence[i].candidates.append(Candidate(forCode[v].key, Confidence::ToCheck, Evidence::Letter, fromLetter));
    }
}

QList<NameMatcher::Key> UniversalKeys(const RecognitionInput& input)
{
    QList<NameMatcher::Key> keys;
    QSet<QString> seen;
    const auto add = [&](const QString& key) {
        if (key.isEmpty() || IsHeaderKey(key) || key.contains(u'='))
            return;
        const QString folded = key.toCaseFolded();
        if (seen.contains(folded))
            return;
        seen.insert(folded);
        keys.append({key, input.definitions.value(QuestionName(key).toUpper())});
    };
    for (const QString& question : input.questions)
        add(question);
    const auto addKeys = [&](const QStringList& lines) {
        for (const QString& line : lines) {
            if (line.contains(u'='))
                add(DictionaryLines::KeyOfLine(line));
        }
    };
    addKeys(input.externalLines);
    addKeys(input.internalLines);
    for (const KeptDictionary& dictionary : input.kept)
        addKeys(dictionary.lines);
    return keys;
}

void AddNames(const RecognitionInput& input, const QList<ScriptCode>& codes, std::vector<CodeEvidence>& evidence)
{
    const NameMatcher matcher(UniversalKeys(input));
    for (qsizetype i = 0; i < codes.size(); ++i) {
        for (const NameMatcher::Match& match : matcher.matches(codes[i].code, ToCheckScore, Proposed)) {
            QString reason = QStringLiteral("Nom proche de ") + Quoted(match.key);
            if (!match.gloss.isEmpty())
                reason += QStringLiteral(" (« ") + match.gloss + QStringLiteral(" »)");
            const Confidence confidence = match.score >= ProbableScore ? Confidence::Probable : Confidence::ToCheck;
            evidence[i].candidates.append(Candidate(match.key, confidence, Evidence::Names, reason, match.score));
        }
    }
}

// One candidate per key, the strongest; a sure one that other evidence
// contradicts is only probable.
QList<KeyCandidate> Merged(QList<KeyCandidate> candidates)
{
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const KeyCandidate& a, const KeyCandidate& b) { return a.weight > b.weight; });
    QList<KeyCandidate> merged;
    QSet<QString> keys;
    for (const KeyCandidate& candidate : candidates) {
        const QString folded = candidate.key.toCaseFolded();
        if (keys.contains(folded))
            continue;
        keys.insert(folded);
        merged.append(candidate);
    }
    if (merged.size() > 1 && merged[0].confidence == Confidence::Sure) {
        const auto contradiction = std::find_if(merged.cbegin() + 1, merged.cend(), [](const KeyCandidate& c) {
            return c.evidence != Evidence::Names && c.confidence != Confidence::ToCheck;
        });
        if (contradiction != merged.cend()) {
            merged[0].reason += QStringLiteral(" ; autre indice : ") + Quoted(contradiction->key);
            for (KeyCandidate& candidate : merged) {
                if (candidate.confidence == Confidence::Sure) {
                    candidate.confidence = Confidence::Probable;
                    candidate.weight = Weight(Confidence::Probable, candidate.evidence, 1);
                }
            }
            std::stable_sort(merged.begin(), merged.end(),
                             [](const KeyCandidate& a, const KeyCandidate& b) { return a.weight > b.weight; });
        }
    }
    return merged;
}

int Rank(Confidence confidence)
{
    return confidence == Confidence::ToCheck ? 0 : confidence == Confidence::Probable ? 1 : 2;
}

} // namespace

ScriptCodes FindScriptCodes(const QString& script, const QStringList& dictionaryCodes, const QStringList& externalValues)
{
    ScriptCodes found;
    found.tokens = CodeTokens(script, dictionaryCodes);
    QSet<QString> known;
    for (const QString& value : externalValues)
        known.insert(CodeKey(value));
    QHash<QString, int> codeOf;
    std::vector<std::map<QString, int>> spellings;
    found.codeOfToken.reserve(found.tokens.size());
    for (const CodeShapes::Token& token : found.tokens) {
        const QString text = script.sliced(token.start, token.length);
        const QString key = CodeKey(text);
        if (known.contains(key)) {
            found.codeOfToken.append(-1);
            continue;
        }
        auto code = codeOf.constFind(key);
        if (code == codeOf.cend()) {
            code = codeOf.insert(key, int(found.codes.size()));
            found.codes.append({text, 0, token.start});
            spellings.emplace_back();
        }
        found.codeOfToken.append(*code);
        ++found.codes[*code].occurrences;
        ++spellings[*code][text];
    }
    for (qsizetype i = 0; i < found.codes.size(); ++i) {
        int most = 0;
        for (const auto& [text, count] : spellings[i]) {
            if (count > most) {
                most = count;
                found.codes[i].code = text;
            }
        }
    }
    return found;
}

QString ConfidenceText(Confidence confidence)
{
    switch (confidence) {
    case Confidence::Sure:
        return QStringLiteral("sûre");
    case Confidence::Probable:
        return QStringLiteral("probable");
    case Confidence::ToCheck:
        return QStringLiteral("à vérifier");
    }
    return {};
}

QList<RecognitionRow> RecogniseCodes(const RecognitionInput& input)
{
    QStringList dictionaryCodes;
    QStringList externalValues;
    for (const QString& line : input.externalLines) {
        if (line.contains(u'=')) {
            externalValues.append(DictionaryLines::ValueOfLine(line));
            dictionaryCodes.append(externalValues.back().trimmed());
        }
    }
    const auto addCodes = [&](const QStringList& lines) {
        for (const QString& line : lines) {
            if (line.contains(u'=') && !IsHeaderKey(DictionaryLines::KeyOfLine(line)))
                dictionaryCodes.append(DictionaryLines::ValueOfLine(line).trimmed());
        }
    };
    addCodes(input.internalLines);
    for (const KeptDictionary& dictionary : input.kept)
        addCodes(dictionary.lines);

    const ScriptCodes found = FindScriptCodes(input.script, dictionaryCodes, externalValues);
    QList<ScriptCode> codes = found.codes;
    std::vector<CodeEvidence> evidence(codes.size());
    AddMemory(input.kept, codes, evidence);
    AddLetter(input, found, evidence);
    AddNames(input, codes, evidence);

    QList<RecognitionRow> rows;
    rows.reserve(codes.size());
    for (qsizetype i = 0; i < codes.size(); ++i)
        rows.append({codes[i].code, codes[i].occurrences, {}, Confidence::ToCheck, {}, Merged(evidence[i].candidates), false});

    // The strongest claims first; a key the external dictionary already
    // gives a code is nobody's.
    QHash<QString, qsizetype> holder; // folded key to row, or -1
    for (const QString& line : input.externalLines) {
        if (line.contains(u'=') && !DictionaryLines::ValueOfLine(line).trimmed().isEmpty())
            holder.insert(DictionaryLines::KeyOfLine(line).toCaseFolded(), -1);
    }
    struct Claim {
        qsizetype row;
        qsizetype candidate;
    };
    QList<Claim> claims;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < rows[r].candidates.size(); ++c)
            claims.append({r, c});
    }
    std::stable_sort(claims.begin(), claims.end(), [&](const Claim& a, const Claim& b) {
        const KeyCandidate& x = rows[a.row].candidates[a.candidate];
        const KeyCandidate& y = rows[b.row].candidates[b.candidate];
        if (x.weight != y.weight)
            return x.weight > y.weight;
        return rows[a.row].occurrences > rows[b.row].occurrences;
    });
    std::vector<bool> placed(rows.size(), false);
    for (const Claim& claim : claims) {
        RecognitionRow& row = rows[claim.row];
        const KeyCandidate& candidate = row.candidates[claim.candidate];
        const QString folded = candidate.key.toCaseFolded();
        if (placed[claim.row] || holder.contains(folded))
            continue;
        placed[claim.row] = true;
        holder.insert(folded, claim.row);
        row.key = candidate.key;
        row.confidence = candidate.confidence;
        row.reason = candidate.reason;
        if (claim.candidate > 0) {
            // Its best key went elsewhere: say where, and never call it sure.
            const KeyCandidate& best = row.candidates.first();
            const qsizetype other = holder.value(best.key.toCaseFolded(), -1);
            row.reason += QStringLiteral(" ; ") + Quoted(best.key)
                + (other >= 0 ? QStringLiteral(" va à ") + Quoted(rows[other].code)
                              : QStringLiteral(" est déjà dans le dictionnaire"));
            if (row.confidence == Confidence::Sure)
                row.confidence = Confidence::Probable;
        }
    }
    for (qsizetype r = 0; r < rows.size(); ++r) {
        RecognitionRow& row = rows[r];
        if (!placed[r] && !row.candidates.isEmpty()) {
            const QString& best = row.candidates.first().key;
            const qsizetype other = holder.value(best.toCaseFolded(), -1);
            row.reason = Quoted(best)
                + (other >= 0 ? QStringLiteral(" va à ") + Quoted(rows[other].code)
                              : QStringLiteral(" est déjà dans le dictionnaire"));
        }
        if (row.candidates.size() > Proposed)
            row.candidates.resize(Proposed);
        row.ticked = row.confidence == Confidence::Sure && !row.key.isEmpty();
    }
    std::stable_sort(rows.begin(), rows.end(), [](const RecognitionRow& a, const RecognitionRow& b) {
        return Rank(a.confidence) < Rank(b.confidence);
    });
    return rows;
}

QString RecognitionSummary(const QList<RecognitionRow>& rows)
{
    qsizetype sure = 0, probable = 0, toCheck = 0;
    for (const RecognitionRow& row : rows) {
        if (row.confidence == Confidence::Sure)
            ++sure;
        else if (row.confidence == Confidence::Probable)
            ++probable;
        else
            ++toCheck;
    }
    return Counted(rows.size(), "code à reconnaître", "codes à reconnaître") + QStringLiteral(" : ")
        + Counted(sure, "sûr", "sûrs") + QStringLiteral(", ") + Counted(probable, "probable", "probables")
        + QStringLiteral(", ") + QString::number(toCheck) + QStringLiteral(" à vérifier");
}

QStringList RecognitionCells(const RecognitionRow& row)
{
    return {row.code, QString::number(row.occurrences), row.key, ConfidenceText(row.confidence), row.reason};
}

FindingsTable RecognitionTable(const QList<RecognitionRow>& rows)
{
    FindingsTable table;
    table.columns = {QStringLiteral("Code"), QStringLiteral("Occurrences"), QStringLiteral("Clé proposée"),
                     QStringLiteral("Confiance"), QStringLiteral("Raison")};
    table.numberColumns = {1};
    for (const RecognitionRow& row : rows)
        table.rows.append({RecognitionCells(row), false});
    return table;
}

std::optional<QString> TypedKey(const QString& text)
{
    QString name = text.trimmed();
    if (name.startsWith(u'<'))
        name.remove(0, 1);
    if (name.endsWith(u'>'))
        name.chop(1);
    name = name.trimmed();
    name.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral("_"));
    if (name.isEmpty() || name.contains(u'=') || name.contains(u'<') || name.contains(u'>'))
        return std::nullopt;
    return u'<' + name + u'>';
}

void ChooseKey(RecognitionRow& row, const QString& key)
{
    row.key = key;
    row.ticked = true;
    const auto candidate = std::find_if(row.candidates.cbegin(), row.candidates.cend(), [&](const KeyCandidate& c) {
        return c.key.compare(key, Qt::CaseInsensitive) == 0;
    });
    if (candidate != row.candidates.cend()) {
        row.confidence = candidate->confidence;
        row.reason = candidate->reason;
    } else {
        row.confidence = Confidence::ToCheck;
        row.reason.clear();
    }
}

std::optional<QString> AddToExternal(DictionaryLines& external, const QString& key, const QString& code)
{
    const QString value = external.ValueOf(key);
    if (!value.isEmpty())
        return value;
    external.SetValueOf(key, code);
    return std::nullopt;
}

QString AlreadyInDictionary(const QString& value)
{
    return QStringLiteral("Déjà ") + Quoted(value) + QStringLiteral(" dans le dictionnaire");
}

QString AddedSummary(int added)
{
    return Counted(added, "ligne ajoutée", "lignes ajoutées") + QStringLiteral(" au dictionnaire externe");
}

QString QuestionDefinition(const QStringList& lines)
{
    static const QRegularExpression definition(QStringLiteral("^\\s*d[ée]finition\\s*:(.*)$"),
                                               QRegularExpression::CaseInsensitiveOption);
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = definition.match(line);
        if (match.hasMatch())
            return match.captured(1).trimmed();
    }
    return {};
}

} // namespace polyx
