#include "scripts/translation/DocumentTarget.h"

#include "scripts/ScriptText.h"

#include <QTextDocument>

namespace polyx {
namespace {

// Characters that a document stores otherwise than written: line and
// paragraph breaks, frame marks. A replacement holding none reads back
// exactly as inserted.
bool ReadsBackAsInserted(const QString& replacement)
{
    for (const QChar c : replacement) {
        switch (c.unicode()) {
        case u'\r':
        case u'\n':
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case 0xfdd0:
        case 0xfdd1:
            return false;
        default:
            break;
        }
    }
    return true;
}

} // namespace

DocumentTarget::DocumentTarget(QTextDocument& document)
    : m_document(document), m_cursor(&document), m_text(DocumentText(document)), m_kept(document)
{
    m_cursor.beginEditBlock();
}

DocumentTarget::~DocumentTarget()
{
    m_cursor.endEditBlock();
}

Replaced DocumentTarget::ReplaceAll(const QString& code, const QString& replacement)
{
    const QList<qsizetype> positions = m_text.occurrencesIgnoringCase(code);
    QStringList keptPlaces;
    if (!m_kept.isEmpty())
        keptPlaces = m_kept.replaceAll(code, replacement, m_cursor);
    if (positions.isEmpty())
        return {{}, 0, keptPlaces};
    qsizetype inserted = 0;
    // Reading the whole document back after each code would cost a copy of
    // it per entry; the plain text is updated alongside instead.
    qsizetype shift = 0;
    for (const qsizetype at : positions) {
        const int start = int(at + shift);
        m_cursor.setPosition(start + 1);
        QTextCharFormat format = m_cursor.charFormat();
        format.clearProperty(QTextFormat::ObjectType);
        m_cursor.setPosition(start);
        m_cursor.setPosition(start + int(code.size()), QTextCursor::KeepAnchor);
        m_cursor.insertText(replacement, format);
        m_lastEnd = m_cursor.position();
        inserted = m_lastEnd - start;
        shift += inserted - code.size();
    }
    const qsizetype expectedSize =
        m_text.text().size() + positions.size() * (replacement.size() - code.size());
    // Line breaks or frames: read the text back once.
    if (ReadsBackAsInserted(replacement) && m_document.characterCount() - 1 == expectedSize)
        m_text.replace(positions, code.size(), replacement);
    else
        m_text = SearchableText(DocumentText(m_document));
    return {positions, inserted, keptPlaces};
}

} // namespace polyx
