#include "app/RecoveryWindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
std::function<bool(const QStringList&)>& testAnswer()
{
    static std::function<bool(const QStringList&)> answer;
    return answer;
}
} // namespace

RecoveryWindow::RecoveryWindow(const QStringList& items, QWidget* parent) : QDialog(parent)
{
    setObjectName("RecoveryWindow");
    setWindowTitle("Récupération");
    setAccessibleName("Récupération");
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel("Polyx'X ne s'est pas fermé normalement. Ces contenus n'avaient pas été enregistrés :", this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    m_list = new QListWidget(this);
    m_list->setAccessibleName("Contenus à récupérer");
    m_list->addItems(items);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* recover = buttons->addButton("Récupérer", QDialogButtonBox::AcceptRole);
    recover->setObjectName("Recuperer");
    recover->setAccessibleName("Récupérer");
    recover->setDefault(true);
    QPushButton* ignore = buttons->addButton("Ignorer", QDialogButtonBox::RejectRole);
    ignore->setObjectName("Ignorer");
    ignore->setAccessibleName("Ignorer");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, 260);
}

bool RecoveryWindow::ask(const QStringList& items, QWidget* parent)
{
    if (testAnswer())
        return testAnswer()(items);
    RecoveryWindow window(items, parent);
    return window.exec() == QDialog::Accepted;
}

void RecoveryWindow::answerWith(std::function<bool(const QStringList& items)> answer)
{
    testAnswer() = std::move(answer);
}
