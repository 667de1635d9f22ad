#include "dictionaries/DictionaryCompression.h"

#include "platform/Error.h"

namespace polyx {

namespace {

bool isBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

bool isOldHeaderKey(const QString& key)
{
    return key == QStringLiteral("<AUTEUR>") || key == QStringLiteral("<TITRE>")
        || key == QStringLiteral("<CODE>");
}

} // namespace

QString StripBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

void CompressDictionary(DictionaryLines& pane, ColonCut colonCut)
{
    const int count = pane.Count();
    for (int row = 1; row <= count; ++row) {
        pane.SetKeyAt(row, StripBlanks(pane.KeyAt(row)));
        QString value = StripBlanks(pane.ValueAt(row));
        if (isOldHeaderKey(pane.KeyAt(row)))
            pane.SetKeyAt(row, QString());
        if (colonCut == ColonCut::Cut) {
            const qsizetype colon = value.indexOf(u':');
            if (colon >= 0)
                value.truncate(colon);
        }
        pane.SetValueAt(row, value);
    }

    for (int row = pane.Count(); row >= 1; --row) {
        if (pane.KeyAt(row).isEmpty())
            pane.DeleteRow(row);
    }

    for (const QString& header : {QStringLiteral("<_AUTEUR>"), QStringLiteral("<_TITRE>"),
                                 QStringLiteral("<_CODE>")}) {
        if (!pane.AllText().contains(header))
            pane.AddLine(header + u'=');
    }

    pane.SortByKey();
}

namespace {

// Every save compresses all four: the user must learn which one refused.
void compressNamed(DictionaryLines& pane, ColonCut colonCut, const char* pageName)
{
    try {
        CompressDictionary(pane, colonCut);
    } catch (const Error& error) {
        throw Error(QStringLiteral("Dictionnaire %1 :\r\n").arg(QLatin1String(pageName)) + error.message());
    }
}

} // namespace

void CompressAllDictionaries(DictionaryLines& external, DictionaryLines& internal,
                             DictionaryLines& fusion, DictionaryLines& sanvor)
{
    compressNamed(external, ColonCut::Cut, "Externe");
    compressNamed(internal, ColonCut::Cut, "Interne");
    compressNamed(fusion, ColonCut::Cut, "Fusion");
    compressNamed(sanvor, ColonCut::Keep, "Sanvor");
}

} // namespace polyx
