#include "questions/QuestionInfo.h"

#include "questions/QuestionText.h"

namespace polyx {

QuestionInfoFile LocateQuestionInfo(const QString& folder, const std::optional<QString>& entry)
{
    if (!entry)
        return {};
    QuestionInfoFile file;
    file.name = QuestionName(*entry);
    const QString separator = folder.endsWith(u'/') ? QString() : QStringLiteral("/");
    file.path = folder + separator + u'@' + file.name + QStringLiteral(".TXT");
    return file;
}

QStringList QuestionInfoTemplate(const QString& name)
{
    const QString rule(80, u'-');
    return {
        QStringLiteral("*** <") + name + QStringLiteral("> ***"),
        QStringLiteral("Définition : "),
        rule,
        QStringLiteral("== QUESTION =={") + name + QStringLiteral("} : Valeur/Défaut"),
        rule,
        QStringLiteral("Type           : "),
        QStringLiteral("Unité          : "),
        QStringLiteral("Précision      : "),
        QStringLiteral("Minimum        : "),
        QStringLiteral("Maximum        : "),
        QStringLiteral("Obligatoire    : "),
        QStringLiteral("Lecture seule  : "),
        rule,
        QStringLiteral("Note           : "),
        QString(),
        QStringLiteral("Incidence Sanvor :"),
    };
}

} // namespace polyx
