#pragma once
#include "dictionaries/DictionaryLines.h"

#include <QAbstractTableModel>

namespace polyx {

// The key/value grid over one DictionaryLines: the header is the title row,
// model row r is grid row r + 1, and a pane without lines shows one blank
// row that takes the first line when typed into. Edits go through the
// rules of DictionaryLines; a refused edit makes setData return false and
// emit editRefused with the French message (the window shows it), so no
// error ever crosses Qt's event loop. The lines must outlive the model.
class DictionaryModel : public QAbstractTableModel, private DictionaryLinesListener {
    Q_OBJECT
public:
    explicit DictionaryModel(DictionaryLines& lines, QObject* parent = nullptr);
    ~DictionaryModel() override;

    DictionaryLines& lines() { return m_lines; }
    // The fusion grid selects rows but is never edited in place.
    void setEditable(bool editable) { m_editable = editable; }
    QString lastError() const { return m_lastError; }
    bool isEditable() const { return m_editable; }
    // The edit setData makes, throwing polyx::Error when refused (a grid
    // row, 1 for the blank row of an empty pane; column 0 key, 1 value).
    void applyEdit(int row, int column, const QString& text);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    void editRefused(const QString& message);
    void labelChanged(const QString& label);

private:
    void linesAboutToBeReset() override;
    void linesReset() override;
    void lineAboutToBeInserted(int index) override;
    void lineInserted(int index) override;
    void lineAboutToBeRemoved(int index) override;
    void lineRemoved(int index) override;
    void lineChanged(int index) override;
    void pageLabelChanged() override;

    DictionaryLines& m_lines;
    bool m_editable = true;
    bool m_blankRowChanges = false; // the first line replaces the blank row, or the last leaves it
    QString m_lastError;
};

} // namespace polyx
