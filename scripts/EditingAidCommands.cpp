// Wrapping or inserting script syntax at the selection of the focused
// script editor, and the token pick of a double click in the external or
// internal script.
#include "app/Unit1.h"

#include "platform/Services.h"
#include "scripts/ScriptPane.h"
#include "scripts/ScriptEditingAids.h"

#include <QLabel>

namespace {

// A pop-up menu may have been opened over a script pane while the focus
// stays elsewhere: only the focused editor counts.
ScriptPane* focusedScriptEditor(const TForm1& form)
{
    const QWidget* focused = form.focusWidget();
    if (!focused)
        return nullptr;
    for (ScriptPane* pane : {form.SKRIVO_EXT, form.SKRIVO_INT, form.SKRIVO_POLYX})
        if (pane == focused || pane->isAncestorOf(focused))
            return pane;
    return nullptr;
}

void applyAid(const TForm1& form, polyx::ScriptAid aid)
{
    if (ScriptPane* pane = focusedScriptEditor(form))
        pane->SetSelText(polyx::ScriptAidInsertion(aid, pane->SelText()));
}

} // namespace

void TForm1::SKR_COMMENT() { applyAid(*this, polyx::ScriptAid::Comment); }
void TForm1::Baliser1Click() { applyAid(*this, polyx::ScriptAid::Tag); }
void TForm1::Insrer1Click() { applyAid(*this, polyx::ScriptAid::Assignment); }

void TForm1::PickToken(const QString& word)
{
    const std::optional<QString> token = polyx::PickToken(word);
    if (!token)
        return;
    StatusPanelPick->setText(*token);
    platform::clipboard().setText(*token);
}
