// Opening a file into the panes by its kind.
#include "app/Unit1.h"

#include "app/WorkFolders.h"
#include "dictionaries/DictionaryPane.h"
#include "dictionaries/TextLinesFile.h"
#include "files/OpenRoute.h"
#include "platform/Services.h"
#include "questions/QuestionList.h"
#include "scripts/ScriptPane.h"

#include <QTabWidget>

using polyx::OpenTarget;

namespace {

bool confirmReplacement(OpenTarget target, int currentCount, const QString& path)
{
    const int loaded = int(polyx::TextLinesFile::Read(path).lines.size());
    return platform::dialogs().confirmWarning(polyx::ReplaceQuestion(target, currentCount, FileLabel(path), loaded));
}

} // namespace

// The file is read under its real path: this file system tells letter case
// apart, so only the tests and the labels use the upper-cased form. Only the
// pane a script goes into changes its mode: a rich letter in another pane
// must keep its formatting, which its next save writes back.
void TForm1::OpenFileByKind(const QString& path)
{
    const polyx::OpenRoute route = polyx::RouteFile(path, PageControl_DICOS->currentIndex());
    switch (route.target) {
    case OpenTarget::Nothing:
        return;
    case OpenTarget::ExternalDictionary:
        return openDictionaryFile(ValueListEditor_EXT, polyx::ExternalPage, route.pageFirst, path);
    case OpenTarget::InternalDictionary:
        return openDictionaryFile(ValueListEditor_INT, polyx::InternalPage, route.pageFirst, path);
    case OpenTarget::SanvorDictionary:
        if (!confirmReplacement(route.target, ValueListEditor_SANVOR->lines().Count(), path))
            return;
        selectPageQuietly(PageControl_DICOS, polyx::SanvorPage);
        ValueListEditor_SANVOR->lines().LoadFromFile(path);
        return warnPartlyRead(ValueListEditor_SANVOR->lines().PartlyRead());
    case OpenTarget::QuestionList:
        if (!confirmReplacement(route.target, JvCheckListBox_QUESTION->Count(), path))
            return;
        selectPageQuietly(PageControl_DICOS, polyx::ExternalPage);
        JvCheckListBox_QUESTION->LoadFromFile(path);
        return warnPartlyRead(JvCheckListBox_QUESTION->PartlyRead());
    case OpenTarget::ExternalScript:
        return openScriptFile(SKRIVO_EXT, 0, path);
    case OpenTarget::InternalScript:
        return openScriptFile(SKRIVO_INT, 1, path);
    case OpenTarget::UniversalScript:
        return openScriptFile(SKRIVO_POLYX, 2, path);
    case OpenTarget::RichTextLetter:
        selectPageQuietly(PageControl_SCRIPTS, 0);
        SKRIVO_EXT->SetPlainText(false);
        SKRIVO_EXT->LoadFromFile(path);
        ShowStatusSummary(SKRIVO_EXT->HiddenPartsNotice());
        return SKRIVO_EXT->SetPageLabel(FileLabel(path));
    }
}

// Only the dictionary page's label follows the file: the script page and
// the configuration keep theirs.
void TForm1::openDictionaryFile(DictionaryPane* pane, int page, bool pageFirst, const QString& path)
{
    if (pageFirst)
        selectPageQuietly(PageControl_DICOS, page);
    pane->lines().LoadFromFile(path);
    pane->SetPageLabel(FileLabel(path));
    if (!pageFirst)
        selectPageQuietly(PageControl_DICOS, page);
    warnPartlyRead(pane->lines().PartlyRead());
}

void TForm1::openScriptFile(ScriptPane* pane, int page, const QString& path)
{
    selectPageQuietly(PageControl_SCRIPTS, page);
    pane->SetPlainText(true);
    pane->LoadFromFile(path);
    ShowStatusSummary(pane->HiddenPartsNotice());
    pane->SetPageLabel(FileLabel(path));
}
