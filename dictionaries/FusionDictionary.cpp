#include "dictionaries/FusionDictionary.h"

namespace polyx {

void GenerateFusion(const DictionaryLines& external, const DictionaryLines& internal,
                    DictionaryLines& fusion)
{
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
    }
}

QString FusionFileName(const QString& externalLabel, const QString& internalLabel)
{
    return externalLabel + u'_' + internalLabel + QStringLiteral(".PLX");
}

} // namespace polyx
