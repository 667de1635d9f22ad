#pragma once
#include <QObject>

// Tells of the double-clicks on a widget that has no signal for them (the
// viewport of a text view, say). Owned by that widget.
class DoubleClickRelay : public QObject {
    Q_OBJECT
public:
    explicit DoubleClickRelay(QWidget* watched);

signals:
    void doubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
