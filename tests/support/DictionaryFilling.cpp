#include "DictionaryFilling.h"

#include "dictionaries/DictionaryPane.h"

void fill(polyx::DictionaryLines& dictionary, const QStringList& lines)
{
    for (const QString& line : lines)
        dictionary.AddLine(line);
}

void setLines(DictionaryPane* pane, const QStringList& lines)
{
    pane->lines().ClearLines();
    for (const QString& line : lines)
        pane->lines().AddLine(line);
}
