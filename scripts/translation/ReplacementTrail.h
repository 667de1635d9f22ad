#pragma once
#include <QList>
#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace polyx {

// Follows a run's replacements from the text before it to the text after
// it, so that the report knows where each inserted text stands in the end
// and where a piece of the old text went. Each character of the old text
// weighs 1 while untouched; a replaced occurrence gives its first character
// the inserted length and the others 0. A Fenwick tree over the weights
// turns a position in the text of any moment into an old one and back in
// logarithmic time, so a run of thousands of entries over a long script
// costs little more than its own replacements.
class ReplacementTrail {
public:
    explicit ReplacementTrail(qsizetype oldSize);

    // One replace-all: `codeLength` characters at ascending `positions` of
    // the text as it stood, each now `insertedLength` long, made by `owner`.
    void Replaced(const QList<qsizetype>& positions, qsizetype codeLength,
                  qsizetype insertedLength, int owner);

    struct Span {
        qsizetype start = 0;
        qsizetype length = 0;
        int owner = -1;
    };
    // The inserted texts in the new text, ascending. A replacement made
    // across earlier inserted text joins them into one span of its owner.
    QList<Span> InsertedSpans() const;
    // Where old text [at, at + length) stands now: as it was when no
    // replacement touched it, otherwise the span of what replaced it.
    Span WhereNow(qsizetype at, qsizetype length) const;

private:
    struct Piece {
        qsizetype oldStart;
        qsizetype oldEnd;
        int owner;
        bool alive;
    };
    qsizetype Prefix(qsizetype oldPosition) const; // new position of an old one
    qsizetype Locate(qsizetype newPosition) const; // old position holding a new one
    void SetWeight(qsizetype oldPosition, qsizetype weight);
    void Cover(qsizetype oldStart, qsizetype oldEnd, qsizetype newLength, int owner);

    std::vector<qsizetype> m_tree;        // Fenwick, 1-based
    std::vector<qsizetype> m_weight;
    std::vector<std::int32_t> m_pieceAt;  // -1 while untouched
    std::vector<Piece> m_pieces;
    qsizetype m_total = 0;
    int m_topBit = 1;
};

} // namespace polyx
