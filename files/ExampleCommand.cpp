// "Premiers pas : ouvrir l'exemple": the guide's worked example in the panes.
#include "app/Unit1.h"

#include "app/WorkFolders.h"
#include "dictionaries/DictionaryPane.h"
#include "files/ExampleFolder.h"
#include "files/FileListBox.h"
#include "files/OpenRoute.h"
#include "platform/Services.h"
#include "scripts/ScriptPane.h"

#include <QCheckBox>
#include <QTabWidget>

namespace {

// More than the three empty header lines every dictionary starts with.
bool holdsWork(const DictionaryPane* pane)
{
    const polyx::DictionaryLines& lines = pane->lines();
    for (int row = 0; row < lines.Count(); ++row) {
        const QString& line = lines.Lines().at(row);
        if (!polyx::DictionaryLines::ValueOfLine(line).isEmpty() || !polyx::DictionaryLines::KeyOfLine(line).startsWith(u"<_"))
            return true;
    }
    return false;
}

} // namespace

void TForm1::AIDE_EXEMPLE()
{
    if (holdsWork(ValueListEditor_EXT) || holdsWork(ValueListEditor_INT) || !SKRIVO_EXT->IsEmpty()) {
        if (!platform::dialogs().confirmWarning(
                QStringLiteral("Les dictionnaires et le script ouverts seront remplacés par ceux de l'exemple "
                               "(ils sont d'abord enregistrés). Continuer ?")))
            return;
        // As the session save does at close.
        run("DICO_EXT_SAVE");
        run("DICO_INT_SAVE");
        SaveScriptStateFiles();
    }
    const polyx::ExampleFiles example = polyx::MakeExampleFolder(WorkDir());
    fileList()->setFolder(example.folder.chopped(1));
    SelectFileKindTab(TabSet1->count() - 1); // "*": the letters and the questions too
    openDictionaryFile(ValueListEditor_INT, polyx::InternalPage, true, example.internal);
    openDictionaryFile(ValueListEditor_EXT, polyx::ExternalPage, true, example.external);
    openScriptFile(SKRIVO_EXT, 0, example.letter);
    // The guide's first chapter translates by turning to the internal page.
    AUTO_TRAD->setChecked(true);
}
