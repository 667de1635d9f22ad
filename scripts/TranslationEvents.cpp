// What the script page set does when the user turns a page or presses a
// mouse button on its tabs.
#include "app/Unit1.h"

#include "dictionaries/TabStripPresses.h"
#include "platform/CommandGuard.h"
#include "scripts/ScriptPane.h"

#include <QCheckBox>
#include <QLabel>
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
