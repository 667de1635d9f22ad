#pragma once
#include "dictionaries/TextLinesFile.h"

#include <QString>

namespace polyx {

// The file a list was last read from, when its reading stopped short (a
// NUL, bytes that are not text): a save over that file would replace what
// was never read. Saving elsewhere stays free; over it, only once the user
// agreed.
class PartlyReadFile {
public:
    // After each load: a file read whole forgets the previous one.
    void Remember(const QString& path, const TextLines& read);
    // What the load tells the user, "" when the file was read whole.
    const QString& Warning() const { return m_warning; }
    bool IsReplacedBy(const QString& target) const;
    // The user agreed: the next save may replace the file.
    void Release();
    // A save that did not ask says so once per file: true the first time.
    bool FirstSkip();
    // Why a save that did not ask left the file as it was.
    QString SkipMessage() const;

private:
    QString m_file; // canonical path, empty when the last file was read whole
    QString m_warning;
    bool m_skipTold = false;
};

} // namespace polyx
