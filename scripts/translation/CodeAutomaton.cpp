#include "scripts/translation/CodeAutomaton.h"

#include <algorithm>

namespace polyx {

CodeAutomaton::CodeAutomaton(const QStringList& foldedCodes)
    : m_rootMoves(0x10000, 0), m_moves(1), m_failure(1, 0), m_output(1, -1), m_outputLink(1, 0),
      m_sameCode(foldedCodes.size(), -1), m_length(foldedCodes.size(), 0)
{
    for (qsizetype code = 0; code < foldedCodes.size(); ++code) {
        const QString& text = foldedCodes.at(code);
        m_length[code] = text.size();
        if (text.isEmpty())
            continue;
        std::int32_t state = 0;
        for (const QChar c : text) {
            const char16_t unit = c.unicode();
            std::int32_t found = state == 0 ? m_rootMoves[unit] : child(state, unit);
            if (found == 0) {
                found = std::int32_t(m_moves.size());
                m_moves.emplace_back();
                m_failure.push_back(0);
                m_output.push_back(-1);
                m_outputLink.push_back(0);
                if (state == 0) {
                    m_rootMoves[unit] = found;
                } else {
                    auto& moves = m_moves[state];
                    const auto at = std::lower_bound(moves.begin(), moves.end(), unit,
                                                     [](const Move& m, char16_t u) { return m.unit < u; });
                    moves.insert(at, Move{unit, found});
                }
            }
            state = found;
        }
        // Codes of the same text chain from the state where they end.
        m_sameCode[code] = m_output[state];
        m_output[state] = std::int32_t(code);
    }

    // Breadth first, so a state's failure is settled before its children's.
    std::vector<std::int32_t> queue;
    queue.reserve(m_moves.size());
    for (const std::int32_t first : m_rootMoves) {
        if (first > 0)
            queue.push_back(first);
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::int32_t state = queue[head];
        for (const Move& move : m_moves[state]) {
            const std::int32_t failure = next(m_failure[state], move.unit);
            m_failure[move.state] = failure;
            m_outputLink[move.state] = m_output[failure] >= 0 ? failure : m_outputLink[failure];
            queue.push_back(move.state);
        }
    }
}

std::int32_t CodeAutomaton::child(std::int32_t state, char16_t unit) const
{
    const auto& moves = m_moves[state];
    for (const Move& move : moves) {
        if (move.unit >= unit)
            return move.unit == unit ? move.state : 0;
    }
    return 0;
}

} // namespace polyx
