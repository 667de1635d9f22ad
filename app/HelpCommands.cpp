// The menu "?": the guide, F1 at the part that has the focus, the about box
// and the first start's hint.
#include "app/Unit1.h"

#include "app/AboutBox.h"
#include "app/GuideSections.h"
#include "app/HelpWindow.h"
#include "app/WorkFolders.h"
#include "config/ConfigStore.h"
#include "platform/CommandGuard.h"
#include "platform/FileLocations.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QShortcut>

void TForm1::connectHelp()
{
    // F1 asks the guide at the part that has the focus, in every window of
    // the program; the menu item, which shows F1 beside it, opens its start.
    action("AIDE")->setShortcutContext(Qt::WidgetShortcut);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::ApplicationShortcut);
    connect(f1, &QShortcut::activated, this, [this] { platform::runGuarded([this] { AIDE_CONTEXTE(); }); });
    // Any command ends the first start's hint.
    for (QAction* command : std::as_const(m_actions))
        connect(command, &QAction::triggered, this, [this] { endFirstUseHint(); });
}

void TForm1::AIDE() { ShowGuide(QString::fromLatin1(polyx::GuidePages().front())); }

void TForm1::AIDE_CONTEXTE()
{
    QStringList names;
    for (const QObject* part = QApplication::focusWidget(); part; part = part->parent())
        names << part->objectName();
    if (names.isEmpty())
        if (const QWidget* window = QApplication::activeWindow())
            names << window->objectName();
    ShowGuide(polyx::GuideSectionFor(names, m_batch.has_value()));
}

void TForm1::ShowGuide(const QString& section)
{
    // A modal box (the batch dialog) blocks the main window's children: the
    // guide asked from it belongs to it.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this) {
        auto* window = new HelpWindow(platform::guideFolder(), modal);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->showSection(section);
        return;
    }
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(platform::guideFolder(), this);
    m_helpWindow->showSection(section);
}

void TForm1::AIDE_APROPOS()
{
    if (!m_aboutBox)
        m_aboutBox = new AboutBox(WorkDir(), ConfigFileName(), this);
    m_aboutBox->show();
    m_aboutBox->raise();
    m_aboutBox->activateWindow();
}

void TForm1::startFirstUseHint(bool configurationExisted)
{
    m_firstUse = !configurationExisted;
    // The hint needs the width of the panel of picked codes, empty until then.
    StatusPanelPick->setVisible(!m_firstUse);
    if (m_firstUse)
        ShowStatusSummary(QStringLiteral("Première utilisation ? Menu « ? » > Premiers pas : ouvrir l'exemple"));
}

void TForm1::endFirstUseHint()
{
    if (!m_firstUse)
        return;
    m_firstUse = false;
    StatusPanelPick->show();
    if (StatusPanelSpare->text().startsWith(QStringLiteral("Première utilisation ?")))
        ShowStatusSummary(QString());
}
