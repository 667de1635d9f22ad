// The style sheet and the styles that paragraphs and runs name.
#include "scripts/rtf/RtfInterpreter.h"

#include <algorithm>

namespace polyx {

void RtfInterpreter::commitStyle()
{
    if (m_styleNumber >= 0 && (qsizetype(m_styles.size()) < kMaxTableSize || m_styles.count(m_styleNumber)))
        m_styles[m_styleNumber] = std::move(m_style);
    m_style = Style{};
    m_styleNumber = 0;
}

// Plays a style's words, its base's first, on the current state. A
// character style takes nothing from a paragraph style it names as its base
// (some writers base theirs on Normal, whose size would then win).
void RtfInterpreter::applyStyle(int number, int depth)
{
    const auto it = m_styles.find(number);
    if (it == m_styles.end())
        return;
    const Style& s = it->second;
    if (s.basedOn >= 0 && s.basedOn != number && depth < kMaxStyleChain) {
        const auto base = m_styles.find(s.basedOn);
        if (base != m_styles.end() && (!s.character || base->second.character))
            applyStyle(s.basedOn, depth + 1);
    }
    ++m_replaying;
    for (const auto& [handler, arg] : s.words)
        (this->*handler->run)(arg);
    --m_replaying;
}

void RtfInterpreter::plain(const Arg&)
{
    const int field = top().chars.field;
    top().chars = m_defaultChars;
    top().chars.field = field;
    top().direct = 0;
}

// Word and LibreOffice take a style for what the text has underneath its
// own formatting, wherever \s stands: what the paragraph set before it
// stays over the style's.
void RtfInterpreter::restyle(const CharProps& styled)
{
    CharProps& c = top().chars;
    const unsigned direct = top().direct;
    const auto keep = [direct](auto& now, const auto& style, Property p) {
        if (!(direct & (1u << int(p))))
            now = style;
    };
    keep(c.font, styled.font, Property::Font);
    keep(c.halfPoints, styled.halfPoints, Property::Size);
    keep(c.bold, styled.bold, Property::Bold);
    keep(c.italic, styled.italic, Property::Italic);
    keep(c.underline, styled.underline, Property::Underline);
    keep(c.strike, styled.strike, Property::Strike);
    keep(c.hidden, styled.hidden, Property::Hidden);
    keep(c.foreground, styled.foreground, Property::Foreground);
    keep(c.highlight, styled.highlight, Property::Highlight);
    keep(c.shading, styled.shading, Property::Shading);
    keep(c.vertical, styled.vertical, Property::Vertical);
}

void RtfInterpreter::style(const Arg& a)
{
    if (top().destination == StyleEntry) {
        m_styleNumber = a.value == 0 ? std::max(a.param, 0) : -1;
        return;
    }
    if (a.value != 0 || top().destination != Body || m_replaying > 0)
        return;
    const int level = top().para.level;
    const CharProps direct = top().chars;
    top().chars = m_defaultChars;
    top().para = ParaProps{};
    applyStyle(std::max(a.param, 0), 0);
    const CharProps styled = top().chars;
    top().chars = direct;
    restyle(styled);
    top().para.level = level;
}

void RtfInterpreter::characterStyle(const Arg& a)
{
    if (top().destination == StyleEntry) {
        m_styleNumber = std::max(a.param, 0);
        m_style.character = true;
        return;
    }
    if (top().destination == Body && m_replaying == 0) {
        const ParaProps para = top().para;
        applyStyle(std::max(a.param, 0), 0);
        top().para = para;
    }
}

void RtfInterpreter::basedOn(const Arg& a)
{
    if (top().destination == StyleEntry)
        m_style.basedOn = a.param;
}

} // namespace polyx
