#include "app/Unit1.h"

#include "config/ConfigStore.h"
#include "config/WindowConfig.h"

#include <QAction>
#include <QCheckBox>
#include <QSplitter>
#include <QTabWidget>

int TForm1::panelTexteHeight() const
{
    return Splitter1->sizes().value(1);
}

void TForm1::setPanelTexteHeight(int height)
{
    const QList<int> sizes = Splitter1->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    Splitter1->setSizes({qMax(0, total - height), height});
}

void TForm1::INI_GET()
{
    RestoreWindowPlacement(*this);
    RestoreMenuChecks(*this);
    AUTO_TRAD->setChecked(ReadBool("OPTIONS", "AUTOTRAD", false));
    AUTO_SAVE->setChecked(ReadBool("OPTIONS", "AUTOSAVE", true));
    setPanelTexteHeight(ReadInteger("AFFICHAGE", "TEXTE", panelTexteHeight()));

    const struct {
        QTabWidget* pages;
        int index;
        const char* label;
    } defaults[] = {
        {PageControl_DICOS, 0, "~EXTERNE"},
        {PageControl_DICOS, 1, "~INTERNE"},
        {PageControl_SCRIPTS, 0, "~EXTERNE"},
        {PageControl_SCRIPTS, 1, "~INTERNE"},
    };
    for (const auto& page : defaults)
        if (page.pages->tabText(page.index).isEmpty())
            page.pages->setTabText(page.index, page.label);
}

void TForm1::INI_SAVE()
{
    SaveWindowPlacement(*this);
    SaveMenuChecks(*this);
    WriteBool("OPTIONS", "AUTOTRAD", AUTO_TRAD->isChecked());
    WriteBool("OPTIONS", "AUTOSAVE", AUTO_SAVE->isChecked());
    WriteInteger("AFFICHAGE", "TEXTE", panelTexteHeight());
}
