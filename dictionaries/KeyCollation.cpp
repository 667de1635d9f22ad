#include "dictionaries/KeyCollation.h"

#include <QLocale>

namespace polyx {

QCollator KeyCollator()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::French, QLocale::France);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

} // namespace polyx
