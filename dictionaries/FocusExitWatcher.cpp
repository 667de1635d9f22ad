#include "dictionaries/FocusExitWatcher.h"

#include <QApplication>
#include <QWidget>

namespace {
bool holds(const QWidget* area, const QWidget* widget)
{
    return area && widget && (area == widget || area->isAncestorOf(widget));
}
} // namespace

FocusExitWatcher::FocusExitWatcher(QWidget* window) : QObject(window), m_window(window)
{
    connect(qApp, &QApplication::focusChanged, this, &FocusExitWatcher::focusChanged);
}

void FocusExitWatcher::watch(QWidget* area, QWidget* outside)
{
    m_areas.push_back({area, outside, false});
}

void FocusExitWatcher::focusChanged(QWidget*, QWidget* now)
{
    if (!now || now->window() != m_window)
        return;
    const QPointer<QWidget> target(now);
    for (std::size_t i = 0; i < m_areas.size(); ++i) {
        Area& area = m_areas[i];
        const bool inside = holds(area.widget, target) && !holds(area.outside, target);
        if (inside || !area.inside) {
            area.inside = inside;
            continue;
        }
        // Marked first: what the handler does may move the focus again.
        area.inside = false;
        emit left(area.widget);
    }
}
