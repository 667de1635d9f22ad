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

// The pairs a code encloses its own text in: "£[SG : nom]#", "{NOM : défaut}".
constexpr char16_t kBrackets[][2] = {{u'[', u']'}, {u'{', u'}'}, {u'(', u')'}, {u'<', u'>'}, {u'«', u'»'}};

} // namespace

qsizetype CommentColon(QStringView value)
{
    // The closers still awaited, innermost last. A closer that awaits
    // nothing is plain text; an opener never closed keeps what follows,
    // since a code cut short is worse than a comment kept.
    QString awaited;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u':' && awaited.isEmpty())
            return i;
        if (!awaited.isEmpty() && c == awaited.back()) {
            awaited.chop(1);
            continue;
        }
        for (const auto& pair : kBrackets) {
            if (c == QChar(pair[0])) {
                awaited += QChar(pair[1]);
                break;
            }
        }
    }
    return -1;
}

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
            const qsizetype colon = CommentColon(value);
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
