#include "questions/QuestionList.h"

#include "dictionaries/KeyCollation.h"
#include "platform/Error.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

QListWidgetItem* newEntry(const QString& text)
{
    auto* item = new QListWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    return item;
}

} // namespace

QuestionList::QuestionList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    SetTexts({"<_AUTEUR>", "<_TITRE>", "<_CODE>"});
    connect(this, &QListWidget::clicked, this, &QuestionList::picked);
}

QString QuestionList::Text(int index) const { return item(index)->text(); }

QStringList QuestionList::Texts() const
{
    QStringList texts;
    for (int i = 0; i < count(); ++i)
        texts.append(Text(i));
    return texts;
}

QStringList QuestionList::CheckedTexts() const
{
    QStringList texts;
    for (int i = 0; i < count(); ++i)
        if (Checked(i))
            texts.append(Text(i));
    return texts;
}

bool QuestionList::Checked(int index) const { return item(index)->checkState() == Qt::Checked; }

void QuestionList::SetChecked(int index, bool checked)
{
    item(index)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

// The view may hold a current row that is not selected (focus by Tab, or
// Ctrl+click): that is no selected entry.
int QuestionList::ItemIndex() const
{
    const QListWidgetItem* current = currentItem();
    return current && current->isSelected() ? currentRow() : -1;
}

void QuestionList::SetItemIndex(int index) { setCurrentRow(index); }

int QuestionList::RequireItemIndex() const
{
    const int index = ItemIndex();
    if (index < 0)
        throw polyx::Error(QStringLiteral("Index de liste hors limites (%1)").arg(index));
    return index;
}

void QuestionList::Add(const QString& text) { addItem(newEntry(text)); }

void QuestionList::SetText(int index, const QString& text) { item(index)->setText(text); }

void QuestionList::Delete(int index) { delete takeItem(index); }

void QuestionList::Clear() { clear(); }

void QuestionList::SetTexts(const QStringList& texts)
{
    clear();
    for (const QString& text : texts)
        addItem(newEntry(text));
}

void QuestionList::Sort()
{
    const QStringList texts = Texts();
    QList<bool> ticks;
    for (int i = 0; i < count(); ++i)
        ticks.append(Checked(i));
    // Rewriting the entries in place leaves the current row where it was.
    const QList<int> order = polyx::SortedOrder(texts);
    for (int i = 0; i < order.size(); ++i) {
        SetText(i, texts[order[i]]);
        SetChecked(i, ticks[order[i]]);
    }
}

void QuestionList::CheckAll()
{
    for (int i = 0; i < count(); ++i)
        SetChecked(i, true);
}

void QuestionList::LoadFromFile(const QString& path) { SetTexts(m_file.Load(path)); }

void QuestionList::SaveToFile(const QString& path) { m_file.Save(path, Texts()); }

void QuestionList::keyPressEvent(QKeyEvent* event)
{
    const int before = ItemIndex();
    QListWidget::keyPressEvent(event);
    if (ItemIndex() != before)
        emit picked();
}

void QuestionList::mousePressEvent(QMouseEvent* event)
{
    const int before = ItemIndex();
    QListWidget::mousePressEvent(event);
    // A left click is told when the button goes up; a right press selects
    // the entry its pop-up menu is about to act on.
    if (event->button() != Qt::LeftButton && ItemIndex() != before)
        emit picked();
}

void QuestionList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    emit doubleClickedList();
}
