// How the script panes react to the keyboard, the mouse, their text and
// the plain-text switches of their pop-up menus.
#include "app/Unit1.h"

#include "dictionaries/DictionaryPane.h"
#include "platform/CommandGuard.h"
#include "scripts/ScriptPane.h"

#include <QAction>

void TForm1::connectScriptPanes()
{
    connect(SKRIVO_EXT, &ScriptPane::scriptTextChanged, this,
            [this] { platform::runGuarded([this] { SKRIVO_EXTChange(); }); });
    // The kind tab that lists the script files.
    connect(SKRIVO_EXT, &ScriptPane::clicked, this,
            [this] { platform::runGuarded([this] { SelectFileKindTab(1); }); });
    for (ScriptPane* pane : {SKRIVO_EXT, SKRIVO_INT})
        connect(pane, &ScriptPane::doubleClicked, this,
                [this, pane] { platform::runGuarded([this, pane] { PickToken(pane->SelText()); }); });

    const std::pair<ScriptPane*, const char*> purges[] = {
        {SKRIVO_EXT, "SKR_EXT_CLEAR"}, {SKRIVO_INT, "SKR_INT_CLEAR"}, {SKRIVO_POLYX, "SKR_UNI_CLEAR"}};
    for (const auto& [pane, name] : purges)
        connect(pane, &ScriptPane::escapePressed, action(name), &QAction::trigger);

    // The switches tick themselves; the pane follows the new tick, and the
    // tick follows a mode the program sets, so that it never lies.
    const std::pair<ScriptPane*, const char*> switches[] = {{SKRIVO_EXT, "SKR_EXT_PLAIN"}, {SKRIVO_INT, "check_TexteBrut1"}};
    for (const auto& [pane, name] : switches) {
        QAction* tick = findChild<QAction*>(name);
        connect(tick, &QAction::triggered, pane, &ScriptPane::SetPlainText);
        connect(pane, &ScriptPane::plainTextChanged, tick, &QAction::setChecked);
    }
}

// An internal script never stays beside an external one it was not
// translated from.
void TForm1::SKRIVO_EXTChange()
{
    m_recognitionLetter.clear();
    if (SKRIVO_EXT->IsEmpty())
        return;
    if (!SKRIVO_INT->IsEmpty())
        SKRIVO_INT->Clear();
    SKRIVO_INT->SetPageLabel(ValueListEditor_INT->PageLabel());
}
