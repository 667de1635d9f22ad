#include "scripts/ScriptEditingAids.h"

namespace polyx {

std::optional<QString> PickToken(const QString& selected)
{
    if (selected.isEmpty())
        return std::nullopt;
    QString token = selected;
    token.remove(u'{');
    token.remove(u'(');
    token.remove(u'}');
    token.remove(u')');
    token.replace(QStringLiteral(" :"), QStringLiteral(":"));
    const qsizetype colon = token.indexOf(u':');
    if (colon >= 0)
        token.truncate(colon);
    return token;
}

QString ScriptAidInsertion(ScriptAid aid, const QString& selected)
{
    switch (aid) {
    case ScriptAid::Comment:
        return QStringLiteral("/* ") + selected + QStringLiteral(" */");
    case ScriptAid::Tag:
        return u'{' + selected + u'}';
    case ScriptAid::Assignment:
        break;
    }
    return QStringLiteral("@@_ := ");
}

} // namespace polyx
