#pragma once
#include <QString>

namespace polyx {

// The line a question typed for the Sanvor dictionary becomes: letters a to
// z in capitals (accented ones stay as typed), blanks and control characters
// stripped at both ends, inner blanks made "_", "<" and ">" dropped, then
// framed as the universal key "<...>" with an empty value.
QString SanvorQuestionLine(const QString& typed);

} // namespace polyx
