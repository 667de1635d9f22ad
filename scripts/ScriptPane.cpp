#include "scripts/ScriptPane.h"

#include "platform/PlainToolTip.h"
#include "platform/Services.h"
#include "scripts/ScriptFile.h"
#include "scripts/ScriptLoad.h"
#include "scripts/ScriptText.h"
#include "scripts/VisibleText.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextCursor>
#include <QTextDocumentFragment>

ScriptPane::ScriptPane(const QString& objectName, const QString& hint, bool hintAsToolTip, QWidget* parent)
    : QTextEdit(parent)
{
    setObjectName(objectName);
    setAccessibleName(hint);
    if (hintAsToolTip)
        setToolTip(platform::plainToolTip(hint));
    setAcceptRichText(false);
    QFont font(QStringLiteral("Tahoma"), 10);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    setLineWrapMode(QTextEdit::NoWrap);
    connect(this, &QTextEdit::textChanged, this, [this] {
        if (!m_keepingText)
            emit scriptTextChanged();
    });
}

// Pictures are no text for Sanvor.
QString ScriptPane::Text() const
{
    return polyx::WithCrLf(polyx::VisibleText(*document()));
}

void ScriptPane::SetText(const QString& text)
{
    replaceContent(text);
}

void ScriptPane::Clear()
{
    replaceContent(QString());
}

bool ScriptPane::IsEmpty() const
{
    return document()->isEmpty();
}

int ScriptPane::LineCount() const
{
    if (IsEmpty())
        return 0;
    return int(polyx::VisibleText(*document()).count(u'\n')) + 1;
}

QString ScriptPane::FirstLine() const
{
    const QString text = polyx::VisibleText(*document());
    return text.left(text.indexOf(u'\n'));
}

QString ScriptPane::SelText() const
{
    return polyx::WithCrLf(polyx::VisibleText(textCursor().selection()));
}

void ScriptPane::SetSelText(const QString& text)
{
    QTextCursor cursor = textCursor();
    cursor.insertText(polyx::NormalizeLineEnds(text));
    setTextCursor(cursor);
}

void ScriptPane::SelectAll()
{
    selectAll();
}

void ScriptPane::SetFocus()
{
    setFocus();
}

void ScriptPane::LoadFromFile(const QString& path)
{
    m_hiddenPartsNotice = polyx::ScriptFile::Load(*document(), path, m_plainText, &m_plainMark);
    caretToStart();
}

void ScriptPane::RestoreFromFile(const QString& path)
{
    if (m_plainText && polyx::ScriptFile::IsRichFile(path))
        SetPlainText(false);
    LoadFromFile(path);
}

QByteArray ScriptPane::FileBytes(const QString& path) const
{
    return polyx::ScriptFile::Bytes(*document(), path, m_plainText, m_plainMark);
}

void ScriptPane::WaitForRestore() { setReadOnly(true); }

std::unique_ptr<polyx::ScriptLoad> ScriptPane::StartRestore(const QString& path)
{
    if (m_plainText && polyx::ScriptFile::IsRichFile(path))
        SetPlainText(false);
    return std::make_unique<polyx::ScriptLoad>(path, m_plainText, *document());
}

void ScriptPane::FinishRestore(polyx::ScriptLoad& load)
{
    std::unique_ptr<QTextDocument> loaded = load.take();
    // The editor deletes the documents of its own when it takes another.
    loaded->setParent(document()->parent());
    m_keepingText = true;
    setDocument(loaded.release());
    m_keepingText = false;
    setReadOnly(false);
    m_hiddenPartsNotice = load.hiddenPartsNotice();
    m_plainMark = load.plainMark();
    caretToStart();
    emit textChanged();
}

void ScriptPane::AbandonRestore() { setReadOnly(false); }

void ScriptPane::SaveToFile(const QString& path)
{
    polyx::ScriptFile::Save(*document(), path, m_plainText, m_plainMark);
}

void ScriptPane::SetPlainText(bool on)
{
    if (on == m_plainText)
        return;
    m_plainText = on;
    setAcceptRichText(!on);
    emit plainTextChanged(on);
    if (!on)
        return;
    // Plain numbers: a cursor would follow the text being replaced.
    const int anchor = textCursor().anchor();
    const int position = textCursor().position();
    const QString text = polyx::VisibleText(*document());
    m_keepingText = true;
    polyx::SetDocumentText(*document(), text);
    m_keepingText = false;
    // Tables or images of pasted rich text may have held positions of
    // their own; the selection is kept within the text that remains.
    const int end = int(text.size());
    QTextCursor after(document());
    after.setPosition(qMin(anchor, end));
    after.setPosition(qMin(position, end), QTextCursor::KeepAnchor);
    setTextCursor(after);
}

QString ScriptPane::PageLabel() const
{
    const auto [pages, index] = page();
    return pages ? pages->tabText(index) : m_label;
}

void ScriptPane::SetPageLabel(const QString& label)
{
    const auto [pages, index] = page();
    if (pages)
        pages->setTabText(index, label);
    else
        m_label = label;
}

void ScriptPane::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        emit escapePressed();
    QTextEdit::keyPressEvent(event);
}

void ScriptPane::mouseReleaseEvent(QMouseEvent* event)
{
    QTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

void ScriptPane::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTextEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void ScriptPane::replaceContent(const QString& text)
{
    polyx::SetDocumentText(*document(), text);
    caretToStart();
}

void ScriptPane::caretToStart()
{
    setTextCursor(QTextCursor(document()));
}

std::pair<QTabWidget*, int> ScriptPane::page() const
{
    for (QWidget* ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        auto* pages = qobject_cast<QTabWidget*>(ancestor);
        if (!pages)
            continue;
        for (QWidget* candidate = const_cast<ScriptPane*>(this); candidate != pages; candidate = candidate->parentWidget())
            if (const int index = pages->indexOf(candidate); index >= 0)
                return {pages, index};
        break;
    }
    return {nullptr, -1};
}
