#pragma once
#include <QFrame>

class QLabel;
class QTimer;

namespace platform {

// The balloon drawn inside a window where the desktop has no notification
// area: a small framed note in the window's lower-right corner that hides
// itself after a few seconds or when clicked (and says so).
class WindowBalloon : public QFrame {
    Q_OBJECT
public:
    static constexpr int shownMilliseconds = 6000;

    explicit WindowBalloon(QWidget* window);
    void showNote(const QString& title, const QString& text);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* m_title;
    QLabel* m_text;
    QTimer* m_hideTimer;
};

} // namespace platform
