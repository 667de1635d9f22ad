#pragma once
#include <QByteArrayView>

namespace polyx {

struct RtfToken {
    enum Kind { End, GroupStart, GroupEnd, ControlWord, ControlSymbol, Text, Byte, Binary };

    Kind kind = End;
    QByteArrayView data; // the word's letters, the text run or the \bin data
    int param = 0;       // saturated to the int range
    bool hasParam = false;
    char symbol = 0;     // ControlSymbol
    unsigned char byte = 0; // Byte (\'hh)
};

// Cuts RTF into tokens in one pass; any byte sequence gives a finite stream
// that ends with an End token. Line breaks outside \bin data are dropped, as
// RTF wants.
class RtfTokenizer {
public:
    explicit RtfTokenizer(QByteArrayView input) : m_in(input) {}

    RtfToken next();

    // The input, and the offset just after the last token given.
    QByteArrayView input() const { return m_in; }
    qsizetype position() const { return m_pos; }

private:
    RtfToken afterBackslash();
    RtfToken controlWord();
    RtfToken text();

    QByteArrayView m_in;
    qsizetype m_pos = 0;
};

} // namespace polyx
