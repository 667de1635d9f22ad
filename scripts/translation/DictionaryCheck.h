#pragma once
#include "dictionaries/DictionaryLines.h"
#include "scripts/translation/FindingsTable.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace polyx {

enum class CheckedDictionary { External, Internal, Fusion };

// "Externe", "Interne", "Fusion".
QString CheckedDictionaryName(CheckedDictionary dictionary);

// One line of a dictionary that will not translate as the user expects.
struct DictionaryFinding {
    CheckedDictionary dictionary = CheckedDictionary::External;
    int row = 0; // grid row, from 1
    QString key;
    QString value;
    QString problem;
};

// What would go wrong before a translation runs, dictionary by dictionary,
// each in row order: codes given to two universal keys (all of them, where
// the fusion stops at the first), universal keys the other dictionary
// lacks, empty values (header keys "<_…>" aside), keys written in another
// letter case in the other dictionary, blanks the compression will strip,
// and codes holding an earlier code, which that code changes first.
QList<DictionaryFinding> CheckDictionaries(const DictionaryLines& external,
                                           const DictionaryLines& internal,
                                           const DictionaryLines& fusion);

QStringList CheckCells(const DictionaryFinding& finding);
// "Dictionnaire", "Clé", "Valeur", "Problème"; one row per finding.
FindingsTable CheckTable(const QList<DictionaryFinding>& findings);

// "N problème(s)" in French, none and one singular.
QString CheckSummary(const QList<DictionaryFinding>& findings);

} // namespace polyx
