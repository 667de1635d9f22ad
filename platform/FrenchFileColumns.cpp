#include "platform/FrenchFileColumns.h"

#include <QFileSystemModel>
#include <QLocale>

namespace platform {
namespace {
// QFileSystemModel's columns.
constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kDateColumn = 3;
} // namespace

QVariant FrenchFileColumns::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files || role != Qt::DisplayRole || index.column() < kSizeColumn || index.column() > kDateColumn)
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QLocale french(QLocale::French, QLocale::France);
    switch (index.column()) {
    case kDateColumn:
        return french.toString(files->lastModified(source), QLocale::ShortFormat);
    case kTypeColumn:
        // Qt's French translation has no text for it; files are typed by
        // their MIME comment, already in the default locale's language.
        if (files->isDir(source))
            return QStringLiteral("Dossier");
        break;
    case kSizeColumn:
        if (!files->isDir(source))
            return french.formattedDataSize(files->size(source));
        break;
    }
    return QIdentityProxyModel::data(index, role);
}

} // namespace platform
