#include "platform/WindowBalloon.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QTextLayout>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace platform {
namespace {
constexpr int margin = 12;
constexpr int widest = 360;

// Lays the text out in lines of `width`, breaking between words where it
// can and anywhere else (a field code such as "<NOM>=%NOM%" has no space),
// and draws it when given a painter. Gives the height it takes.
int layOutWrapped(const QString& text, const QFont& font, int width, QPainter* painter = nullptr)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    qreal y = 0;
    for (const QString& paragraph : text.split(u'\n')) {
        QTextLayout layout(paragraph, font, painter ? painter->device() : nullptr);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout.endLayout();
        if (painter)
            layout.draw(painter, QPointF(0, 0));
    }
    return int(std::ceil(y));
}

// A plain-text label whose lines wrap as layOutWrapped says; QLabel wraps
// between words only, so a long code would run out of the balloon.
class WrappedLabel : public QLabel {
public:
    WrappedLabel(const QString& name, QWidget* parent) : QLabel(parent)
    {
        setObjectName(name);
        // Reports hold field codes such as "<NOM>": never read them as markup.
        setTextFormat(Qt::PlainText);
        setWordWrap(true);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return layOutWrapped(text(), font(), width); }
    QSize sizeHint() const override { return {widest, heightForWidth(widest)}; }
    QSize minimumSizeHint() const override { return {1, fontMetrics().height()}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::ToolTipText));
        layOutWrapped(text(), font(), width(), &painter);
    }
};
} // namespace

WindowBalloon::WindowBalloon(QWidget* window)
    : QWidget(window),
      m_title(new WrappedLabel(QStringLiteral("balloonTitle"), this)),
      m_text(new WrappedLabel(QStringLiteral("balloonText"), this)),
      m_hideTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("notificationBalloon"));
    // Whatever lies below (tool buttons, text) never shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
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
    window->installEventFilter(this);
    hide();
}

void WindowBalloon::showNote(const QString& title, const QString& text)
{
    m_title->setText(title);
    m_text->setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_text->setVisible(!text.isEmpty());
    setAccessibleName(title);
    setAccessibleDescription(m_text->text());
    place();
    raise();
    show();
    // A new note gets its full time even when the previous one is still up.
    m_hideTimer->start();
}

// In the lower-right corner, as wide as the text needs up to `widest`, and
// never beyond the window: a small window cuts the note's last lines
// rather than the note its window's edge.
void WindowBalloon::place()
{
    const QWidget* window = parentWidget();
    const int room = qMax(1, window->width() - 2 * margin);
    const int width = qMin(widest, room);
    const int height = qMin(layout()->totalHeightForWidth(width), qMax(1, window->height() - 2 * margin));
    setGeometry(qMax(0, window->width() - width - margin), qMax(0, window->height() - height - margin), width, height);
}

void WindowBalloon::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool WindowBalloon::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        place();
    return QWidget::eventFilter(watched, event);
}

void WindowBalloon::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    hide();
    emit clicked();
}

} // namespace platform
