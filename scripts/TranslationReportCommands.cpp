// The report of the last translation: its window, the status bar, the
// highlighted codes in the target pane.
#include "app/Unit1.h"

#include "app/CaptionPanel.h"
#include "app/FindingsWindow.h"
#include "platform/CommandGuard.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBlock>
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
        connect(m_reportWindow->addButton("reconnaitre", "Reconnaître les codes..."), &QPushButton::clicked, this,
                [this] { action("DICO_EXT_SUGGEST")->trigger(); });
    }
    fillReportWindow();
    m_reportWindow->showInFront(PANEL_TEXTE);
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
    m_report.marks = polyx::HighlightMarks(rows);
    m_report.rows = std::move(rows);
    m_report.pane = pane;
    m_report.page = page;
    m_report.unchanged = true;
    ShowStatusSummary(m_report.summary);
    highlightReport();
    if (m_reportWindow && m_reportWindow->isVisible())
        fillReportWindow();
}

// Decorations of the editor only: never in the text, a file or a copy.
void TForm1::highlightReport()
{
    ScriptPane* pane = m_report.pane;
    if (!pane || !m_report.unchanged || !mnu_SURLIGNER->isChecked())
        return;
    // A pane out of sight has no part in view; finding one would lay out
    // the whole script. It is marked when it shows.
    if (!pane->isVisible())
        return;
    const QRect view = pane->viewport()->rect();
    const QTextBlock top = pane->cursorForPosition(view.topLeft()).block();
    const QTextBlock bottom = pane->cursorForPosition(view.bottomRight()).block();
    const qsizetype from = top.position();
    const qsizetype to = bottom.position() + bottom.length();
    const QList<polyx::HighlightMark>& marks = m_report.marks;
    auto mark = std::lower_bound(marks.cbegin(), marks.cend(), from,
                                 [](const polyx::HighlightMark& m, qsizetype at) { return m.place.start < at; });
    // A mark starting before the view may reach into it.
    while (mark != marks.cbegin() && std::prev(mark)->place.start + std::prev(mark)->place.length > from)
        --mark;
    QTextCharFormat replaced, untranslated;
    replaced.setBackground(QColor(0xc8, 0xf0, 0xc8));
    untranslated.setBackground(QColor(0xff, 0xd8, 0xa0));
    QList<QTextEdit::ExtraSelection> selections;
    for (; mark != marks.cend() && mark->place.start < to; ++mark)
        selections.append({placeCursor(pane->document(), mark->place), mark->replaced ? replaced : untranslated});
    pane->setExtraSelections(selections);
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
    const polyx::ReportRow& found = m_report.rows[row];
    const QList<polyx::TextPlace>& places = found.places;
    if (places.isEmpty())
        return;
    ScriptPane* pane = m_report.pane;
    QTextCursor selection;
    if (m_report.unchanged) {
        int& next = m_report.nextPlace[row];
        selection = placeCursor(pane->document(), places[next % places.size()]);
        next = (next + 1) % int(places.size());
    } else {
        // Edited since the run: the places have moved, the texts have not.
        const QString text = found.state == polyx::ReportState::Replaced ? found.replacement : found.code;
        if (found.state == polyx::ReportState::Masked)
            return;
        selection = pane->document()->find(text, pane->textCursor());
        if (selection.isNull())
            selection = pane->document()->find(text, 0);
        if (selection.isNull())
            return;
    }
    selectPageQuietly(PageControl_SCRIPTS, m_report.page);
    activateWindow();
    pane->setTextCursor(selection);
    pane->ensureCursorVisible();
    pane->setFocus();
}
