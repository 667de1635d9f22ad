#include "dictionaries/DictionaryPane.h"

#include "platform/Error.h"
#include "platform/PlainToolTip.h"
#include "platform/Services.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>

// The in-place editor of the cells. The pane decides what its text does; the
// grid's keys reach the pane before the editor sees them.
class DictionaryCellDelegate : public QStyledItemDelegate {
public:
    explicit DictionaryCellDelegate(DictionaryPane* pane) : QStyledItemDelegate(pane), m_pane(pane) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        return m_pane->createCellEditor(parent, index);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        m_pane->showEditorText(static_cast<QLineEdit*>(editor), index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        m_pane->finishCellEdit(static_cast<QLineEdit*>(editor), index);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (m_pane->gridKey(static_cast<QKeyEvent*>(event)))
                return true;
            break;
        case QEvent::FocusOut: {
            // A dialog or a pop-up menu over the window does not end the editing.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
                return false;
            break;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                emit m_pane->gridClicked();
            break;
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                emit m_pane->gridDoubleClicked();
            break;
        default:
            break;
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

private:
    DictionaryPane* m_pane;
};

DictionaryPane::DictionaryPane(const QString& objectName, const QString& keyTitle, const QString& valueTitle,
                               const QString& hint, QWidget* parent)
    : QTableView(parent), m_lines(keyTitle, valueTitle), m_model(m_lines)
{
    setObjectName(objectName);
    setToolTip(platform::plainToolTip(hint));
    setAccessibleName(hint.isEmpty() ? objectName : hint);
    setModel(&m_model);
    setItemDelegate(new DictionaryCellDelegate(this));
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

    // Lines removed or replaced under the grid: the editor goes first, and
    // the cursor comes back to the row it was on.
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, &DictionaryPane::releaseEditor);
    connect(&m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        m_resetRow = CurrentRow();
        m_resetColumn = qMax(0, currentIndex().column());
        holdEditor();
        dropEditor();
    });
    connect(&m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (m_resetRow > 0)
            SetCurrentCell(m_resetRow, m_resetColumn);
        releaseEditor();
    });
}

void DictionaryPane::setReadOnlyRows()
{
    m_model.setEditable(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

int DictionaryPane::CurrentRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() + 1 : 0;
}

void DictionaryPane::SetCurrentCell(int row, int column)
{
    row = qBound(1, row, qMax(1, m_lines.Count()));
    setCurrentIndex(m_model.index(row - 1, qBound(0, column, 1)));
}

void DictionaryPane::SetValueOf(const QString& key, const QString& value)
{
    m_lines.SetValueOf(key, value, CurrentRow());
}

// --- The editor ---

QLineEdit* DictionaryPane::createCellEditor(QWidget* parent, const QModelIndex& index)
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    // The current cell always has an editor: a right click on it must still
    // open the grid's pop-up menu.
    editor->setContextMenuPolicy(Qt::NoContextMenu);
    m_editor = editor;
    m_editorIndex = index;
    m_editorShown = false;
    connect(editor, &QLineEdit::textEdited, this, &DictionaryPane::editorTextEdited);
    return editor;
}

void DictionaryPane::showEditorText(QLineEdit* editor, const QModelIndex& index)
{
    const QString text = m_model.data(index, Qt::EditRole).toString();
    const bool opening = editor == m_editor && !m_editorShown;
    if (opening) {
        m_editorShown = true;
        m_startText = text;
    } else if (editor->text() == text) {
        return; // the line took what was typed: the cursor stays where it is
    }
    editor->setText(text);
    if (editor == m_editor)
        m_lastText = text;
    emit editTextSet(index.column(), index.row() + 1, text);
}

void DictionaryPane::setEditorText(const QString& text)
{
    m_editor->setText(text);
    m_lastText = text;
    emit editTextSet(m_editorIndex.column(), m_editorIndex.row() + 1, text);
}

void DictionaryPane::editorTextEdited(const QString& text)
{
    if (!m_editor || !m_editorIndex.isValid())
        return;
    const int row = m_editorIndex.row() + 1;
    const int column = m_editorIndex.column();
    if (column == 0) {
        try {
            polyx::DictionaryLines::RequireKeyWithoutEquals(text);
        } catch (const polyx::Error& error) {
            const int cursor = m_editor->cursorPosition() - int(text.size() - m_lastText.size());
            setEditorText(m_lastText);
            m_editor->setCursorPosition(qBound(0, cursor, int(m_lastText.size())));
            platform::dialogs().errorBox(error.message());
            return;
        }
    }
    m_lastText = text;
    try {
        m_model.applyEdit(row, column, text);
    } catch (const polyx::Error&) {
        // A key passing through another line's key: judged when the editing ends.
    }
    emit editTextSet(column, row, text);
}

bool DictionaryPane::finishCellEdit(QLineEdit* editor, const QModelIndex& index)
{
    const QString text = editor->text();
    if (text == m_model.data(index, Qt::EditRole).toString())
        return true;
    const int row = index.row() + 1;
    try {
        m_model.applyEdit(row, index.column(), text);
    } catch (const polyx::Error& error) {
        // The line keeps the key it had when its editing began.
        if (editor == m_editor) {
            try {
                m_model.applyEdit(row, index.column(), m_startText);
            } catch (const polyx::Error&) {
            }
        }
        editor->setText(m_model.data(index, Qt::EditRole).toString());
        platform::dialogs().errorBox(error.message());
        return false;
    }
    return true;
}

