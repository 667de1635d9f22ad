#include "scripts/rtf/CodePages.h"

#include "dictionaries/Windows1252.h"

#include <QList>

namespace polyx {

namespace {

// The codec names differ between ICU and iconv; try the usual spellings.
QStringDecoder findDecoder(int codePage)
{
    if (codePage <= 0)
        return {};
    const QByteArray number = QByteArray::number(codePage);
    const QList<QByteArray> names = codePage == 10000
        ? QList<QByteArray>{"macintosh"}
        : QList<QByteArray>{"windows-" + number, "cp" + number, "ibm-" + number};
    for (const QByteArray& name : names) {
        QStringDecoder candidate(name.constData(), QStringConverter::Flag::Stateless);
        if (candidate.isValid())
            return candidate;
    }
    return {};
}

} // namespace

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;     // ANSI
    case 77: return 10000;   // Mac Roman
    case 128: return 932;    // Shift JIS
    case 129: return 949;    // Hangul
    case 130: return 1361;   // Johab
    case 134: return 936;    // GB2312
    case 136: return 950;    // Big5
    case 161: return 1253;   // Greek
    case 162: return 1254;   // Turkish
    case 163: return 1258;   // Vietnamese
    case 177: return 1255;   // Hebrew
    case 178: return 1256;   // Arabic
    case 186: return 1257;   // Baltic
    case 204: return 1251;   // Cyrillic
    case 222: return 874;    // Thai
    case 238: return 1250;   // Eastern European
    case 254: return 437;    // PC 437
    case 255: return 850;    // OEM
    default: return 0;       // DEFAULT, SYMBOL and unknown ones
    }
}

bool CodePageDecoder::supports(int codePage)
{
    return codePage == 1252 || decoderFor(codePage) != nullptr;
}

QString CodePageDecoder::decode(int codePage, QByteArrayView bytes)
{
    if (codePage != 1252) {
        if (QStringDecoder* decoder = decoderFor(codePage))
            return decoder->decode(bytes);
    }
    return DecodeWindows1252(bytes);
}

QStringDecoder* CodePageDecoder::decoderFor(int codePage)
{
    auto it = m_decoders.find(codePage);
    if (it == m_decoders.end())
        it = m_decoders.emplace(codePage, findDecoder(codePage)).first;
    return it->second.isValid() ? &it->second : nullptr;
}

} // namespace polyx
