#pragma once
#include <QIdentityProxyModel>

namespace platform {

// Qt's file model writes sizes and dates in the system locale ("500 bytes",
// English dates under an English desktop) whatever the translations loaded,
// and folders as "Folder", which Qt's French translation lacks; this proxy
// of a QFileSystemModel writes them in French, as the rest of the file
// dialog.
class FrenchFileColumns : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

} // namespace platform
