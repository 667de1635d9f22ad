#include "dictionaries/KeyCompletion.h"

#include <QSet>

namespace polyx {

void AppendMissingKeys(DictionaryLines& dictionary, const QStringList& keys)
{
    QString text = dictionary.AllText();
    // An exact key is surely in the text: this spares most of the full-text
    // searches when two dictionaries share their keys.
    const QStringList existing = dictionary.Keys();
    QSet<QString> exactKeys(existing.cbegin(), existing.cend());
    for (const QString& key : keys) {
        if (!key.isEmpty() && (exactKeys.contains(key) || text.contains(key)))
            continue;
        const QString line = key + u'=';
        dictionary.AddLine(line);
        text += line + QStringLiteral("\r\n");
        exactKeys.insert(key);
    }
}

} // namespace polyx
