#include "app/Unit1.h"

#include "config/ConfigStore.h"
#include "config/WindowConfig.h"
#include "dictionaries/DictionaryPane.h"
#include "files/FileListBox.h"
#include "platform/CommandGuard.h"
#include "platform/Services.h"

#include <QAction>
#include <QCheckBox>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QTabWidget>
#include <functional>

int TForm1::panelTexteHeight() const
{
    return Splitter1->sizes().value(1);
}

void TForm1::setPanelTexteHeight(int height)
{
    const QList<int> sizes = Splitter1->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    Splitter1->setSizes({qMax(0, total - height), height});
}

namespace {
// One damaged file must not cost the user the rest of the session: each step
// that fails is reported and the next one still runs. The restore reports
// each failure as it comes; the save gathers them into one box, so that a
// read-only folder does not stand between the user and the end of the run.
class SessionSteps {
public:
    enum Report { AtOnce, Together };
    explicit SessionSteps(Report report) : m_report(report) {}

    void operator()(const std::function<void()>& step)
    {
        const std::optional<QString> failure = platform::failureOf(step);
        if (!failure)
            return;
        m_allDone = false;
        // An unwritable configuration file fails every step alike: say it once.
        if (!m_reported.contains(*failure)) {
            m_reported << *failure;
            if (m_report == AtOnce)
                platform::dialogs().errorBox(*failure);
        }
    }
    // Ends the steps: gathered failures are shown now, in one box.
    bool finish()
    {
        if (m_report == Together && !m_reported.isEmpty())
            platform::dialogs().errorBox(m_reported.join(QStringLiteral("\r\n\r\n")));
        return m_allDone;
    }

private:
    Report m_report;
    bool m_allDone = true;
    QStringList m_reported;
};
} // namespace

void TForm1::INI_GET() { restoreSession(); }
void TForm1::INI_SAVE() { saveSession(); }

// What the save could not write stays in the recovery folder, offered at
// the next start.
bool TForm1::mayCloseAfterSave()
{
    if (saveSession()) {
        endRecovery(true);
        return true;
    }
    if (!platform::dialogs().confirm(
            QStringLiteral("Toutes les données n'ont pas pu être enregistrées.\r\n\r\nQuitter quand même ?")))
        return false;
    endRecovery(false);
    return true;
}

bool TForm1::restoreSession()
{
    SessionSteps step(SessionSteps::AtOnce);
    step([this] { RestoreWindowPlacement(*this); });
    step([this] { RestoreMenuChecks(*this); });
    step([this] { AUTO_TRAD->setChecked(ReadBool("OPTIONS", "AUTOTRAD", false)); });
    step([this] { AUTO_SAVE->setChecked(ReadBool("OPTIONS", "AUTOSAVE", true)); });
    step([this] { mnu_SURLIGNER->setChecked(ReadBool("OPTIONS", "SURLIGNER", true)); });
    for (const char* load : {"DICO_QUESTIONS_LOAD", "DICO_EXT_LOAD", "DICO_INT_LOAD", "DICO_FUSION_LOAD", "DICO_SAN_LOAD", "SKR_EXT_LOAD",
                             "SKR_INT_LOAD", "SKR_UNI_LOAD"})
        step([this, load] { run(load); });
    step([this] { setPanelTexteHeight(ReadInteger("AFFICHAGE", "TEXTE", panelTexteHeight())); });

    if (ValueListEditor_EXT->PageLabel().isEmpty())
        ValueListEditor_EXT->SetPageLabel("~EXTERNE");
    if (ValueListEditor_INT->PageLabel().isEmpty())
        ValueListEditor_INT->SetPageLabel("~INTERNE");
    if (PageControl_SCRIPTS->tabText(0).isEmpty())
        PageControl_SCRIPTS->setTabText(0, "~EXTERNE");
    if (PageControl_SCRIPTS->tabText(1).isEmpty())
        PageControl_SCRIPTS->setTabText(1, "~INTERNE");
    return step.finish();
}

bool TForm1::saveSession()
{
    const FileListBox::RefreshBatch oneRefresh(*fileList());
    const QScopedValueRollback unattended(m_saveRun, SaveRun::Session);
    SessionSteps step(SessionSteps::Together);
    step([this] { SaveWindowPlacement(*this); });
    step([this] { SaveMenuChecks(*this); });
    step([this] { WriteBool("OPTIONS", "AUTOTRAD", AUTO_TRAD->isChecked()); });
    step([this] { WriteBool("OPTIONS", "AUTOSAVE", AUTO_SAVE->isChecked()); });
    step([this] { WriteBool("OPTIONS", "SURLIGNER", mnu_SURLIGNER->isChecked()); });
    for (const char* save : {"DICO_QUESTIONS_SAVE", "DICO_EXT_SAVE", "DICO_INT_SAVE", "DICO_FUSION_SAVE", "DICO_SAN_SAVE"})
        step([this, save] { run(save); });
    step([this] { SaveScriptStateFiles(); });
    step([this] { WriteInteger("AFFICHAGE", "TEXTE", panelTexteHeight()); });
    return step.finish();
}
