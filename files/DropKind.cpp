#include "files/DropKind.h"

#include "platform/FileNames.h"

#include <QFileInfo>

namespace polyx {

std::optional<DropKind> DropKindOf(const QString& path)
{
    const QString extension = platform::UpperExtension(path);
    if (extension == u".DICO" || extension == u".DICU")
        return DropKind{QStringLiteral("DICTIONNAIRE"), 0};
    if (extension == u".SKRIVO" || extension == u".SKRU")
        return DropKind{QStringLiteral("SCRIPT/INCIDENCE"), 1};
    if (extension == u".TXT" || extension == u".RTF")
        return DropKind{QStringLiteral("COURRIER/DOCUMENT"), -1};
    return std::nullopt;
}

QString RefusedDropText(const QString& path)
{
    return platform::AsciiUpper(platform::FileNameOf(path)) + QStringLiteral("\r\n\r\n")
           + QStringLiteral("CE TYPE DE FICHIER N'EST PAS PRIS EN CHARGE: ") + platform::UpperExtension(path)
           + QStringLiteral("\r\n\r\n") + QStringLiteral("Uniquement: \"DICO\" \"DICU\" \"SKRIVO\" \"SKRU\" \"RTF\" et \"TXT\"");
}

QString DropQuestion(const DropKind& kind, const QString& path)
{
    return QStringLiteral("Vous êtes sur le point de charger un nouveau ") + kind.word + QStringLiteral("...")
           + QStringLiteral("\r\n\r\n") + platform::AsciiUpper(platform::FileNameOf(path));
}

QString ReplaceByDropQuestion(const QString& target)
{
    return QStringLiteral("Le fichier \"%1\" existe déjà dans :\r\n%2\r\n\r\nLe remplacer par le fichier déposé ?")
        .arg(platform::FileNameOf(target), QFileInfo(target).path());
}

} // namespace polyx
