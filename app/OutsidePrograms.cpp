#include "app/Unit1.h"

#include "app/WorkFolders.h"
#include "config/ConfigStore.h"
#include "platform/Services.h"

#include <QFileInfo>

namespace {
// No settings store tells the programs folder here; programs that are not
// packaged go under /opt.
const QString kProgramsFolder = "/opt/";
} // namespace

void TForm1::OuvrirSkrivo1Click()
{
    const QString defaultPath = kProgramsFolder + "SANVOR/SKRIVO.EXE";
    const QString stored = ReadString("CHEMINS", "SKRIVO", defaultPath);
    if (QFileInfo(stored).isFile()) {
        platform::desktop().open(stored);
        return;
    }
    platform::FileDialogRequest request;
    request.initialDir = kProgramsFolder + "SANVOR";
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
    platform::desktop().openInTextEditor(WorkDir() + "_REVISIONS.TXT");
}

void TForm1::Editerlaconfiguration1Click()
{
    platform::desktop().openInTextEditor(ConfigFileName());
}
