#include "app/Unit1.h"

#include "config/ConfigStore.h"
#include "platform/FileLocations.h"
#include "platform/Services.h"

#include <QFileInfo>

// Skrivo is Windows software: on Linux it runs under Wine, installed in
// Wine's own programs folder.
void TForm1::OuvrirSkrivo1Click()
{
    const QString defaultPath = platform::windowsProgramsFolder() + "SANVOR/SKRIVO.EXE";
    const QString stored = ReadString("CHEMINS", "SKRIVO", defaultPath);
    if (QFileInfo(stored).isFile()) {
        platform::desktop().open(stored);
        return;
    }
    platform::FileDialogRequest request;
    request.initialDir = platform::windowsProgramsFolder() + "SANVOR";
    request.fileName = stored;
    request.filter = "Exécutable|*.exe|Tous|*.*";
    request.defaultExt = "EXE";
    const auto chosen = platform::dialogs().openFile(request);
    if (!chosen)
        return;
    WriteString("CHEMINS", "SKRIVO", *chosen);
    platform::desktop().open(*chosen);
}

void TForm1::Rvisions1Click()
{
    platform::desktop().openInTextEditor(platform::dataFolder() + "_REVISIONS.TXT");
}

void TForm1::Editerlaconfiguration1Click()
{
    platform::desktop().openInTextEditor(ConfigFileName());
}
