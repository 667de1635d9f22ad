#include "scripts/FirstLineLabel.h"

namespace polyx {

std::optional<QString> FirstLineLabel(const QString& firstLine, ScriptSide side)
{
    static const QString kStart = QStringLiteral("/* |");
    if (!firstLine.startsWith(kStart))
        return std::nullopt;
    const qsizetype from = kStart.size();
    const qsizetype end = side == ScriptSide::External ? firstLine.indexOf(u'^', from)
                                                       : firstLine.indexOf(QStringLiteral(" - "), from);
    if (end < 0)
        return QString();
    return firstLine.mid(from, end - from);
}

} // namespace polyx
