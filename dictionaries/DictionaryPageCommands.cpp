// What the dictionary page control does when the user picks a page, leaves
// it, or asks for a new page label.
#include "app/Unit1.h"

#include "dictionaries/DictionaryPane.h"
#include "platform/Services.h"
#include "scripts/ScriptPane.h"

#include <QCheckBox>
#include <QScopedValueRollback>
#include <QTabBar>
#include <QTabWidget>

void TForm1::PageControl_DICOSChange()
{
    const int page = PageControl_DICOS->currentIndex();
    // The script pages follow without running their own page change.
    if (page < PageControl_SCRIPTS->count() && PageControl_SCRIPTS->currentIndex() != page)
        selectPageQuietly(PageControl_SCRIPTS, page);
    SelectFileKindTab(0);
    if (page <= 1 && TabSet2->currentIndex() != page)
        TabSet2->setCurrentIndex(page);

    switch (page) {
    case 0: {
        const QString label = ValueListEditor_EXT->PageLabel();
        SKRIVO_EXT->SetPageLabel(label);
        if (ValueListEditor_EXT->lines().ValueOf("<_AUTEUR>").isEmpty())
            ValueListEditor_EXT->SetValueOf("<_AUTEUR>", label);
        break;
    }
    case 1: {
        DictionaryPane* internal = ValueListEditor_INT;
        const QString label = internal->PageLabel();
        SKRIVO_INT->SetPageLabel(label);
        if (internal->lines().ValueOf("<_AUTEUR>").isEmpty())
            internal->SetValueOf("<_AUTEUR>", label);
        for (const char* key : {"<_CODE>", "<_TITRE>"}) {
            if (internal->lines().ValueOf(key).isEmpty())
                internal->SetValueOf(key, ValueListEditor_EXT->lines().ValueOf(key));
        }
        run("DICO_EXT_AddClesUNIV");
        break;
    }
    case 2:
        run("DICO_FUSION_CREATE");
        break;
    default:
        break;
    }
}

void TForm1::PageControl_DICOSExit()
{
    const QScopedValueRollback automatic(m_saveRun, SaveRun::Automatic);
    if (AUTO_SAVE->isChecked())
        run("DICO_SAN_SAVE");
}

void TForm1::DIC_RenommerEtiquette(Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        return;
    // The page shown counts, not the tab under the mouse.
    const int page = PageControl_DICOS->currentIndex();
    if (page != 0 && page != 1)
        return;
    DictionaryPane* pane = page == 0 ? ValueListEditor_EXT : ValueListEditor_INT;
    const std::optional<QString> label =
        platform::dialogs().input(QStringLiteral("Renommer l'étiquette de la page %1").arg(page + 1),
                                  page == 0 ? "DIC EXTERNE" : "DIC INTERNE", pane->PageLabel());
    if (!label)
        return;
    pane->SetPageLabel(*label);
    if (pane->lines().ValueOf("<_AUTEUR>").isEmpty())
        pane->SetValueOf("<_AUTEUR>", *label);
}
