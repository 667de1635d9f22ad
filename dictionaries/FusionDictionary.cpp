#include "dictionaries/FusionDictionary.h"

namespace polyx {

QList<int> GenerateFusion(const DictionaryLines& external, const DictionaryLines& internal,
                          DictionaryLines& fusion)
{
    QList<int> headerRows;
    fusion.ClearLines();
    for (int row = 1; row <= external.Count(); ++row) {
        const QString key = external.KeyAt(row);
        if (key.isEmpty() || key == QStringLiteral("<_CODE>"))
            continue;
        const QString externalValue = external.ValueOf(key);
        const QString internalValue = internal.ValueOf(key);
        if (externalValue.isEmpty() || internalValue.isEmpty())
            continue;
        fusion.AddLine(externalValue + u'=' + internalValue);
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
