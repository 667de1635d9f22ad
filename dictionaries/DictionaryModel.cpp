#include "dictionaries/DictionaryModel.h"

#include "platform/Error.h"

namespace polyx {

DictionaryModel::DictionaryModel(DictionaryLines& lines, QObject* parent)
    : QAbstractTableModel(parent), m_lines(lines)
{
    m_lines.SetListener(this);
}

DictionaryModel::~DictionaryModel()
{
    m_lines.SetListener(nullptr);
}

int DictionaryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : qMax(1, m_lines.Count());
}

int DictionaryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant DictionaryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    if (m_lines.Count() == 0)
        return QString();
    const int row = index.row() + 1;
    return index.column() == 0 ? m_lines.KeyAt(row) : m_lines.ValueAt(row);
}

QVariant DictionaryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return section == 0 ? m_lines.KeyTitle() : m_lines.ValueTitle();
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags DictionaryModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (index.isValid() && m_editable)
        result |= Qt::ItemIsEditable;
    return result;
}

bool DictionaryModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !m_editable)
        return false;
    try {
        applyEdit(index.row() + 1, index.column(), value.toString());
    } catch (const Error& error) {
        m_lastError = error.message();
        emit editRefused(m_lastError);
        return false;
    }
    m_lastError.clear();
    return true;
}

void DictionaryModel::applyEdit(int row, int column, const QString& text)
{
    if (m_lines.Count() == 0) {
        if (text.isEmpty())
            return;
        if (column == 0) {
            DictionaryLines::RequireKeyWithoutEquals(text);
            m_lines.AddLine(text + u'=');
        } else {
            m_lines.AddLine(u'=' + text);
        }
        return;
    }
    if (column == 0) {
        if (text != m_lines.KeyAt(row))
            m_lines.SetKeyAt(row, text);
    } else if (text != m_lines.ValueAt(row)) {
        m_lines.SetValueAt(row, text);
    }
}

void DictionaryModel::linesAboutToBeReset()
{
    beginResetModel();
}

void DictionaryModel::linesReset()
{
    endResetModel();
}

void DictionaryModel::lineAboutToBeInserted(int index)
{
    m_blankRowChanges = m_lines.Count() == 0;
    if (!m_blankRowChanges)
        beginInsertRows(QModelIndex(), index, index);
}

void DictionaryModel::lineInserted(int index)
{
    if (m_blankRowChanges)
        lineChanged(index);
    else
        endInsertRows();
}

void DictionaryModel::lineAboutToBeRemoved(int index)
{
    m_blankRowChanges = m_lines.Count() == 1;
    if (!m_blankRowChanges)
        beginRemoveRows(QModelIndex(), index, index);
}

void DictionaryModel::lineRemoved(int index)
{
    if (m_blankRowChanges)
        lineChanged(index);
    else
        endRemoveRows();
}

void DictionaryModel::lineChanged(int index)
{
    emit dataChanged(this->index(index, 0), this->index(index, 1));
}

void DictionaryModel::pageLabelChanged()
{
    emit labelChanged(m_lines.PageLabel());
}

} // namespace polyx
