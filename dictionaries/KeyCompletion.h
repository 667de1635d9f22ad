#pragma once
#include "dictionaries/DictionaryLines.h"

#include <QStringList>

namespace polyx {

// Appends key "=" for each key, in order, whose text occurs nowhere in the
// dictionary's AllText (case-sensitive substring, keys and values alike; an
// empty key never occurs). Keys appended earlier count for later ones. A
// key present only with other capitals is refused by the dictionary: that
// throws, the keys appended before it kept.
void AppendMissingKeys(DictionaryLines& dictionary, const QStringList& keys);

} // namespace polyx
