#include "scripts/VisibleText.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>

namespace polyx {
namespace {

void appendFrameLines(QTextFrame::iterator it, QStringList& lines);

QString blockText(const QTextBlock& block)
{
    QString text;
    const QString raw = block.text();
    text.reserve(raw.size());
    for (const QChar c : raw) {
        if (c == QChar::LineSeparator)
            text += u'\n';
        else if (c != QChar::ObjectReplacementCharacter)
            text += c;
    }
    return text;
}

void appendTableLines(const QTextTable& table, QStringList& lines)
{
    for (int row = 0; row < table.rows(); ++row) {
        for (int column = 0; column < table.columns(); ++column) {
            const QTextTableCell cell = table.cellAt(row, column);
            // A merged cell is read once, where it starts.
            if (cell.row() == row && cell.column() == column)
                appendFrameLines(cell.begin(), lines);
        }
    }
}

void appendFrame(const QTextFrame& frame, QStringList& lines)
{
    if (const auto* table = qobject_cast<const QTextTable*>(&frame))
        appendTableLines(*table, lines);
    else
        appendFrameLines(frame.begin(), lines);
}

// The blocks and frames from `it` to the end of its frame or cell. A
// document keeps an empty block on each side of a table, which nobody
// typed: those give no line.
void appendFrameLines(QTextFrame::iterator it, QStringList& lines)
{
    bool afterFrame = false;
    for (; !it.atEnd(); ++it) {
        if (const QTextFrame* frame = it.currentFrame()) {
            appendFrame(*frame, lines);
            afterFrame = true;
            continue;
        }
        const QTextBlock block = it.currentBlock();
        QTextFrame::iterator next = it;
        ++next;
        const bool beforeFrame = !next.atEnd() && next.currentFrame();
        if (block.length() <= 1 && (afterFrame || beforeFrame)) {
            afterFrame = false;
            continue;
        }
        lines.append(blockText(block));
        afterFrame = false;
    }
}

} // namespace

QString VisibleText(const QTextDocument& document)
{
    QStringList lines;
    appendFrameLines(document.rootFrame()->begin(), lines);
    return lines.join(u'\n');
}

QString VisibleText(const QTextDocumentFragment& fragment)
{
    QTextDocument document;
    QTextCursor(&document).insertFragment(fragment);
    return VisibleText(document);
}

} // namespace polyx
