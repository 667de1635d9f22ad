#include "questions/QuestionText.h"

namespace polyx {

QString QuestionName(const QString& entry)
{
    const qsizetype close = entry.indexOf(u'>');
    return close < 2 ? QString() : entry.mid(1, close - 1);
}

} // namespace polyx
