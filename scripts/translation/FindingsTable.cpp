#include "scripts/translation/FindingsTable.h"

namespace polyx {

QString FindingsTable::asText(const QString& summary, bool withOptional) const
{
    const QString end = QStringLiteral("\r\n");
    QString text = summary + end + columns.join(u'\t') + end;
    for (const Row& row : rows) {
        if (withOptional || !row.optional)
            text += row.cells.join(u'\t') + end;
    }
    return text;
}

} // namespace polyx
