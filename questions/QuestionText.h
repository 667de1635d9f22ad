#pragma once
#include <QString>

namespace polyx {

// The form "<" + NAME + ">" of a typed question: ASCII letters upper-cased,
// blanks and control characters stripped at both ends, inner spaces turned
// into "_", every "<" and ">" dropped, then enclosed again.
QString NormalizeQuestion(const QString& typed);

// The characters after the first one up to the first ">": "<NOM>" gives
// "NOM". Empty without ">" or when it stands first or second.
QString QuestionName(const QString& entry);

} // namespace polyx
