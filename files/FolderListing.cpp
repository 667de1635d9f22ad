#include "files/FolderListing.h"

#include "dictionaries/KeyCollation.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>

namespace polyx {

namespace {

QRegularExpression maskExpression(const QString& mask)
{
    QString pattern;
    for (const QChar c : mask) {
        if (c == u'*')
            pattern += QStringLiteral(".*");
        else if (c == u'?')
            pattern += u'.';
        else
            pattern += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                              QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
}

} // namespace

QString BuildMask(const QString& boxText, QString& listExt)
{
    if (listExt.isEmpty())
        listExt = QStringLiteral("dico");
    return boxText + QStringLiteral("*.") + listExt + u'*';
}

bool MatchesMask(const QString& name, const QString& mask)
{
    return maskExpression(mask).match(name).hasMatch();
}

QList<FolderEntry> ListFolder(const QString& folder, const QString& mask)
{
    const QDir dir(folder);
    // QDir sorts by code point, which puts "Été" after "Zoo": names are read
    // as the user reads them, the way dictionary keys are.
    const QCollator collator = KeyCollator();
    const auto byCollation = [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    };
    QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(folders.begin(), folders.end(), byCollation);
    QStringList files;
    const QRegularExpression expression = maskExpression(mask);
    for (const QString& name : dir.entryList(QDir::Files))
        if (expression.match(name).hasMatch())
            files.append(name);
    std::sort(files.begin(), files.end(), byCollation);

    QList<FolderEntry> entries;
    for (const QString& name : folders)
        entries.append({name, true});
    for (const QString& name : files)
        entries.append({name, false});
    return entries;
}

} // namespace polyx
