#include "files/OpenRoute.h"

#include "platform/FileNames.h"

namespace polyx {

namespace {

OpenRoute dictionaryRoute(const QString& upperPath, int dictionaryPage)
{
    if (upperPath.contains(u"INTERNE"))
        return {OpenTarget::InternalDictionary};
    if (upperPath.contains(u"SANVOR.DICO"))
        return {OpenTarget::SanvorDictionary};
    if (upperPath.contains(u"EXTERNE"))
        return {OpenTarget::ExternalDictionary};
    switch (dictionaryPage) {
    case ExternalPage:
    case FusionPage:
        return {OpenTarget::ExternalDictionary, false};
    case InternalPage:
        return {OpenTarget::InternalDictionary, false};
    default:
        return {};
    }
}

} // namespace

OpenRoute RouteFile(const QString& path, int dictionaryPage)
{
    const QString upperPath = platform::AsciiUpper(path);
    const QString extension = platform::UpperExtension(path);
    if (extension == u".DICO")
        return dictionaryRoute(upperPath, dictionaryPage);
    if (extension == u".DICU")
        return {OpenTarget::QuestionList};
    if (extension == u".SKRIVO" || extension == u".TXT")
        return {upperPath.contains(u"INTERNE") ? OpenTarget::InternalScript : OpenTarget::ExternalScript};
    if (extension == u".SKRU")
        return {OpenTarget::UniversalScript};
    if (extension == u".RTF")
        return {OpenTarget::RichTextLetter};
    return {};
}

QString ReplaceQuestion(OpenTarget target, int currentCount, const QString& label, int loadedCount)
{
    const bool sanvor = target == OpenTarget::SanvorDictionary;
    return (sanvor ? QStringLiteral("Le Dictionnaire Sanvor actuel contient ")
                   : QStringLiteral("Le Dictionnaire Universel actuel contient "))
           + QString::number(currentCount) + QStringLiteral(" entrées") + QStringLiteral("\r\n\r\n")
           + QStringLiteral("Le fichier chargé \"") + label + QStringLiteral("\" en contient ")
           + QString::number(loadedCount) + QStringLiteral("\r\n\r\n\r\n\r\n") + QString(60, u'*')
           + QStringLiteral("\r\n\r\n")
           + (sanvor ? QStringLiteral("Remplacer le  dictionnaire Sanvor par celui-ci ? ")
                     : QStringLiteral("Remplacer le  dictionnaire universel par celui-ci ? "));
}

} // namespace polyx
