#pragma once
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
    // file left whole.
    void Save(const QString& path, const QStringList& questions);
    TextEncoding Encoding() const { return m_encoding; }

private:
    TextEncoding m_encoding = TextEncoding::Ansi;
};

} // namespace polyx
