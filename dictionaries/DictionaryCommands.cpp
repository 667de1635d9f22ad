// The load, save and purge commands of the external, internal and Sanvor
// dictionaries.
#include "app/Unit1.h"

#include "app/WorkFolders.h"
#include "config/ConfigStore.h"
#include "dictionaries/DictionaryPane.h"
#include "platform/FileDialog.h"
#include "platform/NameCase.h"
#include "platform/Services.h"

#include <QFile>
#include <QTabWidget>


void TForm1::saveDictionary(DictionaryPane* pane, const char* key, const char* defaultLabel)
{
    run("DICO_COMPRESS");
    if (pane->PageLabel().isEmpty())
        pane->SetPageLabel(defaultLabel);
    const QString path = platform::ResolveNameCase(WorkDir() + pane->PageLabel() + ".DICO");
    if (!mayReplacePartlyRead(pane->lines().PartlyRead(), path))
        return;
    pane->lines().SaveToFile(path);
    WriteString("DICO", key, path);
    RefreshFileList();
}

void TForm1::loadDictionary(DictionaryPane* pane, const char* key, const char* defaultFile, int scriptPage)
{
    const QString path = platform::ResolveNameCase(ReadString("DICO", key, WorkDir() + defaultFile));
    if (!QFile::exists(path))
        return;
    pane->lines().LoadFromFile(path);
    warnPartlyRead(pane->lines().PartlyRead());
    if (scriptPage < 0)
        return;
    pane->SetPageLabel(FileLabel(path));
    PageControl_SCRIPTS->setTabText(scriptPage, pane->PageLabel());
}

void TForm1::DICO_EXT_SAVE() { saveDictionary(ValueListEditor_EXT, "EXTERNE", "~EXTERNE"); }
void TForm1::DICO_INT_SAVE() { saveDictionary(ValueListEditor_INT, "INTERNE", "~INTERNE"); }

void TForm1::saveDictionaryAs(DictionaryPane* pane, const char* key, const platform::FileDialogRequest& asked,
                              int scriptTab)
{
    platform::FileDialogRequest request = asked;
    request.initialDir = WorkDir();
    request.defaultExt = "DICO";
    request.confirmReplace = true;
    request.existingFolderOnly = true;
    const auto path = platform::chooseSaveFile(request);
    if (path && mayReplacePartlyRead(pane->lines().PartlyRead(), *path)) {
        pane->lines().SaveToFile(*path);
        pane->SetPageLabel(FileLabel(*path));
        if (scriptTab >= 0)
            PageControl_SCRIPTS->setTabText(scriptTab, pane->PageLabel());
        WriteString("DICO", key, *path);
    }
    RefreshFileList();
}

void TForm1::DICO_EXT_SAVEAS()
{
    platform::FileDialogRequest request;
    request.title = "Sauvegarder le dictionnaire EXTERNE";
    request.fileName = ValueListEditor_EXT->PageLabel();
    request.filter = "DICO|*.DICO|Tous|*.*";
    saveDictionaryAs(ValueListEditor_EXT, "EXTERNE", request, 0);
}

void TForm1::DICO_INT_SAVEAS()
{
    platform::FileDialogRequest request;
    request.title = "Sauvegarder le dictionnaire INTERNE ";
    request.fileName = ValueListEditor_INT->PageLabel() + ".DICO";
    request.filter = "DICO|*.dico|TOUS|*.*";
    saveDictionaryAs(ValueListEditor_INT, "INTERNE", request, -1);
}

void TForm1::DICO_EXT_LOAD() { loadDictionary(ValueListEditor_EXT, "EXTERNE", "~EXTERNE.DICO", 0); }
void TForm1::DICO_INT_LOAD() { loadDictionary(ValueListEditor_INT, "INTERNE", "~INTERNE.DICO", 1); }
// The Sanvor page keeps its label.
void TForm1::DICO_SAN_LOAD() { loadDictionary(ValueListEditor_SANVOR, "SANVOR", "~SANVOR.DICO", -1); }

void TForm1::DICO_SAN_SAVE()
{
    const QString path = platform::ResolveNameCase(WorkDir() + "~SANVOR.DICO");
    if (!mayReplacePartlyRead(ValueListEditor_SANVOR->lines().PartlyRead(), path))
        return;
    ValueListEditor_SANVOR->lines().SaveToFile(path);
    WriteString("DICO", "SANVOR", path);
    RefreshFileList();
}

void TForm1::DICO_EXT_CLEAR() { ValueListEditor_EXT->lines().ClearLines(); }
void TForm1::DICO_INT_CLEAR() { ValueListEditor_INT->lines().ClearLines(); }
