#include "config/IntegerText.h"

#include <limits>

namespace config {
namespace {

std::optional<int> digitsValue(QStringView digits, int base, bool negative)
{
    if (digits.isEmpty())
        return std::nullopt;
    const qint64 limit = qint64(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    qint64 value = 0;
    for (const QChar c : digits) {
        const int digit = c.isDigit() && c.unicode() < 128 ? c.unicode() - '0'
                          : base == 16 && c.unicode() >= 'a' && c.unicode() <= 'f' ? c.unicode() - 'a' + 10
                          : base == 16 && c.unicode() >= 'A' && c.unicode() <= 'F' ? c.unicode() - 'A' + 10
                                                                                   : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    return int(negative ? -value : value);
}

} // namespace

std::optional<int> IntegerFromText(const QString& text)
{
    if (text.size() > 2 && text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        return digitsValue(QStringView(text).mid(2), 16, false);
    QStringView digits(text);
    const bool negative = digits.startsWith(u'-');
    if (negative || digits.startsWith(u'+'))
        digits = digits.mid(1);
    return digitsValue(digits, 10, negative);
}

} // namespace config
