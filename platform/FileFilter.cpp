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

QString extensionForType(const QString& filter, int index, const QString& defaultExt)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    const qsizetype at = 2 * qsizetype(index) - 1;
    if (index < 1 || at >= parts.size())
        return defaultExt;
    QString pattern;
    for (const QString& candidate : parts[at].split(QLatin1Char(';'))) {
        if (!candidate.trimmed().isEmpty()) {
            pattern = candidate.trimmed();
            break;
        }
    }
    if (!pattern.startsWith(QStringLiteral("*.")))
        return defaultExt;
    const QString extension = pattern.mid(2);
    if (extension.isEmpty() || extension.contains(QLatin1Char('*')) || extension.contains(QLatin1Char('?')))
        return defaultExt;
    if (extension.compare(defaultExt, Qt::CaseInsensitive) == 0)
        return defaultExt;
    return extension;
}

} // namespace platform
