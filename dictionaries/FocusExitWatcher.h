#pragma once
#include <QObject>
#include <QPointer>

#include <vector>

class QWidget;

// Tells when the keyboard focus leaves an area of a window for another
// control of the same window. The focus going to a dialog, a pop-up menu or
// nowhere (the window deactivated, a page being switched) leaves nothing:
// the area is left when the focus lands outside it again.
class FocusExitWatcher : public QObject {
    Q_OBJECT
public:
    explicit FocusExitWatcher(QWidget* window);

    // Areas left by the same move are told of in the order they were added.
    // `outside` is a child of the area that counts as outside it.
    void watch(QWidget* area, QWidget* outside = nullptr);

signals:
    void left(QWidget* area);

private:
    void focusChanged(QWidget* old, QWidget* now);

    struct Area {
        QPointer<QWidget> widget;
        QPointer<QWidget> outside;
        bool inside = false;
    };
    QWidget* m_window;
    std::vector<Area> m_areas;
};
