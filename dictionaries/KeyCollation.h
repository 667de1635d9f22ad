#pragma once
#include <QCollator>

namespace polyx {

// The comparison of dictionary keys and of sorted lists: the user's locale,
// letter case ignored. A C/POSIX locale has no real collation (accented
// capitals would sort after "Z"), so French stands in for it.
QCollator KeyCollator();

} // namespace polyx
