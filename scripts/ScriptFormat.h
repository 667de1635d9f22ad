#pragma once
#include <QByteArrayView>
#include <QString>

namespace polyx {

enum class ScriptFormat { PlainText, Rtf };

// How a pane reads a file: in plain-text mode always as plain text; in rich
// mode a ".txt" name (any case) as plain text, any other name as RTF when
// the content starts as RTF does, as plain text otherwise.
ScriptFormat ReadingFormat(bool plainTextMode, const QString& path, QByteArrayView content);

// How a pane writes a file: in plain-text mode always plain text (even to a
// ".rtf" name); in rich mode plain text to a ".txt" name, RTF otherwise.
ScriptFormat WritingFormat(bool plainTextMode, const QString& path);

} // namespace polyx
