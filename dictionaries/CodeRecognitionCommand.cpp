// "Reconnaître les codes du script...": a universal key proposed for each
// code of the external script that the external dictionary does not know.
#include "app/Unit1.h"

#include "app/CaptionPanel.h"
#include "app/CodeRecognitionWindow.h"
#include "app/WorkFolders.h"
#include "dictionaries/DictionaryPane.h"
#include "platform/CommandGuard.h"
#include "platform/Services.h"
#include "questions/QuestionList.h"
#include "scripts/ScriptFile.h"
#include "scripts/ScriptPane.h"
#include "scripts/ScriptText.h"
#include "scripts/translation/RecognitionSources.h"

#include <QTabWidget>
#include <QTextDocument>

namespace {
const char kLetterFilter[] = "SKRIVO|*.skrivo|TEXTE|*.txt|Courrier|*.rtf|Tous|*.*";
}

void TForm1::DICO_EXT_SUGGEST()
{
    if (SKRIVO_EXT->IsEmpty()) {
        platform::dialogs().message(platform::BoxKind::Information, "Rien à reconnaître : le script externe est vide.");
        return;
    }
    const platform::BusyCursor busy;
    if (!m_recognitionWindow) {
        m_recognitionWindow = new CodeRecognitionWindow(this);
        connect(m_recognitionWindow, &FindingsWindow::rowActivated, this,
                [this](int row) { platform::runGuarded([this, row] { selectRecognisedCode(row); }); });
        connect(m_recognitionWindow, &CodeRecognitionWindow::addRequested, this,
                [this] { platform::runGuarded([this] { addRecognisedCodes(); }); });
        connect(m_recognitionWindow, &CodeRecognitionWindow::letterRequested, this,
                [this] { platform::runGuarded([this] { chooseTranslatedLetter(); }); });
    }
    fillRecognitionWindow();
    m_recognitionWindow->showInFront(PANEL_TEXTE);
}

void TForm1::fillRecognitionWindow()
{
    polyx::RecognitionInput input;
    input.script = polyx::DocumentText(*SKRIVO_EXT->document());
    input.externalLines = ValueListEditor_EXT->lines().Lines();
    input.internalLines = ValueListEditor_INT->lines().Lines();
    // The panes stand for their own files, which may be older; the external
    // dictionary is the one being written.
    const QString sanvorLabel = QStringLiteral("~SANVOR");
    input.kept = {{ValueListEditor_INT->PageLabel() + QStringLiteral(".DICO"), input.internalLines},
                  {sanvorLabel + QStringLiteral(".DICO"), ValueListEditor_SANVOR->lines().Lines()}};
    input.kept += polyx::ReadKeptDictionaries(
        {WorkDir(), FileListFolder()}, {ValueListEditor_EXT->PageLabel(), ValueListEditor_INT->PageLabel(), sanvorLabel});
    input.questions = JvCheckListBox_QUESTION->Texts();
    input.definitions = polyx::ReadQuestionDefinitions(FileListFolder());
    // The internal pane as the last run left it holds this very script.
    const bool fresh = m_report.pane == SKRIVO_INT && m_report.unchanged;
    if (!m_recognitionLetter.isEmpty())
        input.letter = m_recognitionLetter;
    else if (!SKRIVO_INT->IsEmpty() && !fresh)
        input.letter = polyx::DocumentText(*SKRIVO_INT->document());
    m_recognitionWindow->setRows(polyx::RecogniseCodes(input), input.questions);
}

void TForm1::addRecognisedCodes()
{
    const QList<polyx::RecognitionRow>& rows = m_recognitionWindow->rows();
    polyx::DictionaryLines& external = ValueListEditor_EXT->lines();
    QList<int> added;
    QHash<int, QString> already;
    for (int row = 0; row < rows.size(); ++row) {
        const polyx::RecognitionRow& proposal = rows[row];
        if (!proposal.ticked || proposal.key.isEmpty())
            continue;
        if (const std::optional<QString> other = polyx::AddToExternal(external, proposal.key, proposal.code)) {
            already.insert(row, polyx::AlreadyInDictionary(*other));
            continue;
        }
        added.append(row);
        if (!JvCheckListBox_QUESTION->Texts().contains(proposal.key, Qt::CaseInsensitive))
            JvCheckListBox_QUESTION->Add(proposal.key);
    }
    m_recognitionWindow->rowsAdded(added, already);
    ShowStatusSummary(polyx::AddedSummary(int(added.size())));
    run("DICO_FUSION_CREATE");
}

void TForm1::chooseTranslatedLetter()
{
    platform::FileDialogRequest request;
    request.title = "Lettre déjà traduite";
    request.filter = kLetterFilter;
    request.initialDir = FileListFolder();
    const std::optional<QString> path = platform::dialogs().openFile(request);
    if (!path)
        return;
    const platform::BusyCursor busy;
    QTextDocument letter;
    polyx::ScriptFile::Load(letter, *path, !polyx::ScriptFile::IsRichFile(*path));
    m_recognitionLetter = polyx::DocumentText(letter);
    fillRecognitionWindow();
}

void TForm1::selectRecognisedCode(int row)
{
    const QList<polyx::RecognitionRow>& rows = m_recognitionWindow->rows();
    if (row < 0 || row >= rows.size())
        return;
    const QString& code = rows[row].code;
    QTextCursor found = SKRIVO_EXT->document()->find(code, SKRIVO_EXT->textCursor());
    if (found.isNull())
        found = SKRIVO_EXT->document()->find(code, 0);
    if (found.isNull())
        return;
    selectPageQuietly(PageControl_SCRIPTS, 0);
    activateWindow();
    SKRIVO_EXT->setTextCursor(found);
    SKRIVO_EXT->ensureCursorVisible();
    SKRIVO_EXT->setFocus();
}
