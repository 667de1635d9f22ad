#include "dictionaries/DictionaryPane.h"

#include "platform/Services.h"

#include <QHeaderView>

DictionaryPane::DictionaryPane(const QString& objectName, const QString& keyTitle, const QString& valueTitle,
                               const QString& hint, QWidget* parent)
    : QTableView(parent), m_lines(keyTitle, valueTitle), m_model(m_lines)
{
    setObjectName(objectName);
    setToolTip(hint);
    setAccessibleName(hint.isEmpty() ? objectName : hint);
    setModel(&m_model);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setDefaultSectionSize(150);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(20);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    connect(&m_model, &polyx::DictionaryModel::editRefused, this,
            [](const QString& message) { platform::dialogs().errorBox(message); });
}

void DictionaryPane::setReadOnlyRows()
{
    m_model.setEditable(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}
