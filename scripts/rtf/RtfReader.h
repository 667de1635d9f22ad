#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;
class QTextDocument;

namespace polyx {

// Reads RTF as WordPad, Word and LibreOffice write it into a QTextDocument:
// text, fonts, sizes, bold, italic, underline, strike, colours, alignment,
// paragraphs, line breaks and tabs. Damaged input is read as far as it goes.
class RtfReader {
public:
    // Whether data starts as RTF does ("{\rtf", in any case).
    static bool isRtf(QByteArrayView data);

    // Replaces the whole content of document, as one undo step. Fails, leaving
    // the document as it was, when the input is not RTF or cannot be read.
    bool read(const QByteArray& data, QTextDocument* document);
    bool read(QIODevice& device, QTextDocument* document);

    // The French message of the last failure.
    QString errorString() const { return m_error; }

private:
    QString m_error;
};

} // namespace polyx
