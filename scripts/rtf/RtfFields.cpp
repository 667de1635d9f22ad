// Fields, whose result the pane shows and whose instruction is kept, and
// the marks of notes.
#include "scripts/rtf/RtfInterpreter.h"

#include "scripts/rtf/RtfFormats.h"

namespace polyx {

namespace {
constexpr std::size_t kMaxFields = 65536;
}

void RtfInterpreter::field(const Arg&)
{
    if (!keepable() || m_fields.size() >= kMaxFields)
        return;
    m_fields.push_back(Field{{}, false, top().field});
    top().field = int(m_fields.size());
    top().keep = Keep::Field;
}

// The instruction group of the field it stands in is kept; any other is skipped.
void RtfInterpreter::fieldInstruction(const Arg&)
{
    if (top().field > 0 && top().keep == Keep::None && keepable()
        && m_fields[std::size_t(top().field - 1)].instruction.isEmpty())
        top().keep = Keep::FieldInstruction;
    top().destination = Skip;
}

void RtfInterpreter::fieldResult(const Arg&)
{
    if (top().field > 0 && top().destination == Body)
        top().chars.field = top().field;
}

// Word numbers its notes itself: the mark in the text is the note's number.
// The mark inside the note's own group is kept with it.
void RtfInterpreter::noteMark(const Arg&)
{
    if (!inBody())
        return;
    matchFormat();
    flush();
    QTextCharFormat mark = format(top().chars);
    mark.setProperty(rtf::kNoteMark, true);
    attachKept(mark);
    m_builder.text(QString::number(++m_noteMarks), mark, top().para.level);
    m_paragraphHasText = true;
}

} // namespace polyx
