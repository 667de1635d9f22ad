#include "dictionaries/DictionaryJoin.h"

#include "dictionaries/DictionaryLines.h"
#include "dictionaries/KeyCollation.h"
#include "platform/FileNames.h"

#include <map>
#include <vector>

namespace polyx {

JoinedDictionary JoinDictionaries(const QList<QStringList>& files)
{
    QStringList lines;
    QString author;
    for (const QStringList& file : files) {
        if (!file.isEmpty() && file.first().startsWith(u"<_AUTEUR>"))
            author = file.first();
        lines += file;
    }
    lines.removeIf([](const QString& line) { return line.contains(u"<_"); });
    lines << author << QStringLiteral("<_TITRE>=G L O B A L") << QStringLiteral("<_CODE>=0");

    const QCollator collator = KeyCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(lines.size());
    for (const QString& line : std::as_const(lines))
        keys.push_back(collator.sortKey(line));
    const QList<int> order = StableKeyOrder(keys);

    struct SortKeyLess {
        bool operator()(const QCollatorSortKey& a, const QCollatorSortKey& b) const { return a.compare(b) < 0; }
    };
    std::map<QCollatorSortKey, QString, SortKeyLess> keptKeys;
    JoinedDictionary joined;
    int previous = -1;
    for (int i : order) {
        if (previous >= 0 && keys[previous].compare(keys[i]) == 0)
            continue;
        previous = i;
        // Lines without a key may repeat in a dictionary.
        const QString key = DictionaryLines::KeyOfLine(lines[i]);
        if (!key.isEmpty()) {
            const auto [kept, isNew] = keptKeys.emplace(collator.sortKey(key), key);
            if (!isNew) {
                if (!joined.repeatedKeys.contains(kept->second))
                    joined.repeatedKeys.append(kept->second);
                continue;
            }
        }
        joined.lines.append(lines[i]);
    }
    return joined;
}

QString RepeatedKeysText(const QStringList& keys)
{
    constexpr int kShown = 20;
    QString text = QStringLiteral("Ces clés avaient plusieurs valeurs ; seule la première a été gardée :");
    for (const QString& key : keys.mid(0, kShown))
        text += QStringLiteral("\r\n") + key;
    if (keys.size() > kShown)
        text += QStringLiteral("\r\n…");
    return text;
}

QString JoinedFileName(const QString& chosenPath)
{
    QString name = platform::FileNameOf(chosenPath);
    if (!name.isEmpty() && !name.startsWith(u'_'))
        name.prepend(u'_');
    return platform::AsciiUpper(name);
}

QString JoinQuestion(int count)
{
    const QString stars(80, u'*');
    return QStringLiteral("Vous allez regrouper : \r\n\r\n") + QString::number(count) + QStringLiteral("  Dictionnaires ?")
           + QStringLiteral("\r\n\r\n") + stars + QStringLiteral("\r\n\r\n")
           + QStringLiteral("Il est fortement recommandé de ne regrouper que les dictionnaires du \"MEME AUTEUR\"")
           + QStringLiteral("\r\n")
           + QStringLiteral("Regrouper les dictionnaires d'auteurs différents n'a pas de sens !")
           + QStringLiteral("\r\n\r\n")
           + QStringLiteral("Le Regroupement des Dictionnaires, permettra ensuite de n'utiliser qu'un seul _DICO")
           + QStringLiteral("\r\n") + QStringLiteral("pour tous les scripts/skrivo du même auteur")
           + QStringLiteral("\r\n\r\n") + stars + QStringLiteral("\r\n\r\n")
           + QStringLiteral("Utilisez le Filtre ou pointez les fichiers (CTRL+CLIC) pour modifier la sélection");
}

QString ReplaceByJoinQuestion(const QString& target)
{
    return QStringLiteral("Le fichier \"%1\" existe déjà.\r\n\r\nLe remplacer par ce regroupement de dictionnaires ?")
        .arg(target);
}

} // namespace polyx
