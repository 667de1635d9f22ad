#include "scripts/translation/SearchableText.h"

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace polyx {

QString Folded(QStringView text)
{
    QString folded(text.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(folded.data());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = text.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < size
            && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            const char16_t low = text.at(i + 1).unicode();
            const char32_t folded32 = QChar::toCaseFolded(QChar::surrogateToUcs4(unit, low));
            const bool pair = QChar::requiresSurrogates(folded32);
            out[i] = pair ? QChar::highSurrogate(folded32) : unit;
            out[i + 1] = pair ? QChar::lowSurrogate(folded32) : low;
            ++i;
        } else {
            out[i] = char16_t(QChar::toCaseFolded(char32_t(unit)));
        }
    }
    return folded;
}

namespace {

bool SameAt(const QString& text, qsizetype at, QStringView code)
{
    return std::memcmp(text.constData() + at, code.data(), code.size() * sizeof(QChar)) == 0;
}

// Calls `found(p)` in ascending order for every p where text[p] == first
// and text[p + distance] == second. Two characters cut the candidates far
// below what any single one does when codes share their characters.
template<typename Found>
void ForEachPair(QStringView text, char16_t first, qsizetype distance, char16_t second,
                 Found found)
{
    const char16_t* data = reinterpret_cast<const char16_t*>(text.data());
    const qsizetype end = text.size() - distance; // candidates p < end
    qsizetype p = 0;
#ifdef __SSE2__
    const __m128i wantFirst = _mm_set1_epi16(short(first));
    const __m128i wantSecond = _mm_set1_epi16(short(second));
    for (; p + 8 <= end; p += 8) {
        const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p));
        const __m128i atSecond =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p + distance));
        unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(
            _mm_cmpeq_epi16(atFirst, wantFirst), _mm_cmpeq_epi16(atSecond, wantSecond))));
        while (mask) {
            const int bit = std::countr_zero(mask);
            found(p + bit / 2);
            mask &= ~(3u << bit);
        }
    }
#endif
    for (; p < end; ++p) {
        if (data[p] == first && data[p + distance] == second)
            found(p);
    }
}

void ReplaceInPlace(QString& text, const QList<qsizetype>& positions, qsizetype codeLength,
                    QStringView replacement)
{
    const qsizetype count = positions.size();
    const qsizetype oldSize = text.size();
    const qsizetype grow = replacement.size() - codeLength;
    const qsizetype unit = sizeof(QChar);
    if (grow > 0)
        text.resize(oldSize + count * grow);
    QChar* data = text.data();
    const QChar* with = replacement.data();
    const qsizetype withSize = replacement.size();
    if (grow > 0) {
        // From the right, so nothing is overwritten before it has moved.
        qsizetype readEnd = oldSize;
        qsizetype writeEnd = text.size();
        for (qsizetype i = count - 1; i >= 0; --i) {
            const qsizetype tail = readEnd - (positions.at(i) + codeLength);
            writeEnd -= tail;
            std::memmove(data + writeEnd, data + readEnd - tail, tail * unit);
            writeEnd -= withSize;
            std::memcpy(data + writeEnd, with, withSize * unit);
            readEnd = positions.at(i);
        }
        return;
    }
    qsizetype write = positions.first();
    for (qsizetype i = 0; i < count; ++i) {
        // An empty replacement may have no storage at all: memcpy forbids null.
        if (withSize > 0)
            std::memcpy(data + write, with, withSize * unit);
        write += withSize;
        const qsizetype from = positions.at(i) + codeLength;
        const qsizetype to = i + 1 < count ? positions.at(i + 1) : oldSize;
        if (grow < 0)
            std::memmove(data + write, data + from, (to - from) * unit);
        write += to - from;
    }
    text.resize(write);
}

} // namespace

SearchableText::SearchableText(QString text)
    : m_text(std::move(text)), m_folded(Folded(m_text)), m_counts(0x10000, 0)
{
    count(m_folded, 1, 1);
}

void SearchableText::count(QStringView folded, qsizetype times, int sign)
{
    for (const QChar c : folded)
        m_counts[c.unicode()] += sign * times;
}

const SearchableText::Search& SearchableText::search(const QString& code) const
{
    if (m_lastValid && m_last.code == code)
        return m_last;
    m_last = Search{code, false, {}};
    m_lastValid = true;
    if (code.isEmpty())
        return m_last;
    const QString foldedCode = Folded(code);
    // Every match, overlapping ones included, so that an exact occurrence
    // hidden inside a larger match in another case is still seen.
    const qsizetype length = foldedCode.size();
    qsizetype nextFree = 0;
    auto candidate = [&](qsizetype at) {
        if (at < 0 || at > m_folded.size() - length || !SameAt(m_folded, at, foldedCode))
            return;
        if (!m_last.exact && SameAt(m_text, at, code))
            m_last.exact = true;
        if (at >= nextFree) {
            m_last.positions.append(at);
            nextFree = at + length;
        }
    };
    if (length == 1) {
        for (qsizetype at = m_folded.indexOf(foldedCode.front()); at >= 0;
             at = m_folded.indexOf(foldedCode.front(), at + 1))
            candidate(at);
        return m_last;
    }
    // The code's two rarest characters in the text, in their order.
    auto rarity = [&](qsizetype i) { return m_counts[foldedCode.at(i).unicode()]; };
    qsizetype rarest = 0;
    for (qsizetype i = 1; i < length; ++i) {
        if (rarity(i) < rarity(rarest))
            rarest = i;
    }
    if (rarity(rarest) == 0)
        return m_last;
    qsizetype other = rarest == 0 ? 1 : 0;
    for (qsizetype i = 0; i < length; ++i) {
        if (i != rarest && rarity(i) < rarity(other))
            other = i;
    }
    const qsizetype first = std::min(rarest, other);
    const qsizetype second = std::max(rarest, other);
    ForEachPair(m_folded, foldedCode.at(first).unicode(), second - first,
                foldedCode.at(second).unicode(), [&](qsizetype p) { candidate(p - first); });
    return m_last;
}

bool SearchableText::containsExactly(const QString& code) const
{
    return search(code).exact;
}

QList<qsizetype> SearchableText::occurrencesIgnoringCase(const QString& code) const
{
    return search(code).positions;
}

void SearchableText::replace(const QList<qsizetype>& positions, qsizetype codeLength,
                             QStringView replacement)
{
    if (positions.isEmpty())
        return;
    m_lastValid = false;
    const QString foldedReplacement = Folded(replacement);
    for (const qsizetype at : positions)
        count(QStringView(m_folded).mid(at, codeLength), 1, -1);
    count(foldedReplacement, positions.size(), 1);
    ReplaceInPlace(m_text, positions, codeLength, replacement);
    ReplaceInPlace(m_folded, positions, codeLength, foldedReplacement);
}

} // namespace polyx
