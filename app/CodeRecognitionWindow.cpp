#include "app/CodeRecognitionWindow.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTreeView>

namespace {

// The proposed key's editor: the code's candidates with their confidence and
// reason beside them, then every question; any key may be typed.
class KeyDelegate : public QStyledItemDelegate {
public:
    explicit KeyDelegate(CodeRecognitionWindow* window)
        : QStyledItemDelegate(window), m_window(window)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        if (index.column() != CodeRecognitionWindow::KeyColumn || index.row() >= m_window->rows().size())
            return nullptr;
        auto* combo = new QComboBox(parent);
        combo->setObjectName("cle");
        combo->setAccessibleName("Clé proposée");
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        auto* model = new QStandardItemModel(0, 2, combo);
        QStringList offered;
        const auto offer = [&](const QString& key, const QString& why) {
            if (offered.contains(key, Qt::CaseInsensitive))
                return;
            offered.append(key);
            auto* reason = new QStandardItem(why);
            reason->setForeground(QColor(0x55, 0x5f, 0x6b));
            model->appendRow({new QStandardItem(key), reason});
        };
        for (const polyx::KeyCandidate& candidate : m_window->rows().at(index.row()).candidates)
            offer(candidate.key, polyx::ConfidenceText(candidate.confidence) + QStringLiteral(" — ") + candidate.reason);
        for (const QString& question : m_window->questions()) {
            if (!question.startsWith(QStringLiteral("<_")))
                offer(question, QString());
        }
        auto* view = new QTreeView(combo);
        view->setHeaderHidden(true);
        view->setRootIsDecorated(false);
        view->setItemsExpandable(false);
        view->setAllColumnsShowFocus(true);
        view->setAccessibleName("Clés proposées");
        combo->setModel(model);
        combo->setView(view);
        combo->setModelColumn(0);
        view->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        view->header()->setStretchLastSection(true);
        view->setMinimumWidth(560);
        return combo;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            combo->setEditText(index.data().toString());
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            m_window->chooseKey(index.row(), combo->currentText());
    }

private:
    CodeRecognitionWindow* m_window;
};

} // namespace

CodeRecognitionWindow::CodeRecognitionWindow(QWidget* parent)
    : FindingsWindow("ReconnaissanceCodes", "Reconnaissance des codes", QString(), parent)
{
    m_add = addButton("ajouter", "Ajouter au dictionnaire externe");
    m_letter = addButton("lettre", "Lettre déjà traduite...");
    copyButton()->setText("Copier");
    copyButton()->setAccessibleName("Copier");
    connect(m_add, &QPushButton::clicked, this, &CodeRecognitionWindow::addRequested);
    connect(m_letter, &QPushButton::clicked, this, &CodeRecognitionWindow::letterRequested);

    QTableWidget* table = grid();
    table->setItemDelegateForColumn(KeyColumn, new KeyDelegate(this));
    // A double-click selects the code in the script; a click on the key of
    // the current row, F2 or typing edits it.
    table->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                           | QAbstractItemView::AnyKeyPressed);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    connect(table, &QTableWidget::cellChanged, this, &CodeRecognitionWindow::tickChanged);
    resize(900, 460);
}

void CodeRecognitionWindow::setRows(QList<polyx::RecognitionRow> rows, const QStringList& questions)
{
    m_rows = std::move(rows);
    m_questions = questions;
    m_filling = true;
    setContents(polyx::RecognitionSummary(m_rows), polyx::RecognitionTable(m_rows));
    for (int row = 0; row < m_rows.size(); ++row)
        showRow(row);
    m_filling = false;
}

void CodeRecognitionWindow::showRow(int row)
{
    QTableWidget* table = grid();
    const bool filling = m_filling;
    m_filling = true;
    const QStringList cells = polyx::RecognitionCells(m_rows[row]);
    for (int column = 0; column < cells.size(); ++column) {
        setCellText(row, column, cells[column]);
        QTableWidgetItem* item = table->item(row, column);
        if (!item)
            continue;
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (column == 0)
            flags |= Qt::ItemIsUserCheckable;
        if (column == KeyColumn)
            flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        if (column == 0)
            item->setCheckState(m_rows[row].ticked ? Qt::Checked : Qt::Unchecked);
        item->setToolTip(column == 4 ? cells[column] : QString());
    }
    m_filling = filling;
}

void CodeRecognitionWindow::tickChanged(int row, int column)
{
    if (m_filling || column != 0 || row < 0 || row >= m_rows.size())
        return;
    if (const QTableWidgetItem* item = grid()->item(row, 0))
        m_rows[row].ticked = item->checkState() == Qt::Checked;
}

void CodeRecognitionWindow::chooseKey(int row, const QString& text)
{
    if (row < 0 || row >= m_rows.size())
        return;
    const std::optional<QString> key = polyx::TypedKey(text);
    if (key && key->compare(m_rows[row].key, Qt::CaseSensitive) != 0) {
        // A question already listed keeps its own spelling.
        QString chosen = *key;
        for (const QString& question : m_questions) {
            if (question.compare(chosen, Qt::CaseInsensitive) == 0)
                chosen = question;
        }
        polyx::ChooseKey(m_rows[row], chosen);
    }
    showRow(row);
}

void CodeRecognitionWindow::rowsAdded(const QList<int>& added, const QHash<int, QString>& already)
{
    QList<polyx::RecognitionRow> left;
    for (int row = 0; row < m_rows.size(); ++row) {
        if (added.contains(row))
            continue;
        polyx::RecognitionRow kept = m_rows[row];
        if (already.contains(row)) {
            kept.reason = already.value(row);
            kept.ticked = false;
        }
        left.append(kept);
    }
    setRows(left, m_questions);
}
