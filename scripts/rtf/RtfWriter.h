#pragma once
#include <QByteArray>
#include <QStringView>

class QTextDocument;

namespace polyx {

// Writes a QTextDocument as RTF that WordPad, Word and LibreOffice open with
// the same text and formatting. The output is plain ASCII.
class RtfWriter {
public:
    static QByteArray write(const QTextDocument& document);

    // Text as it stands in an RTF body: \ { } escaped, tabs and line
    // separators as control words, characters of Windows-1252 beyond ASCII as
    // \'hh (unless unicodeOnly), all others as \uN? (UTF-16 units, signed).
    static QByteArray escape(QStringView text, bool unicodeOnly = false);
};

} // namespace polyx
