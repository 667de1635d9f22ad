#pragma once
#include "scripts/translation/CodeShapes.h"

#include <QList>
#include <QStringView>

namespace polyx {

// One occurrence of a correspondent's code and the user's code standing in
// its place in the same letter written with the user's codes.
struct AlignedCode {
    qsizetype externalCode; // index in the external script's codes
    qsizetype letterCode;   // index in the letter's codes
};

// Aligns the two texts word by word, each code one token, around every
// occurrence of a code: the words next to it on either side must be the same
// in both letters (any code standing for any code), so that paragraphs may
// move, codes repeat and either letter hold sentences the other lacks. An
// occurrence whose best place is not clearly better than a place of another
// code is left out. Codes are given in text order.
QList<AlignedCode> AlignLetters(QStringView external, const QList<CodeShapes::Token>& externalCodes,
                                QStringView letter, const QList<CodeShapes::Token>& letterCodes);

} // namespace polyx
