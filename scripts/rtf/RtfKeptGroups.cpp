// The groups the pane cannot show, kept as the file wrote them: the
// document's own, and those that stand at their place in the text.
#include "scripts/rtf/RtfInterpreter.h"

#include "scripts/rtf/RtfFormats.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextFrameFormat>

namespace polyx {

namespace {

// What a hostile file can make the reader keep.
constexpr qsizetype kMaxKept = qsizetype(64) * 1024 * 1024;

// A table group's entries: what follows its control word, without the closing brace.
QByteArray entriesOf(QByteArrayView group, QByteArrayView word)
{
    const qsizetype at = group.indexOf(word);
    if (at < 0 || !group.endsWith('}'))
        return {};
    qsizetype from = at + word.size();
    if (from < group.size() && group[from] == ' ')
        ++from;
    return from < group.size() ? group.sliced(from, group.size() - 1 - from).toByteArray() : QByteArray();
}

void setOrClear(QTextFormat& format, int property, const QVariant& value, bool set)
{
    if (set)
        format.setProperty(property, value);
    else
        format.clearProperty(property);
}

} // namespace

// A group is kept whole from its '{': not the document's own group, nor one
// beyond the depth whose states are shared, nor one inside what is skipped.
bool RtfInterpreter::keepable() const
{
    return m_overflow == 0 && m_states.size() > 2 && m_states.back().destination == Body;
}

void RtfInterpreter::keepDocumentGroup(const Arg& a)
{
    if (keepable()) {
        top().keep = Keep::Document;
        if (a.value == 1)
            m_hidden.header = true;
        else if (a.value == 2)
            m_hidden.footer = true;
    }
    top().destination = Skip;
}

void RtfInterpreter::keepTextGroup(const Arg& a)
{
    if (keepable()) {
        top().keep = Keep::Text;
        if (a.value == 3)
            ++m_hidden.notes;
        else if (a.value == 4)
            ++m_hidden.comments;
    }
    top().destination = Skip;
}

// Page size, margins, columns: those of the first section, which the
// writer's one section takes.
void RtfInterpreter::keepSectionWord(const Arg& a)
{
    if (top().destination != Body || m_sectionEnded || m_keptDocument.size() > kMaxKept)
        return;
    m_keptDocument += '\\';
    m_keptDocument += m_word;
    if (a.hasParam)
        m_keptDocument += QByteArray::number(a.param);
}

// A comment's anchor: the word stays before the comment's group.
void RtfInterpreter::keepTextWord(const Arg&)
{
    if (top().destination != Body || m_keptPending.size() > kMaxKept)
        return;
    flush();
    m_keptPending += '\\';
    m_keptPending += m_word;
    m_keptPending += ' ';
}

void RtfInterpreter::groupKept(Keep keep, QByteArrayView source)
{
    switch (keep) {
    case Keep::None: break;
    case Keep::Document:
        if (m_keptDocument.size() + source.size() <= kMaxKept)
            m_keptDocument += source;
        break;
    case Keep::Field:
        // A field that showed nothing is kept whole at its place.
        flush();
        if (m_fields[std::size_t(top().field - 1)].shown)
            break;
        [[fallthrough]];
    case Keep::Text:
        // The text before the group must not take it.
        flush();
        if (m_keptPending.size() + source.size() <= kMaxKept)
            m_keptPending += source;
        break;
    case Keep::FieldInstruction: m_fields[std::size_t(top().field - 1)].instruction = source.toByteArray(); break;
    case Keep::FontTable: m_keptFonts = entriesOf(source, "fonttbl"); break;
    case Keep::ColourTable: m_keptColours = entriesOf(source, "colortbl"); break;
    }
}

void RtfInterpreter::attachKept(QTextCharFormat& format)
{
    if (m_keptPending.isEmpty())
        return;
    format.setProperty(rtf::kKeptBefore, std::exchange(m_keptPending, QByteArray()));
    format.setProperty(rtf::kKeptId, ++m_keptPlaces);
}

void RtfInterpreter::attachKept(QTextBlockFormat& format)
{
    if (m_keptPending.isEmpty())
        return;
    format.setProperty(rtf::kKeptAtEnd, std::exchange(m_keptPending, QByteArray()));
    format.setProperty(rtf::kKeptEndId, ++m_keptPlaces);
}

// The document's kept parts, and the tables and code page they were
// written with, go with the root frame; a document read anew loses those of
// the one before.
void RtfInterpreter::keepDocumentParts()
{
    QTextDocument* document = m_cursor.document();
    if (!document)
        return;
    const bool any = !m_keptDocument.isEmpty() || m_keptPlaces > 0 || !m_fields.empty();
    int firstOwnFont = 0;
    for (auto it = m_fonts.cbegin(); it != m_fonts.cend(); ++it)
        firstOwnFont = std::max(firstOwnFont, it.key() + 1);
    QTextFrameFormat f = document->rootFrame()->frameFormat();
    setOrClear(f, rtf::kKeptDocument, m_keptDocument, !m_keptDocument.isEmpty());
    setOrClear(f, rtf::kKeptFonts, m_keptFonts, any && !m_keptFonts.isEmpty());
    setOrClear(f, rtf::kFirstOwnFont, firstOwnFont, any && !m_keptFonts.isEmpty());
    setOrClear(f, rtf::kKeptColours, m_keptColours, any && !m_keptColours.isEmpty());
    setOrClear(f, rtf::kFirstOwnColour, int(m_colours.size()), any && !m_keptColours.isEmpty());
    setOrClear(f, rtf::kKeptCodePage, m_documentCodePage, any && m_documentCodePage != 1252);
    document->rootFrame()->setFrameFormat(f);
}

} // namespace polyx
