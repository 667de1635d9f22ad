// The report of the last translation: its window, the status bar, the
// highlighted codes in the target pane.
#include "app/Unit1.h"

#include "app/FindingsWindow.h"
#include "platform/CommandGuard.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QLabel>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

QTextCursor placeCursor(QTextDocument* document, const polyx::TextPlace& place)
{
    // The pane may have been edited since the run: stay inside its text.
    const qsizetype last = document->characterCount() - 1;
    QTextCursor cursor(document);
    cursor.setPosition(int(std::clamp<qsizetype>(place.start, 0, last)));
    cursor.setPosition(int(std::clamp<qsizetype>(place.start + place.length, 0, last)), QTextCursor::KeepAnchor);
    return cursor;
}

} // namespace

void TForm1::FUSION_REPORT()
{
    if (!m_reportWindow) {
        m_reportWindow = new FindingsWindow("RapportTraduction", "Rapport de traduction",
                                            "Afficher les codes absents", this);
        connect(m_reportWindow, &FindingsWindow::rowActivated, this,
                [this](int row) { platform::runGuarded([this, row] { selectReportPlace(row); }); });
    }
    fillReportWindow();
    m_reportWindow->showInFront();
}

void TForm1::fillReportWindow()
{
    if (!m_reportWindow)
        return;
    if (m_batch) {
        m_reportWindow->setContents(m_batch->summary, m_batch->table);
        return;
    }
    const QString summary = m_report.pane ? m_report.summary : QStringLiteral("Aucune traduction n'a encore été faite");
    m_reportWindow->setContents(summary, polyx::ReportTable(m_report.rows));
}

void TForm1::keepReport(ScriptPane* pane, int page, QList<polyx::ReportRow> rows)
{
    m_batch.reset();
    if (m_report.pane && m_report.pane != pane)
        m_report.pane->setExtraSelections({});
    m_report.summary = polyx::SummaryLine(rows);
    m_report.nextPlace = QList<int>(rows.size(), 0);
    m_report.rows = std::move(rows);
    m_report.pane = pane;
    m_report.page = page;
    m_report.unchanged = true;
    StatusPanelSpare->setText(m_report.summary);
    highlightReport();
    if (m_reportWindow && m_reportWindow->isVisible())
        fillReportWindow();
}

// Decorations of the editor only: never in the text, a file or a copy.
void TForm1::highlightReport()
{
    if (!m_report.pane || !m_report.unchanged || !mnu_SURLIGNER->isChecked())
        return;
    QTextCharFormat replaced, untranslated;
    replaced.setBackground(QColor(0xc8, 0xf0, 0xc8));
    untranslated.setBackground(QColor(0xff, 0xd8, 0xa0));
    QList<QTextEdit::ExtraSelection> selections;
    QTextDocument* document = m_report.pane->document();
    for (const polyx::ReportRow& row : std::as_const(m_report.rows)) {
        const bool isReplaced = row.state == polyx::ReportState::Replaced;
        if (!isReplaced && row.state != polyx::ReportState::NotTranslated)
            continue;
        for (const polyx::TextPlace& place : row.places)
            selections.append({placeCursor(document, place), isReplaced ? replaced : untranslated});
    }
    m_report.pane->setExtraSelections(selections);
}

void TForm1::mnu_SURLIGNERClick()
{
    if (mnu_SURLIGNER->isChecked())
        highlightReport();
    else if (m_report.pane)
        m_report.pane->setExtraSelections({});
}

void TForm1::selectReportPlace(int row)
{
    if (m_batch)
        return openBatchRow(row);
    if (!m_report.pane || row < 0 || row >= m_report.rows.size())
        return;
    const QList<polyx::TextPlace>& places = m_report.rows[row].places;
    if (places.isEmpty())
        return;
    int& next = m_report.nextPlace[row];
    const polyx::TextPlace place = places[next % places.size()];
    next = (next + 1) % int(places.size());
    selectPageQuietly(PageControl_SCRIPTS, m_report.page);
    activateWindow();
    m_report.pane->setTextCursor(placeCursor(m_report.pane->document(), place));
    m_report.pane->ensureCursorVisible();
    m_report.pane->setFocus();
}
