// "Vérifier les dictionnaires": what would go wrong before translating.
#include "app/Unit1.h"

#include "app/FindingsWindow.h"
#include "dictionaries/DictionaryPane.h"
#include "platform/CommandGuard.h"
#include "platform/Services.h"

#include <QTabWidget>

void TForm1::DICO_CHECK()
{
    const platform::BusyCursor busy;
    // The fusion as it stands: generating it now could fail on the very
    // codes the check is there to show.
    m_findings = polyx::CheckDictionaries(ValueListEditor_EXT->lines(), ValueListEditor_INT->lines(),
                                          ValueListEditor_FUSION->lines());
    if (!m_checkWindow) {
        m_checkWindow = new FindingsWindow("VerificationDictionnaires", "Vérification des dictionnaires", QString(), this);
        connect(m_checkWindow, &FindingsWindow::rowActivated, this,
                [this](int row) { platform::runGuarded([this, row] { selectFinding(row); }); });
    }
    m_checkWindow->setContents(polyx::CheckSummary(m_findings), polyx::CheckTable(m_findings));
    m_checkWindow->showInFront(PageControl_DICOS);
}

void TForm1::selectFinding(int row)
{
    if (row < 0 || row >= m_findings.size())
        return;
    const polyx::DictionaryFinding& finding = m_findings[row];
    DictionaryPane* pane = ValueListEditor_EXT;
    int page = 0;
    if (finding.dictionary == polyx::CheckedDictionary::Internal) {
        pane = ValueListEditor_INT;
        page = 1;
    } else if (finding.dictionary == polyx::CheckedDictionary::Fusion) {
        pane = ValueListEditor_FUSION;
        page = 2;
    }
    selectPageQuietly(PageControl_DICOS, page);
    activateWindow();
    pane->SetCurrentCell(finding.row, 0);
    pane->setFocus();
}
