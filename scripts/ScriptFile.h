#pragma once
#include <QByteArray>
#include <QString>

class QTextDocument;

namespace polyx {

// Reading and writing one script file by the pane's mode, its name and its
// content (ScriptFormat.h). Nothing but the script goes into the file.
namespace ScriptFile {

// The file's bytes, as Load reads them. Throws "Impossible d'ouvrir le
// fichier ..." when the file cannot be read.
QByteArray ReadBytes(const QString& path);

// Replaces the whole document. Throws "Impossible d'ouvrir le fichier ..."
// when the file cannot be read and "Erreur au chargement du flux" (or the
// refused code page) when RTF cannot be read; the document is then as it
// was. Returns what an RTF file holds that the pane does not show (kept and
// written back), said for the status bar, or nothing.
QString Load(QTextDocument& document, const QString& path, bool plainTextMode);

// Whether a pane in rich mode would read the file as RTF; false when it
// cannot be read.
bool IsRichFile(const QString& path);

// Creates or replaces the file atomically. Throws "Impossible de créer le
// fichier ..." and leaves any previous file whole when it cannot be written.
void Save(const QTextDocument& document, const QString& path, bool plainTextMode);

} // namespace ScriptFile
} // namespace polyx
