#pragma once
#include <QByteArray>
#include <QString>

namespace polyx {

// Script files as plain text: Windows-1252 without mark (or the UTF-8
// without mark a Linux editor writes, kept as it came), CR LF between
// lines and nothing after the last, so a file read and written back keeps
// its lines (and its bytes, when it had CR LF line ends). Text travels
// with '\n' between lines.

// How a plain script file was stored, so that a translation of it can be
// written back the same way.
struct PlainScriptLayout {
    enum class Mark { None, Utf8, Utf16LE, Utf16BE, Utf8WithoutMark };
    Mark mark = Mark::None;   // None: Windows-1252
    QString lineEnd = QStringLiteral("\r\n"); // the file's own when all its line ends agree
};

// A leading UTF-8 or UTF-16 mark selects that encoding; otherwise UTF-8
// when the bytes are valid UTF-8 holding a character beyond ASCII, else
// Windows-1252. CR LF, CR, LF and LF CR each end one line. `layout`, when
// given, receives how the file was stored.
QString DecodePlainScript(const QByteArray& bytes, PlainScriptLayout* layout = nullptr);

// Text that Windows-1252 cannot hold is written as UTF-8 with its mark
// rather than with substitutes.
QByteArray EncodePlainScript(const QString& text);

// The text stored as `layout` says; Windows-1252 that cannot hold the text
// falls back to UTF-8 with its mark, keeping the line ends.
QByteArray EncodePlainScriptAs(const QString& text, const PlainScriptLayout& layout);

} // namespace polyx
