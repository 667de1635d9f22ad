// The token pick of a double click in the external or internal script.
#include "app/Unit1.h"

#include "platform/Services.h"
#include "scripts/translation/ScriptEditingAids.h"

#include <QLabel>

void TForm1::PickToken(const QString& word)
{
    const std::optional<QString> token = polyx::PickToken(word);
    if (!token)
        return;
    StatusPanelPick->setText(*token);
    platform::clipboard().setText(*token);
}
