#pragma once
#include <QString>

namespace platform {

// A tool tip that shows `text` as written. Qt has no plain-text tool tip and
// reads a text that looks like markup ("<B>", "<CODE>"...) as markup: such a
// text is escaped into markup of its own; any other is left as it is.
QString plainToolTip(const QString& text);

} // namespace platform
