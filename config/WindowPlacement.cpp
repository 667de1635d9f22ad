#include "config/WindowPlacement.h"

#include "config/ConfigStore.h"
#include "config/IntegerText.h"
#include "platform/Error.h"

namespace {

int pieceValue(const QString& piece)
{
    const auto value = config::IntegerFromText(piece);
    if (!value)
        throw polyx::Error(QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(piece));
    return *value;
}

} // namespace

QString PlacementText(const QRect& frame)
{
    return QStringLiteral("%1:%2:%3:%4")
        .arg(frame.left())
        .arg(frame.top())
        .arg(frame.width())
        .arg(frame.height());
}

QRect PlacementFromText(const QString& stored, const QRect& current, const QRect& workArea)
{
    const QStringList pieces = SplitText(stored, QStringLiteral(":"));
    if (pieces.size() < 4)
        return current;

    int left = pieceValue(pieces[0]);
    if (left > workArea.width())
        left = workArea.width() - current.width();
    int top = pieceValue(pieces[1]);
    if (top < 0)
        top = 0;
    int width = pieceValue(pieces[2]);
    if (workArea.width() < width)
        width = workArea.width();
    int height = pieceValue(pieces[3]);
    if (workArea.height() < height)
        height = workArea.height();
    return QRect(left, top, width, height);
}
