#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace polyx {

// Every occurrence of every code of a list in one pass over a text
// (Aho–Corasick). Codes and text are given case-folded (Folded), so an
// occurrence is one in any letter case. The root's moves are a table over
// every UTF-16 unit, the others short sorted lists: prose that holds no
// code character costs one look-up per character, and a long dictionary
// costs memory in proportion to its codes only.
class CodeAutomaton {
public:
    explicit CodeAutomaton(const QStringList& foldedCodes);

    // found(code, start) for every occurrence, overlapping ones too, in the
    // order of their ends; `code` is the index in the list. Empty codes
    // occur nowhere.
    template <typename Found>
    void forEachMatch(QStringView foldedText, Found found) const
    {
        std::int32_t state = 0;
        const qsizetype size = foldedText.size();
        for (qsizetype i = 0; i < size; ++i) {
            state = next(state, foldedText.at(i).unicode());
            for (std::int32_t s = m_output[state] >= 0 ? state : m_outputLink[state]; s > 0;
                 s = m_outputLink[s]) {
                for (std::int32_t code = m_output[s]; code >= 0; code = m_sameCode[code])
                    found(qsizetype(code), i + 1 - m_length[code]);
            }
        }
    }

private:
    struct Move {
        char16_t unit;
        std::int32_t state;
    };
    std::int32_t child(std::int32_t state, char16_t unit) const;
    std::int32_t next(std::int32_t state, char16_t unit) const
    {
        while (state > 0) {
            const std::int32_t found = child(state, unit);
            if (found > 0)
                return found;
            state = m_failure[state];
        }
        return m_rootMoves[unit];
    }

    std::vector<std::int32_t> m_rootMoves;     // per UTF-16 unit, 0 for none
    std::vector<std::vector<Move>> m_moves;    // per state, sorted by unit
    std::vector<std::int32_t> m_failure;       // longest proper suffix state
    std::vector<std::int32_t> m_output;        // first code ending here, -1
    std::vector<std::int32_t> m_outputLink;    // next suffix state with output
    std::vector<std::int32_t> m_sameCode;      // next code of the same text
    std::vector<qsizetype> m_length;           // per code
};

} // namespace polyx
