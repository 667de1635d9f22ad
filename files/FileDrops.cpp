#include "files/FileDrops.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

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

// Watching the whole application also covers the widgets created after the
// window, such as the editors of grid cells.
FileDropPassThrough::FileDropPassThrough(QWidget* window) : QObject(window), m_window(window)
{
    qApp->installEventFilter(this);
}

bool FileDropPassThrough::eventFilter(QObject* watched, QEvent* event)
{
    // Refused here, the drag goes on to the parents and reaches the window.
    if (event->type() == QEvent::DragEnter && watched != m_window && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == m_window
        && !DroppedFiles(static_cast<QDragEnterEvent*>(event)->mimeData()).isEmpty()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
