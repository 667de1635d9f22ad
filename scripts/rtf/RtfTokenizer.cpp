#include "scripts/rtf/RtfTokenizer.h"

#include <algorithm>
#include <array>
#include <limits>

namespace polyx {

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

RtfToken token(RtfToken::Kind kind)
{
    RtfToken t;
    t.kind = kind;
    return t;
}

} // namespace

RtfToken RtfTokenizer::next()
{
    while (m_pos < m_in.size()) {
        switch (m_in[m_pos]) {
        case '{': ++m_pos; return token(RtfToken::GroupStart);
        case '}': ++m_pos; return token(RtfToken::GroupEnd);
        case '\\': ++m_pos; return afterBackslash();
        case '\r':
        case '\n': ++m_pos; continue;
        default: return text();
        }
    }
    return {};
}

RtfToken RtfTokenizer::afterBackslash()
{
    if (m_pos >= m_in.size())
        return {};
    const char c = m_in[m_pos];
    if (isLetter(c))
        return controlWord();

    ++m_pos;
    if (c == '\'') {
        const int high = m_pos < m_in.size() ? hexValue(m_in[m_pos]) : -1;
        const int low = m_pos + 1 < m_in.size() ? hexValue(m_in[m_pos + 1]) : -1;
        if (high >= 0 && low >= 0) {
            m_pos += 2;
            RtfToken t = token(RtfToken::Byte);
            t.byte = static_cast<unsigned char>(high * 16 + low);
            return t;
        }
        // A broken \'h: drop what there is of it; the symbol itself means nothing.
        if (high >= 0)
            ++m_pos;
    }
    RtfToken t = token(RtfToken::ControlSymbol);
    t.symbol = c;
    return t;
}

RtfToken RtfTokenizer::controlWord()
{
    RtfToken t = token(RtfToken::ControlWord);
    const qsizetype start = m_pos;
    while (m_pos < m_in.size() && isLetter(m_in[m_pos]))
        ++m_pos;
    t.data = m_in.sliced(start, m_pos - start);

    bool negative = false;
    if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && isDigit(m_in[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
        constexpr long long limit = std::numeric_limits<int>::max();
        long long value = 0;
        for (; m_pos < m_in.size() && isDigit(m_in[m_pos]); ++m_pos)
            value = std::min(value * 10 + (m_in[m_pos] - '0'), limit + 1);
        t.hasParam = true;
        t.param = static_cast<int>(negative ? -value : std::min(value, limit));
    }
    if (m_pos < m_in.size() && m_in[m_pos] == ' ')
        ++m_pos;

    if (t.data == "bin") {
        const qsizetype length = std::min<qsizetype>(std::max(t.param, 0), m_in.size() - m_pos);
        t.kind = RtfToken::Binary;
        t.data = m_in.sliced(m_pos, length);
        m_pos += length;
    }
    return t;
}

RtfToken RtfTokenizer::text()
{
    // Text is most of a letter: one table look-up a byte.
    static constexpr auto ends = [] {
        std::array<bool, 256> t{};
        for (const unsigned char c : {'{', '}', '\\', '\r', '\n'})
            t[c] = true;
        return t;
    }();
    const qsizetype start = m_pos;
    const char* const data = m_in.data();
    const qsizetype size = m_in.size();
    while (m_pos < size && !ends[static_cast<unsigned char>(data[m_pos])])
        ++m_pos;
    RtfToken t = token(RtfToken::Text);
    t.data = m_in.sliced(start, m_pos - start);
    return t;
}

} // namespace polyx
