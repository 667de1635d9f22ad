#pragma once
#include <QList>
#include <QString>
#include <QStringView>

#include <vector>

namespace polyx {

// Case-folded unit for unit, so positions stay those of the original: a
// surrogate pair folds as one character and stays a pair. The replacement's
// notion of "the same letters in another case".
QString Folded(QStringView text);

// The text of a script under translation, with a case-folded copy and the
// count of each folded character, so that finding a code costs one vector
// pass looking for its two rarest characters rather than a comparison at
// every position of the whole text.
//
// Occurrences in any letter case are given left to right without overlap,
// inside words too; a search resumed after an inserted replacement sees
// only the old text that follows, so they are exactly the occurrences a
// replace-all meets. Letter case is compared as QString does with
// Qt::CaseInsensitive. An empty code occurs nowhere.
class SearchableText {
public:
    explicit SearchableText(QString text);

    const QString& text() const { return m_text; }
    bool containsExactly(const QString& code) const;
    QList<qsizetype> occurrencesIgnoringCase(const QString& code) const;
    // Each occurrence (of `codeLength` characters, at the given ascending
    // positions) becomes `replacement`; edited in place, so a long script
    // is not copied for every code.
    void replace(const QList<qsizetype>& positions, qsizetype codeLength,
                 QStringView replacement);

private:
    struct Search {
        QString code;
        bool exact = false;
        QList<qsizetype> positions;
    };
    // A test is mostly followed by the replacement of the same code: one
    // pass serves both.
    const Search& search(const QString& code) const;
    void count(QStringView folded, qsizetype times, int sign);

    QString m_text;
    QString m_folded; // same length and positions as m_text
    std::vector<qsizetype> m_counts; // per folded UTF-16 unit
    mutable Search m_last;
    mutable bool m_lastValid = false;
};

} // namespace polyx
