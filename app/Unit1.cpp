#include "app/Unit1.h"

#include "app/CaptionPanel.h"
#include "app/LazyIcon.h"
#include "app/MenuTable.h"
#include "app/RecoveryWatch.h"
#include "platform/CommandGuard.h"
#include "platform/PlainToolTip.h"
#include "platform/Services.h"
#include "scripts/ScriptLoadQueue.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QAbstractScrollArea>
#include <QToolBar>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <stdexcept>

namespace {

QString plainCaption(QString caption) { return caption.remove('&'); }

// "Tip|Long text": the part before "|" is the tool tip, the rest the status tip.
void applyHint(QAction* action, const char* hint)
{
    if (!hint) {
        action->setToolTip(QString());
        return;
    }
    const QString text = QString::fromUtf8(hint);
    const int bar = text.indexOf('|');
    action->setToolTip(platform::plainToolTip(bar < 0 ? text : text.left(bar)));
    action->setStatusTip(bar < 0 ? text : text.mid(bar + 1));
}

const MenuRow* findSubMenu(const char* name)
{
    for (const MenuRow& row : subMenus())
        if (qstrcmp(row.name, name) == 0)
            return &row;
    return nullptr;
}

} // namespace

TForm1::TForm1()
{
    Q_INIT_RESOURCE(polyx);
    Q_INIT_RESOURCE(icons);
    setObjectName("Form1");
    setWindowTitle("Polyx'X : ***{:- 19.1.1");
    setWindowIcon(SvgIcon(":/polyx/PolyxX.svg"));
    platform::setMainWindow(this);

    buildActions();
    buildLayout();
    buildToolBars();
    buildMenus();
    connectHelp();
    connectScriptPanes();
    connectDictionaryEvents();
    connectTranslationEvents();
    connectBatchTranslation();

    resize(876, 585 + menuBar()->sizeHint().height());
    // Lay the hidden window out now, so the scripts panel gets its height.
    layout()->activate();
    centralWidget()->layout()->activate();
    setPanelTexteHeight(296);
    platform::attachNotificationIcon(this);

    // A command waits for the script files still being read: it never acts
    // on, or saves, a pane that does not hold its file yet.
    m_scriptLoads = new ScriptLoadQueue(this);
    m_scriptLoads->onProgress = [this](const QString& progress) { ShowStatusSummary(progress); };
    platform::setCommandPrelude([this] { m_scriptLoads->finish(); });

    m_recovery = new RecoveryWatch([this](const QList<polyx::RecoveryPane>& panes) { keepForRecovery(panes); },
                                   RecoveryWatch::kQuietMs, RecoveryWatch::kSpacingMs, this);
    platform::runGuarded([this] { FormCreate(); });
    // What the restore read is in its files already.
    connectRecovery();
}

TForm1::~TForm1()
{
    platform::setCommandPrelude({});
    platform::setMainWindow(nullptr);
}

void TForm1::buildActions()
{
    for (const ActionRow& row : actionTable()) {
        auto* action = new QAction(QString::fromUtf8(row.caption), this);
        action->setObjectName(row.name);
        action->setProperty("category", QString::fromUtf8(row.category));
        action->setIcon(SvgIcon(QString(":/icons/%1.svg").arg(row.icon)));
        action->setIconVisibleInMenu(true);
        applyHint(action, row.hint);
        if (row.shortcut)
            action->setShortcut(QKeySequence(row.shortcut));
        if (row.run) {
            const Command run = row.run;
            connect(action, &QAction::triggered, this, [this, run] { platform::runGuarded([this, run] { (this->*run)(); }); });
        } else {
            action->setEnabled(false);
        }
        addAction(action);
        m_actions.insert(row.name, action);
    }
}

void TForm1::run(const QString& actionName)
{
    for (const ActionRow& row : actionTable())
        if (actionName == row.name && row.run)
            return (this->*row.run)();
    throw std::logic_error("command not built: " + actionName.toStdString());
}

QAction* TForm1::action(const QString& name) const { return m_actions.value(name); }

