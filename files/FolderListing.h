#pragma once
#include <QList>
#include <QString>

namespace polyx {

// The mask at start, before the mask box or a kind tab is used.
inline constexpr const char* kStartMask = "*.dic?";

// The box text, "*.", the listed extension, "*". An empty extension first
// becomes "dico".
QString BuildMask(const QString& boxText, QString& listExt);

// "*" any run of characters, "?" exactly one, letter case ignored; every
// other character stands for itself.
bool MatchesMask(const QString& name, const QString& mask);

struct FolderEntry {
    QString name;
    bool isFolder = false;
    // The name's bytes when they are not valid UTF-8: `name` then only
    // shows it (platform/NativeNames.h), no path can be made of it.
    QByteArray nativeName = {};
    bool operator==(const FolderEntry&) const = default;
};

// The sub-folders, then the files that match the mask, each group in the
// order of KeyCollator (the user's locale, letter case ignored). Hidden
// entries are left out; names made on another system are not.
QList<FolderEntry> ListFolder(const QString& folder, const QString& mask);

} // namespace polyx