bool DictionaryPane::editAccepted()
{
    return !m_editor || !m_editorIndex.isValid() || finishCellEdit(m_editor, m_editorIndex);
}

void DictionaryPane::showCellEditor()
{
    if (!m_model.isEditable() || m_hold > 0 || m_moving)
        return;
    if (!hasFocus() && !(m_editor && m_editor->hasFocus()))
        return;
    const QModelIndex index = currentIndex();
    if (!index.isValid()) {
        SetCurrentCell(1, 0); // opens the editor there
        return;
    }
    if (!m_editor || m_editorIndex != index)
        edit(index);
}

void DictionaryPane::dropEditor()
{
    if (!m_editor)
        return;
    QLineEdit* editor = m_editor;
    m_editor = nullptr;
    m_editorIndex = QPersistentModelIndex();
    ++m_hold;
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    --m_hold;
}

void DictionaryPane::releaseEditor()
{
    if (m_hold > 0)
        --m_hold;
    showCellEditor();
}

// --- The view's events ---

void DictionaryPane::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    m_moving = true;
    QTableView::currentChanged(current, previous); // ends the editing of the previous cell
    m_moving = false;
    if (m_hold > 0)
        return;
    if (previous.isValid() && current.row() != previous.row() && isBlankLine(previous.row() + 1)) {
        holdEditor();
        m_lines.DeleteRow(previous.row() + 1);
        releaseEditor();
    }
    showCellEditor();
}

void DictionaryPane::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == m_editor) {
        m_editor = nullptr;
        m_editorIndex = QPersistentModelIndex();
    }
    QTableView::closeEditor(editor, hint);
    // Enter ends the editing, but the current cell keeps an editor.
    if (hasFocus())
        showCellEditor();
}

void DictionaryPane::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    holdEditor(); // released when the rows are gone
    dropEditor();
    QTableView::rowsAboutToBeRemoved(parent, start, end);
}

void DictionaryPane::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    showCellEditor();
}

void DictionaryPane::keyPressEvent(QKeyEvent* event)
{
    if (gridKey(event)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DictionaryPane::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit gridClicked();
}

void DictionaryPane::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit gridDoubleClicked();
}

// --- The grid's keys ---

bool DictionaryPane::gridKey(const QKeyEvent* event)
{
    if (!currentIndex().isValid())
        return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    const bool control = modifiers == Qt::ControlModifier;
    const int column = currentIndex().column();
    switch (event->key()) {
    case Qt::Key_Insert:
        if (!plain)
            return false;
        insertBlankLine();
        return true;
    case Qt::Key_Down:
        if (plain)
            moveDown();
        else if (control)
            SetCurrentCell(m_lines.Count(), column);
        else
            return false;
        return true;
    case Qt::Key_Up:
        if (plain)
            SetCurrentCell(CurrentRow() - 1, column);
        else if (control)
            SetCurrentCell(1, column);
        else
            return false;
        return true;
    case Qt::Key_Delete:
        if (!control)
            return false;
        deleteCurrentLine();
        return true;
    case Qt::Key_Escape:
        if (!plain)
            return false;
        undoCell();
        return true;
    case Qt::Key_Tab:
        if (!plain)
            return false;
        moveToNextCell(1);
        return true;
    case Qt::Key_Backtab:
        moveToNextCell(-1);
        return true;
    default:
        return false;
    }
}

bool DictionaryPane::isBlankLine(int row) const
{
    return row >= 1 && row <= m_lines.Count() && m_lines.KeyAt(row).isEmpty() && m_lines.ValueAt(row).isEmpty();
}

void DictionaryPane::insertBlankLine()
{
    if (!editAccepted())
        return;
    const int row = CurrentRow();
    if (m_lines.Count() == 0 || m_lines.KeyAt(row).isEmpty())
        return;
    m_lines.InsertLine(row, QStringLiteral("="));
    SetCurrentCell(row, 0);
}

void DictionaryPane::moveDown()
{
    // A refused key keeps the cursor on its line.
    if (!editAccepted())
        return;
    const int row = CurrentRow();
    const int column = currentIndex().column();
    if (row < m_lines.Count()) {
        SetCurrentCell(row + 1, column);
        return;
    }
    if (m_lines.Count() == 0 || m_lines.KeyAt(row).isEmpty())
        return;
    m_lines.AddLine(QStringLiteral("="));
    SetCurrentCell(row + 1, column);
}

void DictionaryPane::removeLine(int row)
{
    const int column = currentIndex().column();
    holdEditor();
    dropEditor();
    m_lines.DeleteRow(row);
    SetCurrentCell(row, column);
    releaseEditor();
}

void DictionaryPane::deleteCurrentLine()
{
    if (m_lines.Count() > 0)
        removeLine(CurrentRow());
}

void DictionaryPane::undoCell()
{
    const int row = CurrentRow();
    if (m_editor && m_editorIndex.isValid()) {
        try {
            m_model.applyEdit(row, m_editorIndex.column(), m_startText);
        } catch (const polyx::Error&) {
        }
        if (m_editor->text() != m_startText)
            setEditorText(m_startText);
    }
    if (isBlankLine(row))
        removeLine(row);
}

void DictionaryPane::moveToNextCell(int step)
{
    const int rows = qMax(1, m_lines.Count());
    int row = CurrentRow();
    int column = currentIndex().column() + step;
    if (column > 1) {
        column = 0;
        row = row % rows + 1; // from the last cell back to the first
    } else if (column < 0) {
        column = 1;
        row = row > 1 ? row - 1 : rows;
    }
    SetCurrentCell(row, column);
}
