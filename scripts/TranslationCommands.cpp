// The two translations of the external script and the copy they start from.
#include "app/Unit1.h"

#include "dictionaries/DictionaryPane.h"
#include "platform/Error.h"
#include "platform/Services.h"
#include "scripts/ScriptPane.h"
#include "scripts/VisibleText.h"
#include "scripts/rtf/RtfReader.h"
#include "scripts/rtf/RtfWriter.h"
#include "scripts/translation/DictionaryEntries.h"
#include "scripts/translation/DocumentTarget.h"
#include "scripts/translation/KeptParts.h"
#include "scripts/translation/RunReport.h"
#include "scripts/translation/TranslationRules.h"

#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The universal translation shows the hourglass only while a code is being
// replaced.
class BusyWhileReplacing : public polyx::TranslationTarget {
public:
    explicit BusyWhileReplacing(polyx::TranslationTarget& target) : m_target(target) {}
    bool ContainsExactly(const QString& code) const override { return m_target.ContainsExactly(code); }
    polyx::Replaced ReplaceAll(const QString& code, const QString& replacement) override
    {
        const platform::BusyCursor busy;
        return m_target.ReplaceAll(code, replacement);
    }

private:
    polyx::TranslationTarget& m_target;
};

// One edit block over the pane's document for the whole run: the editor is
// laid out and repainted once, not after each replacement. The findings of
// the run come from the text before and after it.
template <typename Translate>
polyx::TranslationReport translateInPane(ScriptPane* pane, QList<polyx::ReportRow>& findings,
                                         Translate translate)
{
    polyx::TranslationReport report;
    int lastEnd = -1;
    {
        polyx::DocumentTarget target(*pane->document());
        const QString before = target.Text();
        polyx::ReportRecorder recorder;
        report = translate(target, recorder);
        lastEnd = target.LastReplacementEnd();
        findings = polyx::BuildRunReport(before, target.Text(), recorder.walks());
    }
    if (lastEnd >= 0) {
        pane->SetFocus();
        QTextCursor caret(pane->document());
        caret.setPosition(lastEnd);
        pane->setTextCursor(caret);
    }
    return report;
}

// The notification icon's balloon cuts the title and the text to its limits.
void ShowBalloonReport(const QString& title, const QString& text)
{
    platform::balloon().show(title, text);
}

} // namespace

// Rich to rich goes through RTF as a script file would. A pane in plain-text
// mode on either side gets the text itself: a plain target never shows RTF
// markup, and a plain script that happens to start with "{\rtf" stays text.
void TForm1::CopyPaneContent(ScriptPane* source, ScriptPane* target)
{
    if (source->PlainText() || target->PlainText()) {
        target->SetText(polyx::VisibleText(*source->document()));
        return;
    }
    polyx::RtfReader reader;
    if (!reader.read(polyx::RtfWriter::write(*source->document()), target->document()))
        throw polyx::Error(reader.errorString());
    target->setTextCursor(QTextCursor(target->document()));
}

void TForm1::FUSION_EXT_INT()
{
    if (SKRIVO_EXT->IsEmpty()) {
        platform::dialogs().message(platform::BoxKind::Plain, polyx::EmptySourceMessageForInternal());
        selectPageQuietly(PageControl_SCRIPTS, 0);
        return;
    }
    const platform::BusyCursor busy;
    run("DICO_FUSION_CREATE");
    if (PageControl_SCRIPTS->currentIndex() != 1)
        selectPageQuietly(PageControl_SCRIPTS, 1);
    CopyPaneContent(SKRIVO_EXT, SKRIVO_INT);
    const polyx::DictionaryEntries fusion = polyx::EntriesOf(ValueListEditor_FUSION->lines());
    const QList<int> headerRows = fusionHeaderRows();
    QList<polyx::ReportRow> findings;
    const polyx::TranslationReport report =
        translateInPane(SKRIVO_INT, findings, [&](polyx::TranslationTarget& target, polyx::ReportRecorder& recorder) {
            return polyx::TranslateIntoInternal(fusion, target, &recorder, headerRows);
        });
    ShowBalloonReport(report.balloonTitle, report.balloonText);
    keepReport(SKRIVO_INT, 1, std::move(findings));
    SelectFileKindTab(0);
}

void TForm1::FUSION_POLYX()
{
    if (SKRIVO_EXT->IsEmpty()) {
        platform::dialogs().message(platform::BoxKind::Plain, polyx::EmptySourceMessageForUniversal());
        selectPageQuietly(PageControl_SCRIPTS, 0);
        return;
    }
    if (PageControl_SCRIPTS->currentIndex() != 2)
        selectPageQuietly(PageControl_SCRIPTS, 2);
    CopyPaneContent(SKRIVO_EXT, SKRIVO_POLYX);
    const polyx::DictionaryEntries external = polyx::EntriesOf(ValueListEditor_EXT->lines());
    // The codes of the parts the pane keeps but does not show count as the script's.
    const QString keptText = polyx::KeptParts(*SKRIVO_EXT->document()).text();
    const QString source = keptText.isEmpty() ? SKRIVO_EXT->Text() : SKRIVO_EXT->Text() + u'\n' + keptText;
    QList<polyx::ReportRow> findings;
    const polyx::TranslationReport report = translateInPane(
        SKRIVO_POLYX, findings, [&](polyx::TranslationTarget& target, polyx::ReportRecorder& recorder) {
            BusyWhileReplacing busy(target);
            return polyx::TranslateIntoUniversal(external, source, busy, &recorder);
        });
    ShowBalloonReport(report.balloonTitle, report.balloonText);
    keepReport(SKRIVO_POLYX, 2, std::move(findings));
    // The balloon may have let another page come to the front meanwhile.
    if (PageControl_SCRIPTS->currentIndex() != 2)
        selectPageQuietly(PageControl_SCRIPTS, 2);
}
