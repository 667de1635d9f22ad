#include "app/CaptionPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

CaptionPanel::CaptionPanel(const QString& objectName, const QString& caption, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(objectName);
    setAccessibleName(caption);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto* bar = new QFrame(this);
    bar->setObjectName(objectName + "_caption");
    bar->setProperty("captionBar", true);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(8, 3, 4, 3);
    m_caption = new QLabel(caption, bar);
    m_caption->setProperty("captionText", true);
    barLayout->addWidget(m_caption, 1);
    outer->addWidget(bar);

    auto* content = new QWidget(this);
    m_body = new QVBoxLayout(content);
    m_body->setContentsMargins(3, 3, 3, 3);
    m_body->setSpacing(3);
    outer->addWidget(content, 1);
}

QString CaptionPanel::caption() const { return m_caption->text(); }

QToolButton* CaptionPanel::addHelpButton()
{
    auto* button = new QToolButton(m_caption->parentWidget());
    button->setObjectName(objectName() + "_help");
    button->setIcon(QIcon(":/icons/help.svg"));
    button->setAutoRaise(true);
    button->setToolTip("Aide");
    button->setAccessibleName("Aide");
    m_caption->parentWidget()->layout()->addWidget(button);
    return button;
}
