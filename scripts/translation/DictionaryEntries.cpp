#include "scripts/translation/DictionaryEntries.h"

#include "dictionaries/DictionaryLines.h"

namespace polyx {

DictionaryEntries EntriesOf(const DictionaryLines& lines)
{
    DictionaryEntries entries;
    entries.reserve(lines.Count());
    for (int row = 1; row <= lines.Count(); ++row) {
        const QString key = lines.KeyAt(row);
        entries.append({key, lines.ValueOf(key)});
    }
    return entries;
}

} // namespace polyx
