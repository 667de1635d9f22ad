#pragma once
#include <QWidget>

class QLabel;
class QTimer;

namespace platform {

// The balloon drawn inside a window where the desktop has no notification
// area: a note on an opaque ground in the window's lower-right corner that
// stays within the window, whatever its size, and wraps its lines (a long
// code without a space included); it hides itself after a few seconds or
// when clicked (and says so).
class WindowBalloon : public QWidget {
    Q_OBJECT
public:
    static constexpr int shownMilliseconds = 6000;

    explicit WindowBalloon(QWidget* window);
    void showNote(const QString& title, const QString& text);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Follows the window's size while it shows.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QLabel* m_title;
    QLabel* m_text;
    QTimer* m_hideTimer;
};

} // namespace platform
