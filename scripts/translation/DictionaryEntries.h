#pragma once
#include "scripts/translation/TranslationRules.h"

namespace polyx {

class DictionaryLines;

// Each row's key with the value the dictionary gives for that key, in grid
// order: the entries a translation walks.
DictionaryEntries EntriesOf(const DictionaryLines& lines);

} // namespace polyx
