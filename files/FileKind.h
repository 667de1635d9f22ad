#pragma once
#include <QString>

namespace polyx {

// Names and extensions as the file panel compares them: only the ASCII
// letters change case.
QString AsciiUpper(QString text);
// The file name: the part of the path after its last "/".
QString FileNameOf(const QString& path);
// From the last "." of the file name on, the "." included, ASCII letters
// upper-cased; empty when the name has no ".".
QString UpperExtension(const QString& path);

} // namespace polyx
