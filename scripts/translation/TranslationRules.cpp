#include "scripts/translation/TranslationRules.h"

#include "scripts/translation/SearchableText.h"

namespace polyx {
namespace {

void Count(TranslationReport& report, const QString& key, const QString& value)
{
    ++report.count;
    if (report.count <= ReportedEntriesLimit)
        report.lines += key + QStringLiteral(" => ") + value + QStringLiteral("\r\n");
}

QString CountTitle(int count)
{
    return QString::number(count) + QStringLiteral(" REMPLACEMENT(S)");
}

} // namespace

bool IsUsableEntry(const QString& key, const QString& value)
{
    return !key.isEmpty() && !(key.size() > 1 && key.at(1) == u'_') && !value.isEmpty();
}

TranslationReport TranslateIntoInternal(const DictionaryEntries& fusion,
                                        TranslationTarget& target,
                                        TranslationObserver* observer,
                                        const QList<int>& headerRows)
{
    TranslationReport report;
    // The observer sees the rows this loop walks: its skip rule is the
    // report's too.
    for (qsizetype row = 0; row < fusion.size(); ++row) {
        if (headerRows.contains(int(row) + 1))
            continue;
        const auto& [key, value] = fusion.at(row);
        if (!IsUsableEntry(key, value))
            continue;
        if (!target.ContainsExactly(key)) {
            if (observer)
                observer->Walked(key, value, nullptr);
            continue;
        }
        Count(report, key, value);
        const Replaced replaced = target.ReplaceAll(key, value);
        if (observer)
            observer->Walked(key, value, &replaced);
    }
    if (report.count > 0) {
        report.balloonTitle = CountTitle(report.count);
        report.balloonText = report.lines;
    } else {
        report.balloonTitle = QStringLiteral("Aucun remplacement n'a pu être effectué");
        report.balloonText = QStringLiteral(
            "Etes vous sûr d'avoir choisi les bons dictionnaires ?\r\n\r\n"
            "Et de les avoir placés dans le bon sens\r\n\r\n"
            "Verifiez que le DICO de Gauche correspond aux champs du SKRIVO de Gauche (SOURCE)\r\n"
            "Et que le DICO de Droite correspond aux champs du SKRIVO de Droite (CIBLE)");
    }
    return report;
}

TranslationReport TranslateIntoUniversal(const DictionaryEntries& external,
                                         const QString& externalText,
                                         TranslationTarget& target,
                                         TranslationObserver* observer)
{
    TranslationReport report;
    const SearchableText source(externalText);
    for (const auto& [key, value] : external) {
        if (!IsUsableEntry(key, value))
            continue;
        if (!source.containsExactly(value)) {
            if (observer)
                observer->Walked(value, key, nullptr);
            continue;
        }
        Count(report, key, value);
        const Replaced replaced = target.ReplaceAll(value, key);
        if (observer)
            observer->Walked(value, key, &replaced);
    }
    if (report.count > 0) {
        report.balloonTitle = CountTitle(report.count);
        report.balloonText = report.lines;
    } else {
        report.balloonTitle = QStringLiteral("Aucun remplacement n'a été effectué");
    }
    return report;
}

QString EmptySourceMessageForInternal()
{
    return QStringLiteral("Rien à traiter : Le texte source est vide !\r\n\r\n"
                          "Vous devez d'abord COLLER ou DEPOSER un texte dans la page 1= \"EXTERNE\"");
}

QString EmptySourceMessageForUniversal()
{
    return QStringLiteral("Le texte source est vide !\r\n\r\n"
                          "Vous devez d'abord COLLER, OUVRIR ou DEPOSER un texte dans la page 1= \"EXTERNE\"");
}

} // namespace polyx
