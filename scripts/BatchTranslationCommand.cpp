// "Traduire un lot de scripts...": the dialog, the progress, and the batch's
// summary in the report window.
#include "app/Unit1.h"


#include "app/FindingsWindow.h"
#include "dictionaries/DictionaryPane.h"
#include "dictionaries/FileErrors.h"
#include "files/FileListBox.h"
#include "platform/CommandGuard.h"
#include "platform/Services.h"
#include "scripts/FirstLineLabel.h"
#include "scripts/ScriptFile.h"
#include "scripts/ScriptPane.h"
#include "scripts/rtf/RtfReader.h"
#include "scripts/translation/BatchTranslation.h"
#include "scripts/translation/DictionaryEntries.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTextCursor>

#include <algorithm>

namespace {

polyx::ScriptKinds kindsOf(const platform::BatchChoice& choice)
{
    return {choice.skrivo, choice.rtf, choice.txt};
}

// The progress window goes away however the batch ends.
class ProgressShown {
public:
    ProgressShown(const QString& title, int total) { platform::progress().start(title, total); }
    ~ProgressShown() { platform::progress().finish(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;
};

} // namespace

QStringList TForm1::selectedFiles() const
{
    QStringList paths;
    const FileListBox* list = fileList();
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected() && !list->isFolderAt(row))
            paths.append(list->pathAt(row));
    return paths;
}

void TForm1::connectBatchTranslation()
{
    // The list's pop-up offers the batch only over selected scripts.
    QMenu* popup = m_menus.value("Popup_LISTE");
    QAction* item = m_actions.value("Traduirelelot1");
    connect(popup, &QMenu::aboutToShow, item,
            [this, item] { item->setVisible(!polyx::BatchScripts(selectedFiles(), {}).isEmpty()); });
}

void TForm1::FUSION_BATCH()
{
    const QString folder = FileListFolder();
    const QStringList selected = polyx::BatchScripts(selectedFiles(), {});
    const bool fromSelection = !selected.isEmpty();
    const auto scriptsOf = [&](const platform::BatchChoice& choice) {
        return fromSelection ? polyx::BatchScripts(selected, kindsOf(choice))
                             : polyx::FolderScripts(folder, kindsOf(choice));
    };

    platform::BatchRequest request;
    request.sourceFolder = folder;
    request.fromSelection = fromSelection;
    request.initial.outputFolder = polyx::DefaultBatchOutput(folder);
    request.count = [&](const platform::BatchChoice& choice) { return int(scriptsOf(choice).size()); };
    request.accept = [&](const platform::BatchChoice& choice) {
        if (polyx::IsSameFolder(polyx::BatchOutputFolder(choice.outputFolder, folder), folder)) {
            platform::dialogs().message(platform::BoxKind::Warning, polyx::SameFolderWarning());
            return false;
        }
        return !scriptsOf(choice).isEmpty();
    };
    request.help = [this] { platform::runGuarded([this] { ShowGuide(QStringLiteral("lot.html")); }); };
    const std::optional<platform::BatchChoice> choice = platform::dialogs().batchTranslation(request);
    if (!choice)
        return;
    const QStringList sources = scriptsOf(*choice);
    const QString output = polyx::BatchOutputFolder(choice->outputFolder, folder);

    // The single translations' dictionaries, as they would stand for them.
    const bool universal = choice->universal;
    if (!universal)
        run("DICO_FUSION_CREATE");
    polyx::BatchRun batch(universal ? polyx::BatchDirection::IntoUniversal : polyx::BatchDirection::IntoInternal,
                          polyx::EntriesOf((universal ? ValueListEditor_EXT : ValueListEditor_FUSION)->lines()),
                          output, universal ? QList<int>() : fusionHeaderRows());
    const QStringList existing = batch.ExistingOutputs(sources);
    if (!existing.isEmpty()
        && !platform::dialogs().confirm(polyx::ReplaceOutputsQuestion(int(existing.size()), output)))
        return;
    if (!QDir().mkpath(output))
        throw polyx::CreateFileError(output, QString());

    {
        const ProgressShown shown("Traduction par lot", int(sources.size()));
        for (int i = 0; i < sources.size(); ++i) {
            if (!platform::progress().step(QFileInfo(sources[i]).fileName(), i)) {
                batch.Stopped(i, int(sources.size()));
                break;
            }
            batch.Translate(sources[i]);
        }
    }
    keepBatchReport(batch, universal ? SKRIVO_POLYX : SKRIVO_INT, universal ? 2 : 1);
    RefreshFileList();
    FUSION_REPORT();
    batch.WriteReport();
}

void TForm1::keepBatchReport(const polyx::BatchRun& batch, ScriptPane* target, int page)
{
    if (m_report.pane)
        m_report.pane->setExtraSelections({});
    m_report = LastReport{};
    BatchReport report;
    report.summary = batch.SummaryLine();
    const polyx::BatchTable table = batch.Table();
    report.table = table.table;
    report.pane = target;
    report.page = page;
    const QList<polyx::BatchFile>& files = batch.files();
    // Each row opens its file's translation; a finding's row also shows
    // its first place there.
    for (qsizetype row = 0; row < table.fileOfRow.size(); ++row) {
        const polyx::BatchFile& file = files[table.fileOfRow[row]];
        const qsizetype finding = table.findingOfRow[row];
        report.outputs.append(file.output);
        report.places.append(finding < 0 ? QList<polyx::TextPlace>() : file.findings[finding].places);
    }
    ShowStatusSummary(report.summary);
    m_batch = std::move(report);
    fillReportWindow();
}

// As "Recharger" reads it; a translation written as RTF is shown as rich
// text, its switch unticked, rather than as its markup.
void TForm1::openBatchRow(int row)
{
    if (!m_batch || row < 0 || row >= m_batch->outputs.size())
        return;
    const QString path = m_batch->outputs[row];
    if (path.isEmpty() || !QFile::exists(path))
        return;
    ScriptPane* pane = m_batch->pane;
    if (pane->PlainText() && polyx::RtfReader::isRtf(polyx::ScriptFile::ReadBytes(path))) {
        pane->SetPlainText(false);
        if (pane == SKRIVO_INT)
            m_actions.value("check_TexteBrut1")->setChecked(false);
    }
    selectPageQuietly(PageControl_SCRIPTS, m_batch->page);
    pane->LoadFromFile(path);
    if (pane == SKRIVO_INT && !pane->IsEmpty()) {
        if (const std::optional<QString> label = polyx::FirstLineLabel(pane->FirstLine(), polyx::ScriptSide::Internal))
            pane->SetPageLabel(*label);
    }
    const QList<polyx::TextPlace> places = m_batch->places[row];
    activateWindow();
    pane->setFocus();
    if (places.isEmpty())
        return;
    const int last = pane->document()->characterCount() - 1;
    QTextCursor cursor(pane->document());
    cursor.setPosition(int(std::clamp<qsizetype>(places.first().start, 0, last)));
    cursor.setPosition(int(std::clamp<qsizetype>(places.first().start + places.first().length, 0, last)),
                       QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);
    pane->ensureCursorVisible();
}
