#include "scripts/ScriptText.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace polyx {

QString NormalizeLineEnds(QStringView text)
{
    QString result;
    result.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') {
            result += c;
            continue;
        }
        result += u'\n';
        // The second half of a CR LF or LF CR pair belongs to the same end.
        if (i + 1 < size && (text[i + 1] == u'\r' || text[i + 1] == u'\n') && text[i + 1] != c)
            ++i;
    }
    return result;
}

QString DocumentText(const QTextDocument& document)
{
    QString text = document.toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    return text;
}

void SetDocumentText(QTextDocument& document, const QString& text)
{
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.setBlockCharFormat(QTextCharFormat());
    cursor.insertText(NormalizeLineEnds(text), QTextCharFormat());
    cursor.endEditBlock();
}

QString WithCrLf(QString text)
{
    return text.replace(u'\n', QStringLiteral("\r\n"));
}

} // namespace polyx
