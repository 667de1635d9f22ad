#pragma once
#include "scripts/translation/CodeRecognition.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace polyx {

// Every .DICO file of the folders (a folder named twice is read once), by
// name, but those whose label (name without extension, upper-cased) is in
// `leftOutLabels`. A file that cannot be read is passed over: it is memory,
// not the user's work.
QList<KeptDictionary> ReadKeptDictionaries(const QStringList& folders, const QStringList& leftOutLabels);

// The "Définition" of each information file "@NAME.TXT" of the folder
// (any letter case), by NAME upper-cased; files without one give nothing.
QHash<QString, QString> ReadQuestionDefinitions(const QString& folder);

} // namespace polyx
