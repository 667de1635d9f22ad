#include "scripts/translation/ReplacementTrail.h"

#include <algorithm>

namespace polyx {

ReplacementTrail::ReplacementTrail(qsizetype oldSize)
    : m_tree(oldSize + 1, 0), m_weight(oldSize, 1), m_pieceAt(oldSize, -1), m_total(oldSize)
{
    for (qsizetype i = 1; i <= oldSize; ++i)
        m_tree[i] = i & -i; // every weight 1
    while (qsizetype(m_topBit) * 2 <= oldSize)
        m_topBit *= 2;
}

qsizetype ReplacementTrail::Prefix(qsizetype oldPosition) const
{
    qsizetype sum = 0;
    for (qsizetype i = oldPosition; i > 0; i -= i & -i)
        sum += m_tree[i];
    return sum;
}

qsizetype ReplacementTrail::Locate(qsizetype newPosition) const
{
    // The smallest old position whose prefix including it passes newPosition.
    qsizetype at = 0;
    qsizetype rest = newPosition;
    const qsizetype size = qsizetype(m_weight.size());
    for (qsizetype step = m_topBit; step > 0; step /= 2) {
        if (at + step <= size && m_tree[at + step] <= rest) {
            at += step;
            rest -= m_tree[at];
        }
    }
    return at;
}

void ReplacementTrail::SetWeight(qsizetype oldPosition, qsizetype weight)
{
    const qsizetype change = weight - m_weight[oldPosition];
    if (change == 0)
        return;
    m_weight[oldPosition] = weight;
    m_total += change;
    for (qsizetype i = oldPosition + 1; i < qsizetype(m_tree.size()); i += i & -i)
        m_tree[i] += change;
}

void ReplacementTrail::Cover(qsizetype oldStart, qsizetype oldEnd, qsizetype newLength, int owner)
{
    const auto piece = std::int32_t(m_pieces.size());
    for (qsizetype i = oldStart; i < oldEnd; ++i) {
        if (m_pieceAt[i] >= 0)
            m_pieces[m_pieceAt[i]].alive = false;
        m_pieceAt[i] = piece;
        SetWeight(i, i == oldStart ? newLength : 0);
    }
    m_pieces.push_back(Piece{oldStart, oldEnd, owner, true});
}

void ReplacementTrail::Replaced(const QList<qsizetype>& positions, qsizetype codeLength,
                                qsizetype insertedLength, int owner)
{
    if (codeLength <= 0)
        return;
    qsizetype shift = 0; // this call's earlier replacements, already made
    for (const qsizetype position : positions) {
        const qsizetype at = position + shift;
        shift += insertedLength - codeLength;
        if (at < 0 || at + codeLength > m_total)
            continue; // not the text this trail follows
        qsizetype first = Locate(at);
        qsizetype last = Locate(at + codeLength - 1);
        bool untouched = last - first == codeLength - 1;
        for (qsizetype i = first; untouched && i <= last; ++i)
            untouched = m_pieceAt[i] < 0;
        if (!untouched) {
            // Across inserted text: the pieces it touches become one.
            if (m_pieceAt[first] >= 0)
                first = m_pieces[m_pieceAt[first]].oldStart;
            qsizetype end = last + 1;
            if (m_pieceAt[last] >= 0)
                end = m_pieces[m_pieceAt[last]].oldEnd;
            const qsizetype length = Prefix(end) - Prefix(first) + insertedLength - codeLength;
            Cover(first, end, length, owner);
            continue;
        }
        Cover(first, last + 1, insertedLength, owner);
    }
}

QList<ReplacementTrail::Span> ReplacementTrail::InsertedSpans() const
{
    QList<Span> spans;
    for (const Piece& piece : m_pieces) {
        if (piece.alive)
            spans.append(Span{0, m_weight[piece.oldStart], piece.owner});
    }
    // Pieces never overlap in the old text, so old order is new order.
    QList<qsizetype> starts;
    starts.reserve(spans.size());
    for (const Piece& piece : m_pieces) {
        if (piece.alive)
            starts.append(piece.oldStart);
    }
    QList<qsizetype> order(spans.size());
    for (qsizetype i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) { return starts[a] < starts[b]; });
    QList<Span> sorted;
    sorted.reserve(spans.size());
    for (const qsizetype i : order) {
        Span span = spans[i];
        span.start = Prefix(starts[i]);
        sorted.append(span);
    }
    return sorted;
}

ReplacementTrail::Span ReplacementTrail::WhereNow(qsizetype at, qsizetype length) const
{
    const qsizetype size = qsizetype(m_weight.size());
    at = std::clamp<qsizetype>(at, 0, size);
    qsizetype end = std::clamp<qsizetype>(at + length, at, size);
    qsizetype start = at;
    int owner = -1;
    for (qsizetype i = at; i < end; ++i) {
        const std::int32_t piece = m_pieceAt[i];
        if (piece < 0)
            continue;
        const Piece& p = m_pieces[piece];
        start = std::min(start, p.oldStart);
        end = std::max(end, p.oldEnd);
        owner = p.owner;
        i = p.oldEnd - 1;
    }
    const qsizetype newStart = Prefix(start);
    return Span{newStart, Prefix(end) - newStart, owner};
}

} // namespace polyx
