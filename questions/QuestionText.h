#pragma once
#include <QString>

namespace polyx {

// The characters after the first one up to the first ">": "<NOM>" gives
// "NOM". Empty without ">" or when it stands first or second.
QString QuestionName(const QString& entry);

} // namespace polyx
