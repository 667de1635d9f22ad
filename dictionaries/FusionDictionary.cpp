#include "dictionaries/FusionDictionary.h"

#include "dictionaries/KeyCollation.h"
#include "platform/Error.h"

namespace polyx {

QList<int> GenerateFusion(const DictionaryLines& external, const DictionaryLines& internal,
                          DictionaryLines& fusion)
{
    QList<int> headerRows;
    fusion.ClearLines();
    QList<int> sources; // the external row of each fusion line
    for (int row = 1; row <= external.Count(); ++row) {
        const QString key = external.KeyAt(row);
        if (key.isEmpty() || key == QStringLiteral("<_CODE>"))
            continue;
        const QString externalValue = external.ValueOf(key);
        const QString internalValue = internal.ValueOf(key);
        if (externalValue.isEmpty() || internalValue.isEmpty())
            continue;
        const QString line = externalValue + u'=' + internalValue;
        try {
            fusion.AddLine(line);
        } catch (const Error& error) {
            // The user mends the external dictionary: name both of its keys.
            const QString code = DictionaryLines::KeyOfLine(line);
            const QCollator collator = KeyCollator();
            QString first;
            for (int done = 1; done <= fusion.Count(); ++done)
                if (collator.compare(fusion.KeyAt(done), code) == 0)
                    first = external.KeyAt(sources.value(done - 1));
            throw Error(QStringLiteral("Dictionnaire Fusion :\r\n") + error.message()
                        + QStringLiteral("\r\nLe code \"%1\" sert à \"%2\" et à \"%3\".").arg(code, first, key));
        }
        sources.append(row);
        if (key.compare(QStringLiteral("<_AUTEUR>"), Qt::CaseInsensitive) == 0
            || key.compare(QStringLiteral("<_TITRE>"), Qt::CaseInsensitive) == 0)
            headerRows.append(fusion.Count());
    }
    return headerRows;
}

QList<int> FusionHeaderRows(const DictionaryLines& fusion, const std::optional<GeneratedFusion>& generated)
{
    if (generated && generated->lines == fusion.Lines())
        return generated->headerRows;
    return {1, 2};
}

QString FusionFileName(const QString& externalLabel, const QString& internalLabel)
{
    return externalLabel + u'_' + internalLabel + QStringLiteral(".PLX");
}

} // namespace polyx
