#include "scripts/rtf/CodePages.h"

#include <QList>
#include <array>

namespace polyx {

namespace {

// 0x80..0x9F of Windows-1252; the five unassigned bytes map to C1 controls as on Windows.
constexpr std::array<char16_t, 32> kHigh1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

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

QString decodeWindows1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *dst++ = (b >= 0x80 && b < 0xA0) ? QChar(kHigh1252[b - 0x80]) : QChar(b);
    }
    return out;
}

std::optional<char> encodeWindows1252(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (std::size_t i = 0; i < kHigh1252.size(); ++i) {
        // The C1 fillers are no characters of the page.
        if (kHigh1252[i] == u && u > 0xFF)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
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
    return decodeWindows1252(bytes);
}

QStringDecoder* CodePageDecoder::decoderFor(int codePage)
{
    auto it = m_decoders.find(codePage);
    if (it == m_decoders.end())
        it = m_decoders.emplace(codePage, findDecoder(codePage)).first;
    return it->second.isValid() ? &it->second : nullptr;
}

} // namespace polyx
