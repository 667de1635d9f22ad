#include "files/FolderListing.h"

#include "dictionaries/KeyCollation.h"
#include "platform/NativeNames.h"

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
    // QDir sorts by code point, which puts "Été" after "Zoo": names are read
    // as the user reads them, the way dictionary keys are.
    const QCollator collator = KeyCollator();
    const auto byCollation = [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    };
    const auto byEntry = [&byCollation](const FolderEntry& a, const FolderEntry& b) {
        return a.isFolder != b.isFolder ? a.isFolder : byCollation(a.name, b.name);
    };
    // Qt's own listing would pass over a name that is not UTF-8.
    const QRegularExpression expression = maskExpression(mask);
    QList<FolderEntry> entries;
    for (const platform::NativeEntry& entry : platform::ListNativeEntries(folder)) {
        if (entry.name.startsWith('.'))
            continue;
        const QString name = platform::ShownName(entry.name);
        const QByteArray nativeName = platform::IsQtName(entry.name) ? QByteArray() : entry.name;
        if (entry.isFolder || (entry.isFile && expression.match(name).hasMatch()))
            entries.append({name, entry.isFolder, nativeName});
    }
    std::sort(entries.begin(), entries.end(), byEntry);
    return entries;
}

} // namespace polyx
