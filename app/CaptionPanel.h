#pragma once
#include <QFrame>

class QLabel;
class QToolButton;
class QVBoxLayout;

// A panel under a caption bar; the bar may carry a help button.
class CaptionPanel : public QFrame {
    Q_OBJECT
public:
    CaptionPanel(const QString& objectName, const QString& caption, QWidget* parent = nullptr);
    QVBoxLayout* body() const { return m_body; }
    // Shows the help button of the caption bar; returns it for wiring.
    QToolButton* addHelpButton();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_caption;
    QVBoxLayout* m_body;
};
