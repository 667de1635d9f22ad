#pragma once
#include <QObject>

class QTabWidget;

// Tells of the mouse presses on the tab strip of a page set (its tabs and
// the room beside them), not on its pages or its corner widget. A left
// press on a tab chooses the tab and is not told. Owned by the page set.
class TabStripPresses : public QObject {
    Q_OBJECT
public:
    explicit TabStripPresses(QTabWidget* pages);

signals:
    void pressed(Qt::MouseButton button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTabWidget* m_pages;
};
