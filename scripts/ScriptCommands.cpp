// The reload, open, save-as and purge commands of the three script panes,
// and their state files.
#include "app/Unit1.h"

#include "app/WorkFolders.h"
#include "config/ConfigStore.h"
#include "platform/Error.h"
#include "platform/FileDialog.h"
#include "platform/NameCase.h"
#include "platform/Services.h"
#include "scripts/FirstLineLabel.h"
#include "scripts/ScriptLoadQueue.h"
#include "scripts/ScriptPane.h"

#include <QFile>

#include <optional>

namespace {
const char kSection[] = "SKRIVO";
const char kExternalState[] = "~EXTERNE.SKRIVO";
const char kInternalState[] = "~INTERNE.SKRIVO";
const char kUniversalState[] = "~POLYX.SKRU";
const char kScriptFilter[] = "SKRIVO|*.skrivo|TEXTE|*.txt|Courrier|*.rtf|Tous|*.*";

void applyFirstLineLabel(ScriptPane* pane, polyx::ScriptSide side)
{
    if (const std::optional<QString> label = polyx::FirstLineLabel(pane->FirstLine(), side))
        pane->SetPageLabel(*label);
}
} // namespace

void TForm1::reloadScript(ScriptPane* pane, const char* key, const char* stateFile, std::function<void()> filled)
{
    const QString path = platform::ResolveNameCase(ReadString(kSection, key, WorkDir() + stateFile));
    if (!QFile::exists(path))
        return;
    m_scriptLoads->load(pane, path, [this, pane, filled] {
        ShowStatusSummary(pane->HiddenPartsNotice());
        if (!pane->IsEmpty() && filled)
            filled();
    });
}

void TForm1::SKR_EXT_LOAD()
{
    reloadScript(SKRIVO_EXT, "EXTERNE", kExternalState,
                 [this] { applyFirstLineLabel(SKRIVO_EXT, polyx::ScriptSide::External); });
}

void TForm1::SKR_INT_LOAD()
{
    reloadScript(SKRIVO_INT, "INTERNE", kInternalState,
                 [this] { applyFirstLineLabel(SKRIVO_INT, polyx::ScriptSide::Internal); });
}

void TForm1::SKR_UNI_LOAD() { reloadScript(SKRIVO_POLYX, "UNIVERSEL", kUniversalState, {}); }

void TForm1::whenScriptsRead(std::function<void()> then) { m_scriptLoads->whenIdle(std::move(then)); }

// The editor is handed the state file and left alone: its edits come back
// only through "Recharger".
void TForm1::openScript(ScriptPane* pane, const char* stateFile)
{
    const QString path = platform::ResolveNameCase(WorkDir() + stateFile);
    pane->SaveToFile(path);
    platform::desktop().openInTextEditor(path);
}

void TForm1::SKR_EXT_Open() { openScript(SKRIVO_EXT, kExternalState); }
void TForm1::SKR_INT_OPEN() { openScript(SKRIVO_INT, kInternalState); }
void TForm1::SKR_UNI_OPEN() { openScript(SKRIVO_POLYX, kUniversalState); }

void TForm1::SKR_EXT_SAVEAS()
{
    if (SKRIVO_EXT->LineCount() == 0) {
        platform::dialogs().message(platform::BoxKind::Plain, "Le script externe est vide !");
        return;
    }
    platform::FileDialogRequest request;
    request.title = "Sauvegarder le SCRIPT EXTERNE";
    request.fileName = SKRIVO_EXT->PageLabel();
    request.initialDir = WorkDir();
    request.defaultExt = "SKRIVO";
    request.filter = kScriptFilter;
    request.confirmReplace = true;
    request.existingFolderOnly = true;
    const std::optional<QString> path = platform::chooseSaveFile(request);
    if (path) {
        SKRIVO_EXT->SaveToFile(*path);
        SKRIVO_EXT->SetPageLabel(FileLabel(*path));
        RefreshFileList();
        WriteString(kSection, "EXTERNE", *path);
        WriteString(kSection, "ETIQUETTE_EXT", SKRIVO_EXT->PageLabel());
    }
    RefreshFileList();
}

// The label follows the chosen name even when the file then cannot be written.
void TForm1::saveScriptAs(ScriptPane* pane, const char* title, const char* defaultExt, const char* filter)
{
    platform::FileDialogRequest request;
    request.title = title;
    request.fileName = pane->PageLabel();
    request.initialDir = WorkDir();
    request.defaultExt = defaultExt;
    request.filter = filter;
    request.confirmReplace = true;
    request.existingFolderOnly = true;
    if (const std::optional<QString> path = platform::chooseSaveFile(request)) {
        pane->SetPageLabel(FileLabel(*path));
        pane->SaveToFile(*path);
        RefreshFileList();
    }
    RefreshFileList();
}

void TForm1::SKR_INT_SAVEAS()
{
    saveScriptAs(SKRIVO_INT, "SKRIVO : Sauvegarder le SCRIPT INTERNE", "SKRIVO", kScriptFilter);
}

void TForm1::SKR_UNI_SAVEAS()
{
    saveScriptAs(SKRIVO_POLYX, "Sauvegarder le SCRIPT UNIVERSEL", "SKRU", "SKRIVO UNIVERSEL|*.SKRU|Tous|*.*");
}

void TForm1::SKR_EXT_CLEAR() { SKRIVO_EXT->Clear(); }
void TForm1::SKR_INT_CLEAR() { SKRIVO_INT->Clear(); }
void TForm1::SKR_UNI_CLEAR() { SKRIVO_POLYX->Clear(); }

QString TForm1::scriptStateFile(const ScriptPane* pane) const
{
    if (pane == SKRIVO_EXT)
        return kExternalState;
    return pane == SKRIVO_INT ? kInternalState : kUniversalState;
}

// One state file that cannot be written does not keep the others from
// being saved; the first failure is reported once all were tried.
void TForm1::SaveScriptStateFiles()
{
    const std::pair<ScriptPane*, const char*> states[] = {
        {SKRIVO_EXT, kExternalState}, {SKRIVO_INT, kInternalState}, {SKRIVO_POLYX, kUniversalState}};
    std::optional<polyx::Error> failure;
    for (const auto& [pane, file] : states) {
        if (m_scriptLoads->waiting(pane))
            continue;
        try {
            pane->SaveToFile(platform::ResolveNameCase(WorkDir() + file));
        } catch (const polyx::Error& error) {
            if (!failure)
                failure = error;
        }
    }
    if (failure)
        throw *failure;
}
