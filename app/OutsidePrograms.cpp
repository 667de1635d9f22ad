#include "app/Unit1.h"

#include "app/WorkFolders.h"
#include "config/ConfigStore.h"
#include "platform/Services.h"

void TForm1::Rvisions1Click()
{
    platform::desktop().openInTextEditor(WorkDir() + "_REVISIONS.TXT");
}

void TForm1::Editerlaconfiguration1Click()
{
    platform::desktop().openInTextEditor(ConfigFileName());
}
