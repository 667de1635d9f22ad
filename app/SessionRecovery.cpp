// The recovery folder seen from the window: what changed is kept there
// while it differs from its file, offered again after a run that did not
// end, and cleared by a close that saved everything.
#include "app/Unit1.h"

#include "app/RecoveryWatch.h"
#include "app/RecoveryWindow.h"
#include "app/WorkFolders.h"
#include "dictionaries/DictionaryPane.h"
#include "dictionaries/FileBytes.h"
#include "platform/CommandGuard.h"
#include "platform/Error.h"
#include "platform/FileLocations.h"
#include "platform/NameCase.h"
#include "platform/Services.h"
#include "platform/UnattendedDialogs.h"
#include "questions/QuestionList.h"
#include "scripts/ScriptPane.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTabWidget>

using polyx::RecoveryPane;

namespace {
// As the script files: far beyond any pane.
constexpr qint64 kMaxFileBytes = qint64(256) * 1024 * 1024;

polyx::RecoveryFolder recoveryFolder() { return polyx::RecoveryFolder(platform::recoveryFolder(), WorkDir()); }

template <typename Model>
void noteModelChanges(Model* model, RecoveryWatch* watch, RecoveryPane pane)
{
    const auto note = [watch, pane] { watch->changed(pane); };
    QObject::connect(model, &QAbstractItemModel::dataChanged, watch, note);
    QObject::connect(model, &QAbstractItemModel::rowsInserted, watch, note);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, watch, note);
    QObject::connect(model, &QAbstractItemModel::modelReset, watch, note);
    QObject::connect(model, &QAbstractItemModel::layoutChanged, watch, note);
    QObject::connect(model, &QAbstractItemModel::headerDataChanged, watch, note);
}
} // namespace

void TForm1::connectRecovery()
{
    noteModelChanges(JvCheckListBox_QUESTION->model(), m_recovery, RecoveryPane::Questions);
    noteModelChanges(&ValueListEditor_EXT->model(), m_recovery, RecoveryPane::DictionaryExt);
    noteModelChanges(&ValueListEditor_INT->model(), m_recovery, RecoveryPane::DictionaryInt);
    noteModelChanges(&ValueListEditor_FUSION->model(), m_recovery, RecoveryPane::Fusion);
    noteModelChanges(&ValueListEditor_SANVOR->model(), m_recovery, RecoveryPane::Sanvor);
    // The document tells formatting changes too, which a rich file keeps;
    // a translation edits in one block and tells once.
    const std::pair<ScriptPane*, RecoveryPane> scripts[] = {{SKRIVO_EXT, RecoveryPane::ScriptExt},
                                                            {SKRIVO_INT, RecoveryPane::ScriptInt},
                                                            {SKRIVO_POLYX, RecoveryPane::ScriptUni}};
    for (const auto& [pane, which] : scripts) {
        const auto note = [this, which] { m_recovery->changed(which); };
        connect(pane->document(), &QTextDocument::contentsChanged, m_recovery, note);
        connect(pane, &ScriptPane::plainTextChanged, m_recovery, note);
    }
}

QString TForm1::recoveryFileName(RecoveryPane pane) const
{
    const auto dictionaryFile = [](const DictionaryPane* dictionary, const char* defaultLabel) {
        const QString label = dictionary->PageLabel();
        return (label.isEmpty() ? QString::fromLatin1(defaultLabel) : label) + QStringLiteral(".DICO");
    };
    QString name;
    switch (pane) {
    case RecoveryPane::Questions: name = QStringLiteral("~POLYX.DICU"); break;
    case RecoveryPane::DictionaryExt: name = dictionaryFile(ValueListEditor_EXT, "~EXTERNE"); break;
    case RecoveryPane::DictionaryInt: name = dictionaryFile(ValueListEditor_INT, "~INTERNE"); break;
    case RecoveryPane::Fusion: name = fusionFileName(); break;
    case RecoveryPane::Sanvor: name = QStringLiteral("~SANVOR.DICO"); break;
    case RecoveryPane::ScriptExt: name = scriptStateFile(SKRIVO_EXT); break;
    case RecoveryPane::ScriptInt: name = scriptStateFile(SKRIVO_INT); break;
    case RecoveryPane::ScriptUni: name = scriptStateFile(SKRIVO_POLYX); break;
    }
    return QFileInfo(platform::ResolveNameCase(WorkDir() + name)).fileName();
}