QMenu* TForm1::buildMenu(const MenuRow& row, QWidget* parent)
{
    auto* menu = new QMenu(QString::fromUtf8(row.caption), parent);
    menu->setObjectName(row.name);
    m_menus.insert(row.name, menu);
    for (const MenuEntry& entry : row.entries) {
        if (entry.submenu) {
            menu->addMenu(buildMenu(*findSubMenu(entry.submenu), menu));
            continue;
        }
        if (!entry.item && !entry.action) {
            menu->addSeparator();
            continue;
        }
        QAction* target = entry.action ? m_actions.value(entry.action) : nullptr;
        QAction* shown = target;
        if (entry.item) {
            // An item of its own: it shows its own texts and runs either its
            // own command or the action it stands for.
            const QString caption = entry.caption ? QString::fromUtf8(entry.caption) : target->text();
            shown = new QAction(caption, menu);
            shown->setObjectName(entry.item);
            if (target) {
                shown->setIcon(target->icon());
                shown->setToolTip(target->toolTip());
                shown->setStatusTip(target->statusTip());
            }
            if (entry.hint)
                applyHint(shown, entry.hint);
            if (entry.shortcut)
                shown->setShortcut(QKeySequence(entry.shortcut));
            shown->setCheckable(entry.flags & MenuEntry::Checkable);
            shown->setChecked(entry.flags & MenuEntry::Checked);
            if (target) {
                shown->setEnabled(target->isEnabled());
                connect(target, &QAction::changed, shown, [shown, target] { shown->setEnabled(target->isEnabled()); });
                connect(shown, &QAction::triggered, target, [target] { target->trigger(); });
            } else if (entry.run) {
                const Command run = entry.run;
                connect(shown, &QAction::triggered, this, [this, run] { platform::runGuarded([this, run] { (this->*run)(); }); });
            } else if (!(entry.flags & MenuEntry::Checkable)) {
                shown->setEnabled(false);
            }
            m_actions.insert(entry.item, shown);
        }
        menu->addAction(shown);
        if (entry.flags & MenuEntry::Default)
            menu->setDefaultAction(shown);
    }
    return menu;
}

void TForm1::buildMenus()
{
    for (const MenuRow& row : mainMenus())
        menuBar()->addMenu(buildMenu(row, menuBar()));
    chk_StayOnTop = m_actions.value("chk_StayOnTop");
    mnu_SURLIGNER = m_actions.value("mnu_SURLIGNER");

    for (const PopupRow& popup : popupMenus()) {
        auto* control = findChild<QWidget*>(popup.control);
        QMenu* menu = buildMenu(popup.menu, control);
        // The pop-up's shortcuts act while its control has the focus.
        for (QAction* item : menu->actions()) {
            if (item->parent() == menu && !item->shortcut().isEmpty()) {
                item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
                control->addAction(item);
            }
        }
        control->setContextMenuPolicy(Qt::CustomContextMenu);
        auto* area = qobject_cast<QAbstractScrollArea*>(control);
        QWidget* origin = area ? area->viewport() : control;
        connect(control, &QWidget::customContextMenuRequested, menu,
                [menu, origin](const QPoint& pos) { menu->popup(origin->mapToGlobal(pos)); });
    }
}

void TForm1::buildToolBars()
{
    for (const ToolBarRow& row : toolBars()) {
        auto* bar = findChild<QToolBar*>(row.name);
        bar->setAccessibleName(row.name);
        for (const char* name : row.actions) {
            QAction* action = m_actions.value(name);
            bar->addAction(action);
            bar->widgetForAction(action)->setAccessibleName(plainCaption(action->text()));
        }
    }
}

void TForm1::selectPageQuietly(QTabWidget* pages, int index)
{
    const QSignalBlocker quiet(pages);
    pages->setCurrentIndex(index);
}

void TForm1::setVisible(bool visible)
{
    // Applied before the native window appears, so "stay on top" holds from
    // the first frame.
    if (visible && !m_shown) {
        m_shown = true;
        FormShow();
    }
    QMainWindow::setVisible(visible);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // After the desktop ended the run, the session is saved already.
    if (m_ended || mayCloseAfterSave())
        event->accept();
    else
        event->ignore();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == Edit_MASK || watched == JvFileListBox1))
        KeyPressESC(static_cast<QKeyEvent*>(event)->key());
    if ((event->type() == QEvent::Resize || event->type() == QEvent::Show) && m_report.pane
        && watched == m_report.pane->viewport())
        highlightReport();
    return QMainWindow::eventFilter(watched, event);
}
