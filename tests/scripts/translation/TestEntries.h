#pragma once
#include "scripts/translation/TranslationRules.h"

#include <QStringList>

// Dictionary lines written "key=value" as in a .DICO file.
inline polyx::DictionaryEntries Entries(const QStringList& lines)
{
    polyx::DictionaryEntries entries;
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        entries.append({line.left(equals), line.mid(equals + 1)});
    }
    return entries;
}
