#include "dictionaries/KeyCollation.h"

#include <QLocale>

#include <algorithm>
#include <numeric>

namespace polyx {

QCollator KeyCollator()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::French, QLocale::France);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

QList<int> StableKeyOrder(const std::vector<QCollatorSortKey>& keys)
{
    QList<int> order(qsizetype(keys.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    return order;
}

QList<int> SortedOrder(const QStringList& texts)
{
    const QCollator collator = KeyCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(texts.size());
    for (const QString& text : texts)
        keys.push_back(collator.sortKey(text));
    return StableKeyOrder(keys);
}

} // namespace polyx
