#include "files/FileDrops.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

QStringList DroppedFiles(const QMimeData* mime)
{
    QStringList paths;
    if (!mime)
        return paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}

bool FileDropPassThrough::eventFilter(QObject* watched, QEvent* event)
{
    // Refused here, the drag goes on to the parents and reaches the window.
    if (event->type() == QEvent::DragEnter && !DroppedFiles(static_cast<QDragEnterEvent*>(event)->mimeData()).isEmpty()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
