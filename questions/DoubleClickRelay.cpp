#include "questions/DoubleClickRelay.h"

#include <QEvent>
#include <QWidget>

DoubleClickRelay::DoubleClickRelay(QWidget* watched) : QObject(watched)
{
    watched->installEventFilter(this);
}

bool DoubleClickRelay::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick)
        emit doubleClicked();
    return QObject::eventFilter(watched, event);
}
