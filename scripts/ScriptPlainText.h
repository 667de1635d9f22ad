#pragma once
#include <QByteArray>
#include <QString>

namespace polyx {

// Script files as plain text: Windows-1252 without mark, CR LF between
// lines and nothing after the last, so a file read and written back keeps
// its lines (and its bytes, when it had CR LF line ends). Text travels
// with '\n' between lines.

// A leading UTF-8 or UTF-16 mark selects that encoding; otherwise
// Windows-1252. CR LF, CR, LF and LF CR each end one line.
QString DecodePlainScript(const QByteArray& bytes);

// Text that Windows-1252 cannot hold is written as UTF-8 with its mark
// rather than with substitutes.
QByteArray EncodePlainScript(const QString& text);

} // namespace polyx
