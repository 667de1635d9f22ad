#pragma once
#include <QString>

namespace polyx {

// The universal key "<" + NAME + ">" of a typed question, for the question
// list and the Sanvor dictionary alike: letters a to z in capitals (accented
// ones stay as typed), blanks and control characters stripped at both ends,
// inner blanks made "_", every "<" and ">" dropped, then enclosed again.
QString NormalizeQuestion(const QString& typed);

// The line a question typed for the Sanvor dictionary becomes: its key with
// an empty value.
QString SanvorQuestionLine(const QString& typed);

} // namespace polyx
