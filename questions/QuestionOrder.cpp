#include "questions/QuestionOrder.h"

#include "dictionaries/KeyCollation.h"

#include <algorithm>
#include <numeric>

namespace polyx {

QList<int> SortedOrder(const QStringList& texts)
{
    const QCollator collator = KeyCollator();
    QList<int> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return collator.compare(texts[a], texts[b]) < 0; });
    return order;
}

} // namespace polyx
