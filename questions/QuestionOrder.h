#pragma once
#include <QList>
#include <QStringList>

namespace polyx {

// The positions of `texts` in ascending order under KeyCollator() (the
// locale's order, letter case ignored); equal texts keep their order.
QList<int> SortedOrder(const QStringList& texts);

} // namespace polyx
