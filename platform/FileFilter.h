#pragma once
#include <QString>
#include <QStringList>

namespace platform {

// "Desc|*.a;*.b|Tous|*.*" becomes {"Desc (*.a *.b)", "Tous (*.*)"}, one entry
// per description/pattern pair; a description left without a pattern is dropped.
QStringList qtNameFilters(const QString& filter);

// The same filters in the one-string form Qt's file dialogs take ("A;;B").
QString qtFilter(const QString& filter);

} // namespace platform
