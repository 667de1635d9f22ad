#pragma once
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace polyx {

// The words of a code or of a key's name: the signs around it removed, split
// at "_ . - : '" and blanks, where a small letter is followed by a capital and
// between letters and digits; accents and case folded; the small words of
// French ("de", "la", "du"...) left out. "$Date_Naiss$" gives date, naiss.
QStringList NameWords(QStringView name);

// How near a code's name comes to the name of each universal key, to its
// question's "Définition" and to what their abbreviations stand for
// (MedicalAbbreviations, both ways).
class NameMatcher {
public:
    struct Key {
        QString key;        // "<DDN>"
        QString definition; // the information file's "Définition", or empty
    };
    explicit NameMatcher(const QList<Key>& keys);

    struct Match {
        QString key;
        double score = 0; // 1 for the same words
        QString gloss;    // what the match went through: an abbreviation's meaning or the definition
    };
    // The keys scoring at least `floor`, best first, at most `count` of them.
    QList<Match> matches(const QString& code, double floor, int count) const;

    // Two lists of words: 1 for the same words, 0 for none in common.
    static double Similarity(const QStringList& a, const QStringList& b);

private:
    struct Variant {
        int key;
        QStringList words;
        QString gloss;
    };
    std::vector<Variant> m_variants;
    QStringList m_keys;
    QHash<QString, std::vector<int>> m_byWordStart; // word's first letters to variants
};

} // namespace polyx
