#include "app/FindingsWindow.h"

#include "platform/Services.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

template <typename W>
W* named(W* widget, const QString& name, const QString& accessibleName)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    return widget;
}

} // namespace

FindingsWindow::FindingsWindow(const QString& objectName, const QString& title, const QString& optionalCaption,
                               QWidget* parent)
    : QDialog(parent),
      m_summary(named(new QLabel(this), "summary", "Résumé")),
      m_grid(named(new QTableWidget(this), "findings", title)),
      m_copy(named(new QPushButton("Copier le rapport", this), "copy", "Copier le rapport")),
      m_buttons(new QHBoxLayout)
{
    setObjectName(objectName);
    setWindowTitle(title);
    setAccessibleName(title);
    setModal(false);
    // Codes such as "<NOM>" are text, never markup.
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_summary->font();
    bold.setBold(true);
    m_summary->setFont(bold);

    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setAlternatingRowColors(true);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { emit rowActivated(row); });

    auto* close = named(new QPushButton("Fermer", this), "close", "Fermer");
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_copy, &QPushButton::clicked, this, [this] { copy(); });

    QHBoxLayout* buttons = m_buttons;
    if (!optionalCaption.isEmpty()) {
        m_optional = named(new QCheckBox(optionalCaption, this), "optional", optionalCaption);
        connect(m_optional, &QCheckBox::toggled, this, [this] { showOptionalRows(); });
        buttons->addWidget(m_optional);
    }
    buttons->addStretch();
    buttons->addWidget(m_copy);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(760, 420);
}

void FindingsWindow::setContents(const QString& summary, const polyx::FindingsTable& table)
{
    m_table = table;
    m_summary->setText(summary);
    m_grid->clearContents();
    m_grid->setColumnCount(int(table.columns.size()));
    m_grid->setHorizontalHeaderLabels(table.columns);
    m_grid->setRowCount(int(table.rows.size()));
    for (int row = 0; row < table.rows.size(); ++row) {
        const QStringList& cells = table.rows[row].cells;
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (table.numberColumns.contains(column))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(row, column, item);
        }
    }
    showOptionalRows();
    m_grid->resizeColumnsToContents();
    // A long code must not push the last columns out of sight.
    const int widest = qMax(120, width() / 3);
    for (int column = 0; column + 1 < m_grid->columnCount(); ++column)
        m_grid->setColumnWidth(column, qMin(m_grid->columnWidth(column) + 12, widest));
}

QPushButton* FindingsWindow::addButton(const QString& objectName, const QString& caption)
{
    auto* button = named(new QPushButton(caption, this), objectName, caption);
    m_buttons->insertWidget(m_buttons->indexOf(m_copy), button);
    return button;
}

void FindingsWindow::setCellText(int row, int column, const QString& text)
{
    if (row < 0 || row >= m_table.rows.size() || column < 0 || column >= m_table.rows[row].cells.size())
        return;
    m_table.rows[row].cells[column] = text;
    if (QTableWidgetItem* item = m_grid->item(row, column))
        item->setText(text);
}

QString FindingsWindow::summary() const
{
    return m_summary->text();
}

void FindingsWindow::showInFront(const QWidget* keepInSight)
{
    if (!m_placed && keepInSight && keepInSight->isVisible()) {
        m_placed = true;
        const QRect sight(keepInSight->mapToGlobal(QPoint(0, 0)), keepInSight->size());
        const QRect screen = keepInSight->screen()->availableGeometry();
        const int above = sight.top() - screen.top();
        const int below = screen.bottom() - sight.bottom();
        const int height = qBound(200, qMax(above, below) - 40, 420);
        const int top = above >= below ? qMax(screen.top(), sight.top() - height - 30) : sight.bottom() + 30;
        resize(width(), height);
        move(qBound(screen.left(), sight.left(), qMax(screen.left(), screen.right() - width())), top);
    }
    show();
    raise();
    activateWindow();
}

void FindingsWindow::showOptionalRows()
{
    const bool shown = m_optional && m_optional->isChecked();
    for (int row = 0; row < m_table.rows.size(); ++row)
        m_grid->setRowHidden(row, m_table.rows[row].optional && !shown);
}

void FindingsWindow::copy()
{
    platform::clipboard().setText(m_table.asText(summary(), m_optional && m_optional->isChecked()));
}
