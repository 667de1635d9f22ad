#pragma once
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <map>

namespace polyx {

// The Windows code page RTF means by a font charset (\fcharsetN); 0 when the
// charset leaves it to the document's code page.
int codePageOfCharset(int charset);

// The upper half of a Windows single-byte code page, decoded by table so that
// it needs nothing from the platform.
struct SingleBytePage {
    int codePage;
    char16_t high[128];
};

// Pseudo code pages of the symbol fonts: their bytes name glyphs, not letters.
enum SymbolFont { Symbol = -1, Wingdings = -2, Wingdings2 = -3, Wingdings3 = -4, Webdings = -5 };

// The symbol font a font table entry stands for, or 0: by name, else by
// \fcharset2 (which reads as Symbol).
int symbolFontOf(const QString& family, bool symbolCharset);

// Decodes bytes written in a Windows code page or a symbol font. The single-
// byte pages come by table; the others from the codecs Qt can find (double-
// byte pages need Qt's ICU).
class CodePageDecoder {
public:
    bool supports(int codePage);
    // Bytes below 0x80 read as ASCII in any page; others in a page nobody
    // supports come out as Windows-1252, and the caller is expected to refuse.
    QString decode(int codePage, QByteArrayView bytes);

private:
    QStringDecoder* decoderFor(int codePage);

    std::map<int, QStringDecoder> m_decoders; // invalid ones too, so each page is looked up once
};

// The character a symbol font shows for a byte (or for Word's private-use
// U+F0xx spelling of it).
char16_t symbolCharacter(int symbolFont, unsigned char byte);

} // namespace polyx
