#include "platform/FileFilter.h"

namespace platform {

QStringList qtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'))) {
            if (!pattern.trimmed().isEmpty())
                patterns << pattern.trimmed();
        }
        result << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), patterns.join(QLatin1Char(' ')));
    }
    return result;
}

QString qtFilter(const QString& filter) { return qtNameFilters(filter).join(QStringLiteral(";;")); }

} // namespace platform
