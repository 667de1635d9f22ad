#include "platform/PlainToolTip.h"

#include <QTextDocument>

namespace platform {

QString plainToolTip(const QString& text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
}

} // namespace platform
