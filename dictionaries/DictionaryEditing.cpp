// The dictionary grids' events and the row commands of their pop-up menus.
#include "app/Unit1.h"

#include "dictionaries/DictionaryPane.h"
#include "dictionaries/FocusExitWatcher.h"
#include "questions/SanvorQuestion.h"
#include "app/TabStripPresses.h"
#include "platform/CommandGuard.h"
#include "platform/Services.h"

#include <QCheckBox>
#include <QScopedValueRollback>
#include <QTabWidget>

void TForm1::connectDictionaryEvents()
{
    const auto guarded = [this](Command handler) {
        return [this, handler] { platform::runGuarded([this, handler] { (this->*handler)(); }); };
    };
    connect(ValueListEditor_EXT, &DictionaryPane::gridClicked, this, guarded(&TForm1::ValueListEditor_EXTClick));
    connect(ValueListEditor_INT, &DictionaryPane::gridClicked, this, guarded(&TForm1::ValueListEditor_INTClick));
    connect(ValueListEditor_EXT, &DictionaryPane::gridDoubleClicked, this,
            guarded(&TForm1::ValueListEditor_EXTDblClick));
    connect(ValueListEditor_INT, &DictionaryPane::gridDoubleClicked, this,
            guarded(&TForm1::ValueListEditor_INTDblClick));
    connect(ValueListEditor_EXT, &DictionaryPane::editTextSet, this, &TForm1::ValueListEditor_EXTSetEditText);
    for (DictionaryPane* pane : {ValueListEditor_INT, ValueListEditor_SANVOR})
        connect(pane, &DictionaryPane::editTextSet, this, &TForm1::ValueListEditor_INTSetEditText);

    // Code selects pages quietly (selectPageQuietly): only a tab the user
    // picks gets here.
    connect(PageControl_DICOS, &QTabWidget::currentChanged, this, guarded(&TForm1::PageControl_DICOSChange));
    connect(new TabStripPresses(PageControl_DICOS), &TabStripPresses::pressed, this,
            [this](Qt::MouseButton button) { platform::runGuarded([this, button] { DIC_RenommerEtiquette(button); }); });

    // A grid is left before the page control that holds it. The check box
    // in the page control's corner stands outside it.
    auto* exits = new FocusExitWatcher(this);
    exits->watch(ValueListEditor_EXT);
    exits->watch(ValueListEditor_INT);
    exits->watch(PageControl_DICOS, AUTO_SAVE);
    connect(exits, &FocusExitWatcher::left, this, [this](QWidget* area) {
        if (area == ValueListEditor_EXT)
            platform::runGuarded([this] { ValueListEditor_EXTExit(); });
        else if (area == ValueListEditor_INT)
            platform::runGuarded([this] { ValueListEditor_INTExit(); });
        else
            platform::runGuarded([this] { PageControl_DICOSExit(); });
    });
}

void TForm1::ValueListEditor_EXTClick() { SelectFileKindTab(0); }
void TForm1::ValueListEditor_INTClick() { SelectFileKindTab(0); }

void TForm1::ValueListEditor_EXTSetEditText(int column, int row, const QString&)
{
    m_editColumn = column;
    m_editRow = row;
}

void TForm1::ValueListEditor_INTSetEditText(int column, int row, const QString& value)
{
    ValueListEditor_EXTSetEditText(column, row, value);
}

void TForm1::pasteIntoRememberedRow(DictionaryPane* pane)
{
    const QString key = pane->lines().KeyAt(m_editRow);
    pane->SetValueOf(key, platform::clipboard().text());
}

void TForm1::ValueListEditor_EXTDblClick() { pasteIntoRememberedRow(ValueListEditor_EXT); }
void TForm1::ValueListEditor_INTDblClick() { pasteIntoRememberedRow(ValueListEditor_INT); }

void TForm1::ValueListEditor_EXTExit()
{
    const QScopedValueRollback automatic(m_saveRun, SaveRun::Automatic);
    if (AUTO_SAVE->isChecked())
        run("DICO_EXT_SAVE");
}

void TForm1::ValueListEditor_INTExit()
{
    const QScopedValueRollback automatic(m_saveRun, SaveRun::Automatic);
    if (AUTO_SAVE->isChecked())
        run("DICO_INT_SAVE");
}

// --- Pop-up items ---

void TForm1::MenuItem1Click() { ValueListEditor_EXT->lines().AddLine(QString()); }
void TForm1::MenuItem2Click() { ValueListEditor_EXT->lines().DeleteRow(m_editRow); }
void TForm1::Purgerlaliste1Click() { ValueListEditor_EXT->lines().ClearLines(); }
void TForm1::Rier1Click() { ValueListEditor_EXT->lines().SortByKey(); }
void TForm1::rierparValeur1Click() { ValueListEditor_EXT->lines().SortByValue(); }

void TForm1::mnu_IN_ADDClick() { ValueListEditor_INT->lines().AddLine(QString()); }
void TForm1::mnu_IN_DELClick() { ValueListEditor_INT->lines().DeleteRow(m_editRow); }
void TForm1::RierparCl1Click() { ValueListEditor_INT->lines().SortByKey(); }
void TForm1::RierparValeur2Click() { ValueListEditor_INT->lines().SortByValue(); }

void TForm1::MenuItem8Click() { ValueListEditor_FUSION->lines().SortByKey(); }
void TForm1::MenuItem9Click() { ValueListEditor_FUSION->lines().SortByValue(); }

void TForm1::Ajouter1Click()
{
    const std::optional<QString> question = platform::dialogs().input("Ajouter une Question", "QUESTION", QString());
    if (question)
        ValueListEditor_SANVOR->lines().AddLine(polyx::SanvorQuestionLine(*question));
}

void TForm1::rierparcl2Click() { ValueListEditor_SANVOR->lines().SortByKey(); }
void TForm1::rierparvaleur3Click() { ValueListEditor_SANVOR->lines().SortByValue(); }
