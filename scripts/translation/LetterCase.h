#pragma once
#include <QString>

namespace polyx {

// The file panel's letter-case rule for a path the program builds: when its
// folder already holds an entry whose name is the same ignoring ASCII case,
// that entry is used with its own name (the exact name first, else the most
// recently modified variant); otherwise the path as built. Batch
// translation asks here for its output folder and every output file.
QString ResolveLetterCase(const QString& builtPath);

} // namespace polyx
