#include "files/FolderListing.h"

#include <QDir>
#include <QRegularExpression>

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
    const QDir::SortFlags order = QDir::Name | QDir::IgnoreCase;
    QList<FolderEntry> entries;
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, order))
        entries.append({name, true});
    const QRegularExpression expression = maskExpression(mask);
    for (const QString& name : dir.entryList(QDir::Files, order))
        if (expression.match(name).hasMatch())
            entries.append({name, false});
    return entries;
}

} // namespace polyx
