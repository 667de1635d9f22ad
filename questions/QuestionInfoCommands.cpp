// The information files of the questions: shown under the list, created
// from their template and opened in the text editor.
#include "app/Unit1.h"

#include "dictionaries/TextLinesFile.h"
#include "platform/CommandGuard.h"
#include "platform/NameCase.h"
#include "platform/Services.h"
#include "questions/DoubleClickRelay.h"
#include "questions/QuestionInfo.h"
#include "questions/QuestionList.h"

#include <QFile>
#include <QPlainTextEdit>

void TForm1::connectQuestionEvents()
{
    connect(JvCheckListBox_QUESTION, &QuestionList::picked, this,
            [this] { platform::runGuarded([this] { JvCheckListBox_QUESTIONClick(); }); });
    connect(JvCheckListBox_QUESTION, &QuestionList::doubleClickedList, this,
            [this] { platform::runGuarded([this] { JvCheckListBox_QUESTIONDblClick(); }); });
    auto* memoClicks = new DoubleClickRelay(Memo_QUESTIONS->viewport());
    connect(memoClicks, &DoubleClickRelay::doubleClicked, this,
            [this] { platform::runGuarded([this] { Memo_QUESTIONSDblClick(); }); });
}

void TForm1::GetFile_QuestionInfo(QString& path, QString& name)
{
    path.clear();
    name.clear();
    const int index = JvCheckListBox_QUESTION->ItemIndex();
    if (index < 0)
        return;
    const polyx::QuestionInfoFile file =
        polyx::LocateQuestionInfo(FileListFolder(), JvCheckListBox_QUESTION->Text(index));
    name = file.name;
    path = platform::ResolveNameCase(file.path);
}

void TForm1::JvCheckListBox_QUESTIONClick()
{
    QString path, name;
    GetFile_QuestionInfo(path, name);
    // A question without a file leaves the previous one shown.
    if (!QFile::exists(path))
        return;
    const polyx::TextLines info = polyx::TextLinesFile::Read(path);
    Memo_QUESTIONS->setPlainText(info.lines.join(u'\n'));
    // Shown again at each click: the memo gives no other sign of it.
    if (const QString warning = polyx::TextLinesFile::PartialReadWarning(path, info); !warning.isEmpty())
        platform::dialogs().message(platform::BoxKind::Warning, warning);
}

void TForm1::mnuQuestions_PROPClick()
{
    QString path, name;
    GetFile_QuestionInfo(path, name);
    if (!QFile::exists(path))
        polyx::TextLinesFile::Write(path, polyx::QuestionInfoTemplate(name), polyx::TextEncoding::Ansi);
    if (QFile::exists(path))
        platform::desktop().openInTextEditor(path);
}

void TForm1::Memo_QUESTIONSDblClick()
{
    QString path, name;
    GetFile_QuestionInfo(path, name);
    if (QFile::exists(path))
        platform::desktop().openInTextEditor(path);
}
