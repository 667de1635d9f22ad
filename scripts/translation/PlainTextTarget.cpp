#include "scripts/translation/PlainTextTarget.h"

namespace polyx {

Replaced PlainTextTarget::ReplaceAll(const QString& code, const QString& replacement)
{
    const QList<qsizetype> positions = m_text.occurrencesIgnoringCase(code);
    if (positions.isEmpty())
        return {};
    m_text.replace(positions, code.size(), replacement);
    m_lastEnd = positions.last() + (positions.size() - 1) * (replacement.size() - code.size())
        + replacement.size();
    return {positions, replacement.size(), {}};
}

} // namespace polyx
