// The commands of the question list: editing, sorting, the .DICU file, the
// rebuild and the appending of questions to the dictionaries.
#include "app/Unit1.h"

#include "app/WorkFolders.h"
#include "dictionaries/DictionaryPane.h"
#include "dictionaries/KeyCompletion.h"
#include "questions/SanvorQuestion.h"
#include "platform/NameCase.h"
#include "platform/Services.h"
#include "questions/QuestionList.h"
#include "scripts/ScriptPane.h"

#include <QFile>
#include <QTabWidget>

namespace {

QString questionFilePath() { return platform::ResolveNameCase(WorkDir() + "~POLYX.DICU"); }

} // namespace

void TForm1::mnu_QUESTION_ADDClick()
{
    if (const auto answer = platform::dialogs().input("Ajouter une Question Universelle", "QUESTION", QString()))
        JvCheckListBox_QUESTION->Add(polyx::NormalizeQuestion(*answer));
}

void TForm1::mnu_QUESTIOn_editClick()
{
    const int index = JvCheckListBox_QUESTION->RequireItemIndex();
    if (const auto answer = platform::dialogs().input("Modification", "QUESTION", JvCheckListBox_QUESTION->Text(index)))
        JvCheckListBox_QUESTION->SetText(index, polyx::NormalizeQuestion(*answer));
}

void TForm1::mnu_QUESTION_DELClick()
{
    const int index = JvCheckListBox_QUESTION->ItemIndex();
    if (index < 0)
        return;
    JvCheckListBox_QUESTION->Delete(index);
    if (JvCheckListBox_QUESTION->Count() > 0)
        JvCheckListBox_QUESTION->SetItemIndex(qMax(0, index - 1));
}

void TForm1::Purger1Click() { JvCheckListBox_QUESTION->Clear(); }
void TForm1::Rier2Click() { JvCheckListBox_QUESTION->Sort(); }
void TForm1::Ajoutertout1Click() { JvCheckListBox_QUESTION->CheckAll(); }

void TForm1::DICO_QUESTIONS_LOAD()
{
    const QString path = questionFilePath();
    if (!QFile::exists(path))
        return;
    JvCheckListBox_QUESTION->LoadFromFile(path);
    warnPartlyRead(JvCheckListBox_QUESTION->PartlyRead());
}

void TForm1::DICO_QUESTIONS_SAVE()
{
    const QString path = questionFilePath();
    if (!mayReplacePartlyRead(JvCheckListBox_QUESTION->PartlyRead(), path))
        return;
    JvCheckListBox_QUESTION->SaveToFile(path);
    RefreshFileList();
}

void TForm1::DICO_QUESTIONS_REBUILD()
{
    const polyx::DictionaryLines& external = ValueListEditor_EXT->lines();
    const QString text = QStringLiteral("Vous allez reconstituer le Dictionnaire des QUESTIONS UNIVERSELLES\r\n"
                                        "A partir des Clés du dictionnaire externe\r\n\r\n")
                         + QStringLiteral("%1 clés disponibles").arg(external.Count())
                         + QStringLiteral("\r\n\r\nVoulez-vous écraser le Questionnaire Universel ?");
    if (platform::dialogs().confirmWarning(text))
        JvCheckListBox_QUESTION->SetTexts(external.Keys());
}

void TForm1::Complterleslistes1Click()
{
    polyx::AppendMissingKeys(ValueListEditor_EXT->lines(), JvCheckListBox_QUESTION->Texts());
}

void TForm1::Ajouterlaslection1Click()
{
    polyx::AppendMissingKeys(ValueListEditor_EXT->lines(), JvCheckListBox_QUESTION->CheckedTexts());
}

void TForm1::JvCheckListBox_QUESTIONDblClick()
{
    const QString question = JvCheckListBox_QUESTION->Text(JvCheckListBox_QUESTION->RequireItemIndex());
    selectPageQuietly(PageControl_DICOS, PageControl_DICOS->indexOf(TabSheet_DIC_EXT));
    // A refusal by the internal dictionary leaves the external one alone.
    polyx::AppendMissingKeys(ValueListEditor_INT->lines(), {question});
    polyx::AppendMissingKeys(ValueListEditor_EXT->lines(), {question});
}

void TForm1::PlacerdanslescritpUniversel1Click()
{
    if (PageControl_SCRIPTS->currentWidget() != TabSheet_SKR_UNI) {
        platform::dialogs().message(platform::BoxKind::Plain,
                                    "Vous devez placer le curseur sur une sélection du TEXTE UNIVERSEL à compléter");
        selectPageQuietly(PageControl_SCRIPTS, PageControl_SCRIPTS->indexOf(TabSheet_SKR_UNI));
        return;
    }
    SKRIVO_POLYX->SetSelText(JvCheckListBox_QUESTION->Text(JvCheckListBox_QUESTION->RequireItemIndex()));
}
