#include "platform/ProgressWindow.h"

#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace platform {

ProgressWindow::~ProgressWindow() { finish(); }

void ProgressWindow::start(const QString& title, int total)
{
    finish();
    m_total = total;
    m_cancelled = false;
    m_window = new QDialog(mainWindow());
    m_window->setObjectName("Progression");
    m_window->setWindowTitle(title);
    m_window->setAccessibleName(title);
    // Input goes to this window only: no other command can start meanwhile.
    m_window->setWindowModality(Qt::ApplicationModal);
    m_item = new QLabel(m_window);
    m_item->setObjectName("item");
    m_item->setAccessibleName("Fichier en cours");
    m_item->setTextFormat(Qt::PlainText);
    m_item->setMinimumWidth(360);
    m_count = new QLabel(m_window);
    m_count->setObjectName("count");
    m_count->setAccessibleName("Avancement");
    m_bar = new QProgressBar(m_window);
    m_bar->setRange(0, qMax(total, 1));
    m_bar->setTextVisible(false);
    auto* cancel = new QPushButton("Annuler", m_window);
    cancel->setObjectName("cancel");
    cancel->setAccessibleName("Annuler");
    QObject::connect(cancel, &QPushButton::clicked, m_window, [this] { m_cancelled = true; });
    // Closing the window or Escape asks the same as "Annuler".
    QObject::connect(m_window, &QDialog::rejected, m_window, [this] {
        m_cancelled = true;
        if (m_window)
            m_window->show();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(m_window);
    layout->addWidget(m_item);
    layout->addWidget(m_count);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    m_window->show();
    QCoreApplication::processEvents();
}

bool ProgressWindow::step(const QString& item, int done)
{
    if (!m_window)
        return !m_cancelled;
    m_item->setText(item);
    m_count->setText(QStringLiteral("%1 / %2").arg(done + 1).arg(m_total));
    m_bar->setValue(done);
    QCoreApplication::processEvents();
    return !m_cancelled;
}

void ProgressWindow::finish()
{
    delete m_window.data();
    m_window = nullptr;
}

} // namespace platform
