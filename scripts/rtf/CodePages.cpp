#include "scripts/rtf/CodePages.h"

#include "dictionaries/Windows1252.h"

#include <QList>

namespace polyx {

extern const SingleBytePage kSingleBytePages[];
extern const int kSingleBytePageCount;

namespace {

const SingleBytePage* singleBytePage(int codePage)
{
    for (int i = 0; i < kSingleBytePageCount; ++i)
        if (kSingleBytePages[i].codePage == codePage)
            return &kSingleBytePages[i];
    return nullptr;
}

// The Mac code pages as ICU names them (Qt 6.4 on Debian 12 takes these).
// ICU has no Mac Japanese, Chinese or Korean: their two-byte pages are
// those of Shift_JIS, Big5, EUC-KR and GB2312 but for a few symbols. It has
// no Mac Arabic, Hebrew or Icelandic either: those stay refused.
QList<QByteArray> macNames(int codePage)
{
    switch (codePage) {
    case 10000: return {"macintosh"};
    case 10001: return {"Shift_JIS"};
    case 10002: return {"Big5"};
    case 10003: return {"EUC-KR"};
    case 10006: return {"x-mac-greek"};
    case 10007: return {"x-mac-cyrillic"};
    case 10008: return {"GB2312"};
    case 10029: return {"x-mac-centraleurroman"};
    case 10081: return {"x-mac-turkish"};
    default: return {};
    }
}

// The codec names differ between ICU and iconv; try the usual spellings.
QStringDecoder findDecoder(int codePage)
{
    if (codePage <= 0)
        return {};
    const QByteArray number = QByteArray::number(codePage);
    const QList<QByteArray> names = codePage >= 10000 && codePage < 10100
        ? macNames(codePage)
        : QList<QByteArray>{"windows-" + number, "cp" + number, "ibm-" + number};
    for (const QByteArray& name : names) {
        QStringDecoder candidate(name.constData(), QStringConverter::Flag::Stateless);
        if (candidate.isValid())
            return candidate;
    }
    return {};
}

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
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

int symbolFontOf(const QString& family, bool symbolCharset)
{
    static const std::pair<const char*, int> names[] = {
        {"Symbol", Symbol}, {"Wingdings", Wingdings}, {"Wingdings 2", Wingdings2},
        {"Wingdings 3", Wingdings3}, {"Webdings", Webdings}};
    for (const auto& [name, font] : names)
        if (family.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return font;
    return symbolCharset ? Symbol : 0;
}

bool CodePageDecoder::supports(int codePage)
{
    return codePage == 1252 || codePage < 0 || singleBytePage(codePage) || decoderFor(codePage);
}

QString CodePageDecoder::decode(int codePage, QByteArrayView bytes)
{
    if (codePage == 1252)
        return DecodeWindows1252(bytes);
    if (codePage < 0) {
        QString out;
        out.reserve(bytes.size());
        for (const char c : bytes)
            if (const char16_t u = symbolCharacter(codePage, static_cast<unsigned char>(c)))
                out += QChar(u);
        return out;
    }
    if (const SingleBytePage* page = singleBytePage(codePage)) {
        QString out(bytes.size(), Qt::Uninitialized);
        QChar* dst = out.data();
        for (const char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            *dst++ = b < 0x80 ? QChar(b) : QChar(page->high[b - 0x80]);
        }
        return out;
    }
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    if (QStringDecoder* decoder = decoderFor(codePage))
        return decoder->decode(bytes);
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
