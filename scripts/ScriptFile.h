#pragma once
#include "scripts/ScriptPlainText.h"

#include <QByteArray>
#include <QString>

#include "scripts/ScriptFormat.h"

class QTextDocument;

namespace polyx {

// Reading and writing one script file by the pane's mode, its name and its
// content (ScriptFormat.h). Nothing but the script goes into the file.
namespace ScriptFile {

// The file's bytes, as Load reads them. Throws "Impossible d'ouvrir le
// fichier ..." when the file cannot be read.
QByteArray ReadBytes(const QString& path);

// What Load puts into a document: the text of a plain file, or the bytes
// of an RTF one. Throws as Load does when the file cannot be read.
struct Content {
    ScriptFormat format = ScriptFormat::PlainText;
    QString text;    // lines joined with '\n'
    QByteArray rtf;
    PlainScriptLayout::Mark plainMark = PlainScriptLayout::Mark::None; // how a plain file was stored
};
Content Read(const QString& path, bool plainTextMode);

// Replaces the whole document. Throws "Impossible d'ouvrir le fichier ..."
// when the file cannot be read and "Erreur au chargement du flux" (or the
// refused code page) when RTF cannot be read; the document is then as it
// was. Returns what an RTF file holds that the pane does not show (kept and
// written back), said for the status bar, or nothing. `plainMark`, when
// given, receives how a file read as plain text was stored (None for RTF).
QString Load(QTextDocument& document, const QString& path, bool plainTextMode,
             PlainScriptLayout::Mark* plainMark = nullptr);

// Whether a pane in rich mode would read the file as RTF; false when it
// cannot be read.
bool IsRichFile(const QString& path);

// What Save writes into that file.
QByteArray Bytes(const QTextDocument& document, const QString& path, bool plainTextMode,
                 PlainScriptLayout::Mark plainMark = PlainScriptLayout::Mark::None);

// Creates or replaces the file atomically. Throws "Impossible de créer le
// fichier ..." and leaves any previous file whole when it cannot be written.
// Plain text read as UTF-8 without mark (`plainMark`) is written back so;
// any other is written as EncodePlainScript writes it.
void Save(const QTextDocument& document, const QString& path, bool plainTextMode,
          PlainScriptLayout::Mark plainMark = PlainScriptLayout::Mark::None);

} // namespace ScriptFile
} // namespace polyx