polyx::PaneContent TForm1::recoveryContent(RecoveryPane pane, const QString& fileName) const
{
    const auto lines = [](const QStringList& lines, polyx::TextEncoding encoding) {
        return polyx::PaneContent{polyx::TextLinesFile::Encode(lines, encoding).bytes, lines.isEmpty()};
    };
    const auto script = [&fileName](const ScriptPane* script) {
        return polyx::PaneContent{script->FileBytes(fileName),
                                  script->IsEmpty()};
    };
    switch (pane) {
    case RecoveryPane::Questions: return lines(JvCheckListBox_QUESTION->Texts(), JvCheckListBox_QUESTION->Encoding());
    case RecoveryPane::DictionaryExt: return lines(ValueListEditor_EXT->lines().Lines(), ValueListEditor_EXT->lines().Encoding());
    case RecoveryPane::DictionaryInt: return lines(ValueListEditor_INT->lines().Lines(), ValueListEditor_INT->lines().Encoding());
    case RecoveryPane::Fusion: return lines(ValueListEditor_FUSION->lines().Lines(), ValueListEditor_FUSION->lines().Encoding());
    case RecoveryPane::Sanvor: return lines(ValueListEditor_SANVOR->lines().Lines(), ValueListEditor_SANVOR->lines().Encoding());
    case RecoveryPane::ScriptExt: return script(SKRIVO_EXT);
    case RecoveryPane::ScriptInt: return script(SKRIVO_INT);
    case RecoveryPane::ScriptUni: return script(SKRIVO_POLYX);
    }
    return {};
}

// Runs from a timer, between the user's commands: a failure here must not
// stand in the user's way, the next pause tries again.
void TForm1::keepForRecovery(const QList<RecoveryPane>& panes)
{
    polyx::RecoveryFolder folder = recoveryFolder();
    for (const RecoveryPane pane : panes) {
        try {
            const QString fileName = recoveryFileName(pane);
            const polyx::PaneContent content = recoveryContent(pane, fileName);
            std::optional<QByteArray> fileBytes;
            if (const std::optional<QString> unreadable = platform::failureOf([&] {
                    if (QFileInfo(WorkDir() + fileName).isFile())
                        fileBytes = polyx::ReadFileBytes(WorkDir() + fileName, kMaxFileBytes);
                }))
                fileBytes.reset();
            if (polyx::DiffersFromFile(pane, content, fileBytes))
                folder.keep(pane, fileName, content.bytes);
            else
                folder.drop(pane);
        } catch (const polyx::Error& error) {
            qWarning("%s", qUtf8Printable(error.message()));
        }
    }
}

void TForm1::endRecovery(bool saved)
{
    m_recovery->stop();
    if (saved)
        recoveryFolder().clear();
    else
        keepForRecovery(polyx::AllRecoveryPanes());
}

void TForm1::offerRecovery()
{
    polyx::RecoveryFolder folder = recoveryFolder();
    const QList<polyx::RecoveryFile> offered = folder.offered();
    QStringList items;
    for (const polyx::RecoveryFile& file : offered)
        items << polyx::DescribeRecovery(file);
    const bool recover = !offered.isEmpty() && RecoveryWindow::ask(items, this);
    QList<RecoveryPane> recovered;
    if (recover) {
        for (const polyx::RecoveryFile& file : offered) {
            if (const std::optional<QString> failure = platform::failureOf([&] { recoverPane(file); }))
                platform::dialogs().errorBox(*failure);
            else
                recovered << file.pane;
        }
    }
    // What was not taken back, older files included, goes where the user
    // can still find it; the files of the panes recovered stay until they
    // are saved.
    if (const std::optional<QString> failure =
            platform::failureOf([&] { folder.setAside(BackupDir(), QDateTime::currentDateTime(), recovered); }))
        platform::dialogs().errorBox(*failure);
    for (const RecoveryPane pane : recovered)
        m_recovery->changed(pane);
}

void TForm1::recoverPane(const polyx::RecoveryFile& file)
{
    const auto dictionary = [&](DictionaryPane* pane, int scriptPage) {
        pane->lines().LoadFromFile(file.path);
        if (scriptPage < 0)
            return;
        pane->SetPageLabel(FileLabel(file.fileName));
        PageControl_SCRIPTS->setTabText(scriptPage, pane->PageLabel());
    };
    switch (file.pane) {
    case RecoveryPane::Questions: JvCheckListBox_QUESTION->LoadFromFile(file.path); break;
    case RecoveryPane::DictionaryExt: dictionary(ValueListEditor_EXT, 0); break;
    case RecoveryPane::DictionaryInt: dictionary(ValueListEditor_INT, 1); break;
    case RecoveryPane::Fusion: dictionary(ValueListEditor_FUSION, -1); break;
    case RecoveryPane::Sanvor: dictionary(ValueListEditor_SANVOR, -1); break;
    case RecoveryPane::ScriptExt: SKRIVO_EXT->RestoreFromFile(file.path); break;
    case RecoveryPane::ScriptInt: SKRIVO_INT->RestoreFromFile(file.path); break;
    case RecoveryPane::ScriptUni: SKRIVO_POLYX->RestoreFromFile(file.path); break;
    }
}

void TForm1::SaveSessionAndQuit()
{
    if (m_ended)
        return;
    m_ended = true;
    const platform::UnattendedDialogs unattended;
    endRecovery(saveSession());
    QCoreApplication::exit(0);
}
