#pragma once
#include "dictionaries/DictionaryLines.h"
#include "dictionaries/DictionaryModel.h"

#include <QPointer>
#include <QTableView>

class QLineEdit;

// One dictionary page: the key/value grid under its title row, over the
// lines of the dictionary (which carry the page label). While an editable
// grid has the focus its current cell shows an editor, and every keystroke
// goes into the line at once; a key that would repeat another one is only
// judged when the editing of the cell ends. Rows are grid rows: line i is
// row i, the title row is row 0.
class DictionaryPane : public QTableView {
    Q_OBJECT
public:
    DictionaryPane(const QString& objectName, const QString& keyTitle, const QString& valueTitle,
                   const QString& hint, QWidget* parent = nullptr);

    polyx::DictionaryLines& lines() { return m_lines; }
    const polyx::DictionaryLines& lines() const { return m_lines; }
    polyx::DictionaryModel& model() { return m_model; }

    QString PageLabel() const { return m_lines.PageLabel(); }
    void SetPageLabel(const QString& label) { m_lines.SetPageLabel(label); }
    // The fusion grid selects whole rows and is never edited in place.
    void setReadOnlyRows();

    // The row of the current cell, 0 without one.
    int CurrentRow() const;
    // Moves the cursor, the row kept within the lines (the blank row of an
    // empty pane is row 1), the column 0 for keys or 1 for values.
    void SetCurrentCell(int row, int column);
    // SetValueOf of the lines, where a blank line in the current row takes
    // a key found nowhere.
    void SetValueOf(const QString& key, const QString& value);

signals:
    // The editor of a cell got its text: when it shows the cell and as the
    // user types (column 0 key, 1 value).
    void editTextSet(int column, int row, const QString& text);
    void gridClicked();
    void gridDoubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

private:
    friend class DictionaryCellDelegate;

    // The editor's side of the cell delegate.
    QLineEdit* createCellEditor(QWidget* parent, const QModelIndex& index);
    void showEditorText(QLineEdit* editor, const QModelIndex& index);
    bool finishCellEdit(QLineEdit* editor, const QModelIndex& index);
    bool editAccepted();
    void editorTextEdited(const QString& text);
    void setEditorText(const QString& text);

    // The grid's own keys; false for a key the grid leaves to others.
    bool gridKey(const QKeyEvent* event);
    void insertBlankLine();
    void moveDown();
    void deleteCurrentLine();
    void undoCell();
    void moveToNextCell(int step);
    bool isBlankLine(int row) const;
    void removeLine(int row);

    void showCellEditor();
    // Closes the editor without writing it back: its text is in the line already.
    void dropEditor();
    void holdEditor() { ++m_hold; }
    void releaseEditor();

    polyx::DictionaryLines m_lines;
    polyx::DictionaryModel m_model;
    QPointer<QLineEdit> m_editor;
    QPersistentModelIndex m_editorIndex;
    bool m_editorShown = false;
    QString m_startText; // the cell's text when its editor opened, for Escape
    QString m_lastText;  // the editor's text before the last keystroke
    int m_hold = 0;      // while lines move under the grid, or the cursor is moved by the grid itself
    bool m_moving = false;
    int m_resetRow = 0;
    int m_resetColumn = 0;
};
