#pragma once
// A dictionary given its lines, as the user would type them one by one.
#include "dictionaries/DictionaryLines.h"

#include <QStringList>

class DictionaryPane;

void fill(polyx::DictionaryLines& dictionary, const QStringList& lines);
// The pane's earlier lines are cleared first.
void setLines(DictionaryPane* pane, const QStringList& lines);
