#include "scripts/translation/LetterAlignment.h"

#include <QHash>
#include <QString>

#include <vector>

namespace polyx {
namespace {

// Words on each side of a code that take part; the score counts them.
constexpr int Reach = 5;
// Fewer words alike than this is chance.
constexpr int LeastScore = 3;
constexpr int CodeToken = -1;

struct Sequence {
    std::vector<int> tokens;         // word ids, CodeToken for a code
    std::vector<qsizetype> codeAt;   // per code, its index in tokens
};

Sequence Tokenise(QStringView text, const QList<CodeShapes::Token>& codes, QHash<QString, int>& words)
{
    Sequence sequence;
    sequence.codeAt.reserve(codes.size());
    qsizetype next = 0;
    QString word;
    const auto endWord = [&] {
        if (word.isEmpty())
            return;
        auto found = words.constFind(word);
        if (found == words.cend())
            found = words.insert(word, int(words.size()));
        sequence.tokens.push_back(*found);
        word.clear();
    };
    for (qsizetype i = 0; i < text.size();) {
        if (next < codes.size() && codes[next].start == i) {
            endWord();
            sequence.codeAt.push_back(qsizetype(sequence.tokens.size()));
            sequence.tokens.push_back(CodeToken);
            i += codes[next].length;
            ++next;
            continue;
        }
        const QChar c = text.at(i);
        if (c.isLetterOrNumber())
            word.append(c.toLower());
        else
            endWord();
        ++i;
    }
    endWord();
    return sequence;
}

// How many tokens on each side of the two codes are alike, from the code outward.
int ContextScore(const Sequence& a, qsizetype at, const Sequence& b, qsizetype bt)
{
    int score = 0;
    for (int step = 1; step <= Reach; ++step) {
        const qsizetype i = at - step, j = bt - step;
        if (i < 0 || j < 0 || a.tokens[i] != b.tokens[j])
            break;
        ++score;
    }
    for (int step = 1; step <= Reach; ++step) {
        const qsizetype i = at + step, j = bt + step;
        if (i >= qsizetype(a.tokens.size()) || j >= qsizetype(b.tokens.size()) || a.tokens[i] != b.tokens[j])
            break;
        ++score;
    }
    return score;
}

} // namespace

QList<AlignedCode> AlignLetters(QStringView external, const QList<CodeShapes::Token>& externalCodes,
                                QStringView letter, const QList<CodeShapes::Token>& letterCodes)
{
    QHash<QString, int> words;
    const Sequence a = Tokenise(external, externalCodes, words);
    const Sequence b = Tokenise(letter, letterCodes, words);
    // The letter's codes by their text, so that a second place of the same
    // code never counts as a rival.
    QHash<QString, int> letterCodeIds;
    std::vector<int> letterCodeId(letterCodes.size());
    for (qsizetype j = 0; j < letterCodes.size(); ++j) {
        const QString text = letter.sliced(letterCodes[j].start, letterCodes[j].length).toString().toCaseFolded();
        auto found = letterCodeIds.constFind(text);
        if (found == letterCodeIds.cend())
            found = letterCodeIds.insert(text, int(letterCodeIds.size()));
        letterCodeId[j] = *found;
    }

    QList<AlignedCode> aligned;
    for (qsizetype i = 0; i < qsizetype(a.codeAt.size()); ++i) {
        int best = 0, rival = 0;
        qsizetype bestAt = -1;
        for (qsizetype j = 0; j < qsizetype(b.codeAt.size()); ++j) {
            const int score = ContextScore(a, a.codeAt[i], b, b.codeAt[j]);
            if (score > best) {
                if (bestAt >= 0 && letterCodeId[j] != letterCodeId[bestAt])
                    rival = best;
                best = score;
                bestAt = j;
            } else if (bestAt >= 0 && letterCodeId[j] != letterCodeId[bestAt] && score > rival) {
                rival = score;
            }
        }
        if (bestAt >= 0 && best >= LeastScore && best > rival)
            aligned.append({i, bestAt});
    }
    return aligned;
}

} // namespace polyx
