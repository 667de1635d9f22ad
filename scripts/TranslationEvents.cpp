// What the script page set does when the user turns a page or presses a
// mouse button on its tabs.
#include "app/Unit1.h"

#include "app/TabStripPresses.h"
#include "platform/CommandGuard.h"
#include "platform/Services.h"
#include "scripts/ScriptPane.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QTabWidget>

void TForm1::connectTranslationEvents()
{
    // Code selects pages quietly (selectPageQuietly): only a tab the user
    // picks gets here.
    connect(PageControl_SCRIPTS, &QTabWidget::currentChanged, this,
            [this] { platform::runGuarded([this] { PageControl_SCRIPTSChange(); }); });
    connect(new TabStripPresses(PageControl_SCRIPTS), &TabStripPresses::pressed, this,
            [this](Qt::MouseButton button) { platform::runGuarded([this, button] { SKR_Renommer(button); }); });
    // A picked code such as "<NOM>" is shown as it stands, never as markup.
    StatusPanelPick->setTextFormat(Qt::PlainText);

    // The highlights describe the text the run left: the first edit ends them.
    for (ScriptPane* pane : {SKRIVO_INT, SKRIVO_POLYX}) {
        connect(pane, &QTextEdit::textChanged, this, [this, pane] {
            if (pane != m_report.pane || !m_report.unchanged)
                return;
            m_report.unchanged = false;
            pane->setExtraSelections({});
        });
        // Only the part in view is marked: follow the view.
        const auto follow = [this, pane] {
            if (pane == m_report.pane)
                highlightReport();
        };
        connect(pane->verticalScrollBar(), &QScrollBar::valueChanged, this, follow);
        connect(pane->verticalScrollBar(), &QScrollBar::rangeChanged, this, follow);
        connect(pane->horizontalScrollBar(), &QScrollBar::valueChanged, this, follow);
        // Shown or resized: another part is in view (eventFilter).
        pane->viewport()->installEventFilter(this);
    }
    platform::balloon().setClickAction([form = QPointer<TForm1>(this)] {
        if (form)
            platform::runGuarded([&form] { form->FUSION_REPORT(); });
    });
}

void TForm1::PageControl_SCRIPTSChange()
{
    SelectFileKindTab(1);
    switch (PageControl_SCRIPTS->currentIndex()) {
    case 0:
        run("DICO_FUSION_CREATE");
        break;
    case 1:
        if (SKRIVO_INT->IsEmpty()) {
            run("DICO_FUSION_CREATE");
            if (AUTO_TRAD->isChecked())
                run("FUSION_EXT_INT");
        }
        break;
    case 2:
        if (SKRIVO_POLYX->IsEmpty() && AUTO_TRAD->isChecked())
            run("FUSION_POLYX");
        break;
    default:
        break;
    }
}
