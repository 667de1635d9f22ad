#pragma once
#include "dictionaries/PartlyReadFile.h"
#include "dictionaries/TextLinesFile.h"

#include <QStringList>

namespace polyx {

// The .DICU file of the question list: one question per line and nothing
// else. A save uses the encoding of the last file loaded (Ansi until one is).
class QuestionFile {
public:
    // Throws "Impossible d'ouvrir le fichier ..." and then remembers nothing.
    QStringList Load(const QString& path);
    // Atomic; throws "Impossible de créer le fichier ..." with the previous
    // file left whole. Refuses to replace the file last read only in part
    // until PartlyRead() is released.
    void Save(const QString& path, const QStringList& questions);
    TextEncoding Encoding() const { return m_encoding; }
    PartlyReadFile& PartlyRead() { return m_partlyRead; }

private:
    TextEncoding m_encoding = TextEncoding::Ansi;
    PartlyReadFile m_partlyRead;
};

} // namespace polyx
