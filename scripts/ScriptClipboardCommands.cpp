// Pasting into the script panes and copying out of them.
#include "app/Unit1.h"

#include "platform/Services.h"
#include "scripts/ScriptPane.h"

void TForm1::SKR_EXT_PASTE()
{
    if (!platform::dialogs().confirmWarning("Remplacer le texte par le contenu du presse papier ?"))
        return;
    SKRIVO_EXT->SetFocus();
    SKRIVO_EXT->Clear();
    SKRIVO_EXT->SetText(platform::clipboard().text());
}

void TForm1::Coller3Click() { SKRIVO_EXT->SetText(platform::clipboard().text()); }
void TForm1::Coller4Click() { SKRIVO_INT->SetText(platform::clipboard().text()); }
void TForm1::Coller5Click() { SKRIVO_POLYX->SetText(platform::clipboard().text()); }

void TForm1::Copier1Click() { platform::clipboard().setText(SKRIVO_EXT->SelText()); }

// The copy for Sanvor: the whole internal script, with a glimpse of it.
void TForm1::SKR_INT_COPY()
{
    SKRIVO_INT->SetFocus();
    SKRIVO_INT->SelectAll();
    const QString text = SKRIVO_INT->Text();
    platform::clipboard().setText(text);
    platform::dialogs().message(platform::BoxKind::Information,
                                "SKRIVO \"Utilisateur\" est dans le  presse papier\r\n"
                                "Vous pouvez le collez dans l'incidence correspondante de Sanvor\r\n\r\n"
                                + QString(70, u'-') + "\r\n" + "\r\n" + text.left(500));
}
