#pragma once
#include <QString>

namespace platform {

// File names as the program compares and shows them: only the ASCII letters
// change case, accented ones stay as typed.
QString AsciiUpper(QString text);
QString AsciiLower(QString text);
// The file name: the part of the path after its last "/".
QString FileNameOf(const QString& path);
// From the last "." of the file name on, the "." included; empty when the
// name has no ".".
QString ExtensionOf(const QString& path);
// The file name without its last extension.
QString BaseNameOf(const QString& path);
// ExtensionOf(path), ASCII letters upper-cased.
QString UpperExtension(const QString& path);

} // namespace platform
