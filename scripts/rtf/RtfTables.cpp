// Tables: rows as \trowd describes them, cells and their marks.
#include "scripts/rtf/RtfInterpreter.h"

#include <algorithm>

namespace polyx {

void RtfInterpreter::inTable(const Arg&) { top().para.level = std::max(top().para.level, 1); }

void RtfInterpreter::tableLevel(const Arg& a) { top().para.level = std::clamp(a.param, 0, kMaxTableLevel); }

void RtfInterpreter::cell(const Arg& a)
{
    if (top().destination != Body)
        return;
    // A cell mark is in a table even when the paragraph forgot to say so.
    const int level = a.value == 1 ? 1 : std::max(top().para.level, 2);
    top().para.level = std::max(top().para.level, level);
    m_textLevel = std::max(m_textLevel, level);
    flush();
    QTextBlockFormat block = blockFormat(top().para);
    attachKept(block);
    m_builder.cellEnd(block, format(top().chars), level);
    m_pageBreakPending = false;
    m_paragraphHasText = false;
}

void RtfInterpreter::row(const Arg& a)
{
    if (top().destination != Body && top().destination != RowProps)
        return;
    flush();
    const int level = a.value == 1 ? 1 : std::clamp(top().para.level, 2, kMaxTableLevel);
    m_builder.rowEnd(m_rowDefs[level], level);
}

void RtfInterpreter::rowDefaults(const Arg&)
{
    m_rowDefLevel = top().destination == RowProps ? std::clamp(top().para.level, 2, kMaxTableLevel) : 1;
    m_rowDefs[m_rowDefLevel] = RtfRowDef{};
    m_cellDef = RtfRowDef::Cell{};
    m_borderPending = false;
}

void RtfInterpreter::rowLeft(const Arg& a)
{
    m_rowDefs[m_rowDefLevel].left = std::clamp(a.param, -kMaxTwips, kMaxTwips);
}

void RtfInterpreter::cellRight(const Arg& a)
{
    RtfRowDef& row = m_rowDefs[m_rowDefLevel];
    if (row.cells.size() < RtfBuilder::kMaxColumns) {
        m_cellDef.right = std::clamp(a.param, -kMaxTwips, 2 * kMaxTwips);
        row.cells.push_back(m_cellDef);
    }
    m_cellDef = RtfRowDef::Cell{};
}

void RtfInterpreter::cellMerge(const Arg& a)
{
    switch (a.value) {
    case 0: m_cellDef.mergeFirst = true; break;
    case 1: m_cellDef.merged = true; break;
    case 2: m_cellDef.mergeTop = true; break;
    default: m_cellDef.mergedDown = true; break;
    }
}

void RtfInterpreter::border(const Arg&) { m_borderPending = true; }

void RtfInterpreter::borderStyle(const Arg& a)
{
    if (m_borderPending && a.value != 0)
        m_rowDefs[m_rowDefLevel].bordered = true;
    m_borderPending = false;
}

} // namespace polyx
