#include "app/TabStripPresses.h"

#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>

TabStripPresses::TabStripPresses(QTabWidget* pages) : QObject(pages), m_pages(pages)
{
    // The tab bar passes the presses it does not use on to its page set.
    pages->installEventFilter(this);
}

bool TabStripPresses::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pages && event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        const QTabBar* tabs = m_pages->tabBar();
        const QWidget* child = m_pages->childAt(press->position().toPoint());
        if (!child || child == tabs || tabs->isAncestorOf(child))
            emit pressed(press->button());
    }
    return QObject::eventFilter(watched, event);
}
