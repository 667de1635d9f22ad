#pragma once
#include <QCollator>
#include <QList>
#include <QStringList>

#include <vector>

namespace polyx {

// The comparison of dictionary keys and of sorted lists: the user's locale,
// letter case ignored. A C/POSIX locale has no real collation (accented
// capitals would sort after "Z"), so French stands in for it.
QCollator KeyCollator();

// The positions of `keys` in ascending order; equal keys keep their order.
QList<int> StableKeyOrder(const std::vector<QCollatorSortKey>& keys);
// The positions of `texts` in ascending order under KeyCollator(); equal
// texts keep their order.
QList<int> SortedOrder(const QStringList& texts);

} // namespace polyx
