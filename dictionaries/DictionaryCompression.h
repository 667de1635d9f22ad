#pragma once
#include "dictionaries/DictionaryLines.h"

namespace polyx {

// The Sanvor codes themselves hold ":", so their pane keeps whole values.
enum class ColonCut { Keep, Cut };

// Without blanks or control characters (up to U+0020) at either end.
QString StripBlanks(const QString& text);

// Where a comment begins: the first ":" outside every bracket pair ("[]",
// "{}", "()", "<>", "«»"), or -1. "DUPONT : nom de famille" is cut there;
// the codes "£[SG : nom]#" and "{NOM : défaut}" have no such ":".
qsizetype CommentColon(QStringView value);

// Strips keys and values, drops keyless lines and the old "<AUTEUR>",
// "<TITRE>", "<CODE>" lines, optionally cuts values at a comment's ":",
// adds the missing header keys, then sorts by key. A key that becomes a
// duplicate throws, with the rows before it already stripped.
void CompressDictionary(DictionaryLines& pane, ColonCut colonCut);

// External, internal and fusion with the cut, then Sanvor without it.
void CompressAllDictionaries(DictionaryLines& external, DictionaryLines& internal,
                             DictionaryLines& fusion, DictionaryLines& sanvor);

} // namespace polyx
