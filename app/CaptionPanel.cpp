#include "app/CaptionPanel.h"
#include "app/LazyIcon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QColor kPanelBorder("#c9d3e0");

// The blue bar above the panel's content.
class CaptionBar : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient gradient(rect().topLeft(), rect().topRight());
        gradient.setColorAt(0, QColor("#1e5aa8"));
        gradient.setColorAt(1, QColor("#3d7fd1"));
        painter.fillRect(rect(), gradient);
    }
};

} // namespace

CaptionPanel::CaptionPanel(const QString& objectName, const QString& caption, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(objectName);
    setAccessibleName(caption);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto* bar = new CaptionBar(this);
    bar->setObjectName(objectName + "_caption");
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(8, 3, 4, 3);
    m_caption = new QLabel(caption, bar);
    QPalette captionColours = m_caption->palette();
    captionColours.setColor(QPalette::WindowText, Qt::white);
    m_caption->setPalette(captionColours);
    QFont captionFont = m_caption->font();
    captionFont.setBold(true);
    captionFont.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    m_caption->setFont(captionFont);
    barLayout->addWidget(m_caption, 1);
    outer->addWidget(bar);

    auto* content = new QWidget(this);
    m_body = new QVBoxLayout(content);
    m_body->setContentsMargins(3, 3, 3, 3);
    m_body->setSpacing(3);
    outer->addWidget(content, 1);
}

void CaptionPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(kPanelBorder);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}


QToolButton* CaptionPanel::addHelpButton()
{
    auto* button = new QToolButton(m_caption->parentWidget());
    button->setObjectName(objectName() + "_help");
    button->setIcon(SvgIcon(":/icons/help.svg"));
    button->setAutoRaise(true);
    button->setToolTip("Aide");
    button->setAccessibleName("Aide");
    m_caption->parentWidget()->layout()->addWidget(button);
    return button;
}
