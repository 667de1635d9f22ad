#pragma once
#include <QString>
#include <QStringList>

namespace platform {

// "Desc|*.a;*.b|Tous|*.*" becomes {"Desc (*.a *.b)", "Tous (*.*)"}, one entry
// per description/pattern pair; a description left without a pattern is dropped.
QStringList qtNameFilters(const QString& filter);

// The same filters in the one-string form Qt's file dialogs take ("A;;B").
QString qtFilter(const QString& filter);

// The extension given to a name typed without one while file type `index`
// (from 1) of `filter` is chosen: that type's first pattern's extension,
// spelt as `defaultExt` when the two differ only in letter case; the
// default extension itself for "*.*", a wildcard extension or no such type.
QString extensionForType(const QString& filter, int index, const QString& defaultExt);

} // namespace platform
