#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace polyx {

// The text in the RTF source of a kept part (RtfFormats.h), as a translation
// reads and rewrites it. Each stretch of text between control words and
// group marks stands on a line of its own ('\n' between), \'hh decoded in
// the document's code page, \uN as its character; what only holds data
// (pictures, shape property names, font and style tables) is left out.
class RtfKeptText {
public:
    RtfKeptText(QByteArray source, int codePage);

    const QByteArray& source() const { return m_source; }
    const QString& text() const { return m_text; }

    // Replaces the text's characters [position, position + length) for
    // each position, left to right, with replacement written as RTF text;
    // answers, for each one replaced, the place it stood in: "en-tête",
    // "pied de page", "note", "commentaire", "zone de texte", "champ",
    // "signet" or "propriétés". A stretch broken by formatting is left.
    QStringList replace(const QList<qsizetype>& positions, qsizetype length, const QString& replacement);

private:
    struct Char {
        qsizetype start = -1; // its bytes in the source; -1 for a line break between stretches
        qsizetype end = -1;
        int group = 0;        // the outer group it stands in
    };
    void read();

    QByteArray m_source;
    int m_codePage;
    QString m_text;
    std::vector<Char> m_chars; // one per character of m_text
    QStringList m_places;      // of each outer group
};

} // namespace polyx
