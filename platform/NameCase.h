#pragma once
#include <QString>

namespace platform {

// The path to read or write for a path the program built from a name: the
// user's file system tells letter case apart, the program's names do not.
// When the entry itself exists it is the one; otherwise an entry of the
// same folder whose name differs only in ASCII letter case (the most
// recently modified of several); otherwise the path as built. A trailing
// "/" (a folder) is kept. So no second name differing only in case is made.
QString ResolveNameCase(const QString& path);

} // namespace platform
