#include "app/Unit1.h"

#include "config/ConfigStore.h"
#include "config/WindowConfig.h"
#include "dictionaries/DictionaryPane.h"

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
    for (const char* load : {"DICO_EXT_LOAD", "DICO_INT_LOAD", "DICO_FUSION_LOAD", "DICO_SAN_LOAD"})
        run(load);
    setPanelTexteHeight(ReadInteger("AFFICHAGE", "TEXTE", panelTexteHeight()));

    if (ValueListEditor_EXT->PageLabel().isEmpty())
        ValueListEditor_EXT->SetPageLabel("~EXTERNE");
    if (ValueListEditor_INT->PageLabel().isEmpty())
        ValueListEditor_INT->SetPageLabel("~INTERNE");
    if (PageControl_SCRIPTS->tabText(0).isEmpty())
        PageControl_SCRIPTS->setTabText(0, "~EXTERNE");
    if (PageControl_SCRIPTS->tabText(1).isEmpty())
        PageControl_SCRIPTS->setTabText(1, "~INTERNE");
}

void TForm1::INI_SAVE()
{
    SaveWindowPlacement(*this);
    SaveMenuChecks(*this);
    WriteBool("OPTIONS", "AUTOTRAD", AUTO_TRAD->isChecked());
    WriteBool("OPTIONS", "AUTOSAVE", AUTO_SAVE->isChecked());
    for (const char* save : {"DICO_EXT_SAVE", "DICO_INT_SAVE", "DICO_FUSION_SAVE", "DICO_SAN_SAVE"})
        run(save);
    WriteInteger("AFFICHAGE", "TEXTE", panelTexteHeight());
}
