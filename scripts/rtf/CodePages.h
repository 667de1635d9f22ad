#pragma once
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringDecoder>
#include <map>

namespace polyx {

// The Windows code page RTF means by a font charset (\fcharsetN); 0 when the
// charset leaves it to the document's code page.
int codePageOfCharset(int charset);

// Decodes bytes written in a Windows code page. Windows-1252 needs nothing
// from the platform; the others come from the codecs Qt can find.
class CodePageDecoder {
public:
    bool supports(int codePage);
    // Pages nobody knows are read as Windows-1252 rather than lost.
    QString decode(int codePage, QByteArrayView bytes);

private:
    QStringDecoder* decoderFor(int codePage);

    std::map<int, QStringDecoder> m_decoders; // invalid ones too, so each page is looked up once
};

} // namespace polyx
