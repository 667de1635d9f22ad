#include "platform/WindowBalloon.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace platform {
namespace {
constexpr int margin = 12;
constexpr int widest = 360;

QLabel* plainLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    // Reports hold field codes such as "<NOM>": never read them as markup.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}
} // namespace

WindowBalloon::WindowBalloon(QWidget* window)
    : QFrame(window),
      m_title(plainLabel(QStringLiteral("balloonTitle"), this)),
      m_text(plainLabel(QStringLiteral("balloonText"), this)),
      m_hideTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("notificationBalloon"));
    setStyleSheet(QStringLiteral(
        "#notificationBalloon { background: palette(tool-tip-base); border: 1px solid palette(dark);"
        " border-radius: 6px; } QLabel { color: palette(tool-tip-text); }"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addWidget(m_title);
    layout->addWidget(m_text);

    m_hideTimer->setSingleShot(true);
    m_hideTimer->setInterval(shownMilliseconds);
    connect(m_hideTimer, &QTimer::timeout, this, &QWidget::hide);
    hide();
}

void WindowBalloon::showNote(const QString& title, const QString& text)
{
    m_title->setText(title);
    m_text->setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_text->setVisible(!text.isEmpty());

    const QWidget* window = parentWidget();
    const int width = qMax(120, qMin(widest, window->width() - 2 * margin));
    setFixedWidth(width);
    const int height = heightForWidth(width);
    setFixedHeight(height > 0 ? height : sizeHint().height());
    move(window->width() - width - margin, window->height() - this->height() - margin);
    raise();
    show();
    // A new note gets its full time even when the previous one is still up.
    m_hideTimer->start();
}

void WindowBalloon::mousePressEvent(QMouseEvent* event)
{
    QFrame::mousePressEvent(event);
    hide();
    emit clicked();
}

} // namespace platform
