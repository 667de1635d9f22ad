#include "scripts/rtf/RtfInterpreter.h"

#include "scripts/rtf/RtfFormats.h"

#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace polyx {

namespace {

constexpr std::size_t kMaxTabStops = 64;

// Keeps out what QTextDocument would take for structure (paragraph and frame
// marks, objects) and controls that came in with binary garbage.
QString sanitized(QString text)
{
    // Nearly all text has none of them: look before copying anything.
    const auto suspect = [](char16_t u) {
        return (u < 0x20 && u != '\t') || (u >= 0x7F && u < 0xA0) || u == QChar::ParagraphSeparator
            || u >= 0xD800;
    };
    const char16_t* const begin = reinterpret_cast<const char16_t*>(std::as_const(text).constData());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && (char16_t(begin[i] - 0x20) < 0x5F || !suspect(begin[i])))
        ++i;
    if (i == n)
        return text;
    QChar* d = text.data();
    qsizetype out = i;
    for (; i < n; ++i) {
        const char16_t u = d[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(d[i + 1].unicode())) {
            d[out++] = d[i];
            d[out++] = d[++i];
        } else if (QChar::isSurrogate(u)) {
            d[out++] = QChar::ReplacementCharacter;
        } else {
            const bool control = (u < 0x20 && u != '\t') || (u >= 0x7F && u < 0xA0);
            const bool structural = u == QChar::ParagraphSeparator
                || u == QChar::ObjectReplacementCharacter || (u >= 0xFDD0 && u <= 0xFDEF)
                || u >= 0xFFFE;
            if (!control && !structural)
                d[out++] = d[i];
        }
    }
    text.truncate(out);
    return text;
}

} // namespace


void RtfInterpreter::run(RtfTokenizer& tokens)
{
    m_tokens = &tokens;
    for (RtfToken t = tokens.next(); t.kind != RtfToken::End; t = tokens.next()) {
        if (m_fallbackLeft > 0 && skipFallback(t))
            continue;
        switch (t.kind) {
        case RtfToken::GroupStart: groupStart(tokens.position() - 1); break;
        case RtfToken::GroupEnd:
            if (!groupEnd()) {
                finish();
                return;
            }
            break;
        case RtfToken::ControlWord: controlWord(t); break;
        case RtfToken::ControlSymbol: controlSymbol(t.symbol); break;
        case RtfToken::Text: text(t.data); break;
        case RtfToken::Byte: byte(t.byte); break;
        case RtfToken::Binary:
            if (top().destination == Picture)
                m_picture.binary += t.data;
            break;
        case RtfToken::End: break;
        }
    }
    finish();
}

// The characters after \uN that stand in for it; a group boundary ends them early.
bool RtfInterpreter::skipFallback(RtfToken& t)
{
    switch (t.kind) {
    case RtfToken::Text: {
        const qsizetype n = std::min<qsizetype>(m_fallbackLeft, t.data.size());
        m_fallbackLeft -= int(n);
        t.data = t.data.sliced(n);
        return t.data.isEmpty();
    }
    case RtfToken::Byte:
    case RtfToken::ControlWord:
    case RtfToken::ControlSymbol:
    case RtfToken::Binary: --m_fallbackLeft; return true;
    case RtfToken::GroupStart:
    case RtfToken::GroupEnd:
    case RtfToken::End: m_fallbackLeft = 0; return false;
    }
    return false;
}

void RtfInterpreter::groupStart(qsizetype start)
{
    if (m_states.size() > kMaxDepth) {
        ++m_overflow;
        return;
    }
    State inner = top();
    inner.ignorable = false;
    inner.keep = Keep::None;
    inner.start = start;
    if (inner.destination == StyleSheet) {
        inner.destination = StyleEntry;
        m_style = Style{};
        m_styleNumber = 0;
    }
    m_states.push_back(std::move(inner));
}

bool RtfInterpreter::groupEnd()
{
    if (m_overflow > 0) {
        --m_overflow;
        return true;
    }
    // The outer group stays on the stack so that the last paragraph takes its formatting.
    if (m_states.size() <= 2)
        return false;
    if (top().keep != Keep::None) {
        const qsizetype start = top().start;
        groupKept(top().keep, m_tokens->input().sliced(start, m_tokens->position() - start));
    }
    const Destination inner = top().destination;
    const Destination outer = m_states[m_states.size() - 2].destination;
    if (inner == FontTable && m_entryNumber >= 0)
        commitFont();
    else if (inner == StyleEntry && outer == StyleSheet)
        commitStyle();
    else if (inner == Picture && outer != Picture)
        commitPicture();
    else if (inner == Defaults && outer != Defaults) {
        top().chars = CharProps{};
        ++m_replaying;
        for (const auto& [handler, arg] : m_defaults.words)
            (this->*handler->run)(arg);
        --m_replaying;
        m_defaultChars = top().chars;
        m_states[1].chars = m_defaultChars;
    }
    m_states.pop_back();
    return true;
}

void RtfInterpreter::controlWord(const RtfToken& t)
{
    State& s = top();
    const bool ignorable = std::exchange(s.ignorable, false);
    if (s.destination == Skip)
        return;
    const Handler* handler = handlerFor(t.data);
    if (!handler) {
        if (ignorable)
            s.destination = Skip;
        return;
    }
    const Arg arg{t.param, t.hasParam, handler->value};
    if (handler->property >= 0 && m_replaying == 0)
        s.direct |= 1u << handler->property;
    m_word = t.data;
    if (handler->formatting && (s.destination == StyleEntry || s.destination == Defaults)) {
        Style& target = s.destination == StyleEntry ? m_style : m_defaults;
        if (target.words.size() < kMaxStyleWords)
            target.words.emplace_back(handler, arg);
        return;
    }
    (this->*handler->run)(arg);
}

void RtfInterpreter::controlSymbol(char symbol)
{
    if (top().destination == Skip)
        return;
    switch (symbol) {
    case '\\':
    case '{':
    case '}': text(QByteArrayView(&symbol, 1)); break;
    case '~': appendText(QString(QChar(0x00A0))); break;
    case '-': appendText(QString(QChar(0x00AD))); break;
    case '_': appendText(QString(QChar(0x2011))); break;
    case '*': top().ignorable = true; break;
    case '\r':
    case '\n': paragraph({}); break;
    default: break;
    }
}

void RtfInterpreter::text(QByteArrayView bytes)
{
    switch (top().destination) {
    case Body: appendBytes(bytes); break;
    case FontTable:
        for (const char c : bytes) {
            if (c == ';')
                commitFont();
            else if (m_entryNumber >= 0)
                m_entryName += c;
        }
        break;
    case ColourTable:
        for (const char c : bytes) {
            if (c == ';')
                commitColour();
        }
        break;
    case Picture: m_picture.hex += bytes; break;
    case StyleSheet:
    case StyleEntry:
    case Defaults:
    case RowProps:
    case Skip: break;
    }
}

void RtfInterpreter::byte(unsigned char b)
{
    const char c = char(b);
    if (top().destination == Body)
        appendBytes(QByteArrayView(&c, 1));
    else if (top().destination == FontTable && m_entryNumber >= 0)
        m_entryName += c;
}

bool RtfInterpreter::inBody() const { return m_states.back().destination == Body; }

// Bytes wait undecoded so that a double-byte character split over two \'hh stays whole.
void RtfInterpreter::appendBytes(QByteArrayView bytes)
{
    if (!inBody())
        return;
    matchFormat();
    const int codePage = codePageOf(top().chars.font);
    if (codePage != m_bytesCodePage)
        decodeBytes();
    m_bytesCodePage = codePage;
    m_bytes += bytes;
}

void RtfInterpreter::appendText(const QString& text)
{
    if (!inBody())
        return;
    matchFormat();
    decodeBytes();
    m_text += text;
}

void RtfInterpreter::matchFormat()
{
    if (!(m_textProps == top().chars) || m_textLevel != top().para.level) {
        flush();
        m_textProps = top().chars;
        m_textLevel = top().para.level;
    }
}

void RtfInterpreter::decodeBytes()
{
    if (m_bytes.isEmpty())
        return;
    if (m_unsupportedCodePage == 0 && !m_decoder.supports(m_bytesCodePage)) {
        for (const char c : std::as_const(m_bytes))
            if (static_cast<unsigned char>(c) >= 0x80) {
                m_unsupportedCodePage = m_bytesCodePage;
                break;
            }
    }
    if (m_text.isEmpty())
        m_text = m_decoder.decode(m_bytesCodePage, m_bytes);
    else
        m_text += m_decoder.decode(m_bytesCodePage, m_bytes);
    m_bytes.clear();
}

void RtfInterpreter::flush()
{
    decodeBytes();
    const QString clean = sanitized(std::exchange(m_text, QString()));
    if (clean.isEmpty())
        return;
    for (int field = m_textProps.field; field > 0 && !m_fields[std::size_t(field - 1)].shown;
         field = m_fields[std::size_t(field - 1)].outer)
        m_fields[std::size_t(field - 1)].shown = true;
    if (m_keptPending.isEmpty()) {
        m_builder.text(clean, format(m_textProps), m_textLevel);
    } else {
        // The groups before this text go with its first character.
        const qsizetype first = clean.front().isHighSurrogate() && clean.size() > 1 ? 2 : 1;
        QTextCharFormat carrier = format(m_textProps);
        attachKept(carrier);
        m_builder.text(clean.first(first), carrier, m_textLevel);
        if (clean.size() > first)
            m_builder.text(clean.sliced(first), format(m_textProps), m_textLevel);
    }
    m_paragraphHasText = true;
    if (codePageOf(m_textProps.font) >= 0)
        m_textFont = m_textProps.font >= 0 ? m_textProps.font : m_defaultFont;
}

void RtfInterpreter::endParagraph()
{
    flush();
    QTextBlockFormat block = blockFormat(top().para);
    attachKept(block);
    m_builder.paragraphEnd(block, format(top().chars), top().para.level);
    m_pageBreakPending = false;
    m_paragraphHasText = false;
}

void RtfInterpreter::finish()
{
    flush();
    QTextBlockFormat block = blockFormat(top().para);
    attachKept(block);
    m_builder.finish(block, format(top().chars));
    keepDocumentParts();
}

int RtfInterpreter::codePageOf(int fontNumber) const
{
    // Asked for every run of text, nearly always for the same font.
    if (fontNumber == m_codePageFont && m_codePageFont != kNoFont)
        return m_codePage;
    const auto it = m_fonts.constFind(fontNumber >= 0 ? fontNumber : m_defaultFont);
    m_codePageFont = fontNumber;
    m_codePage = it != m_fonts.cend() && it->codePage != 0 ? it->codePage : m_documentCodePage;
    return m_codePage;
}

QColor RtfInterpreter::colour(int index) const
{
    return index > 0 && index < m_colours.size() ? m_colours[index] : QColor();
}

// Letters switch between a few formats; building one costs more than the text it holds.
QTextCharFormat RtfInterpreter::format(const CharProps& p)
{
    if (codePageOf(p.font) < 0)
        return makeFormat(p);
    for (const auto& [props, f] : m_formats)
        if (props == p)
            return f;
    if (m_formats.size() >= 16)
        m_formats.erase(m_formats.begin());
    m_formats.emplace_back(p, makeFormat(p));
    return m_formats.back().second;
}

QTextCharFormat RtfInterpreter::makeFormat(const CharProps& p) const
{
    QTextCharFormat f;
    auto font = m_fonts.constFind(p.font >= 0 ? p.font : m_defaultFont);
    // Symbols are shown as the characters they stand for, in the font of the text before them.
    if (font != m_fonts.cend() && font->codePage < 0)
        font = m_fonts.constFind(m_textFont >= 0 ? m_textFont : m_defaultFont);
    if (font != m_fonts.cend() && font->codePage >= 0 && !font->family.isEmpty())
        f.setFontFamilies({font->family});
    // RTF's default size is 12 pt.
    f.setFontPointSize((p.halfPoints > 0 ? p.halfPoints : 24) / 2.0);
    if (p.bold)
        f.setFontWeight(QFont::Bold);
    if (p.italic)
        f.setFontItalic(true);
    if (p.underline)
        f.setFontUnderline(true);
    if (p.strike)
        f.setFontStrikeOut(true);
    if (const QColor c = colour(p.foreground); c.isValid())
        f.setForeground(c);
    // Word's highlight is drawn over its shading.
    QColor background = colour(p.highlight);
    if (!background.isValid())
        background = colour(p.shading);
    if (background.isValid())
        f.setBackground(background);
    if (p.vertical != QTextCharFormat::AlignNormal)
        f.setVerticalAlignment(QTextCharFormat::VerticalAlignment(p.vertical));
    if (p.hidden) {
        f.setProperty(rtf::kHidden, true);
        f.setForeground(rtf::hiddenColour());
    }
    if (p.field > 0) {
        f.setProperty(rtf::kFieldId, p.field);
        f.setProperty(rtf::kFieldInstruction, m_fields[std::size_t(p.field - 1)].instruction);
    }
    return f;
}

QTextBlockFormat RtfInterpreter::blockFormat(const ParaProps& p)
{
    // Paragraphs mostly repeat the one before.
    if (!m_blockFormatMade || !(m_blockFormatProps == p) || m_blockFormatBreak != m_pageBreakPending) {
        m_blockFormat = makeBlockFormat(p);
        m_blockFormatProps = p;
        m_blockFormatBreak = m_pageBreakPending;
        m_blockFormatMade = true;
    }
    return m_blockFormat;
}

QTextBlockFormat RtfInterpreter::makeBlockFormat(const ParaProps& p) const
{
    const auto pixels = [](int twips) { return twips / rtf::kTwipsPerPixel; };
    QTextBlockFormat b;
    if (p.alignment != 0)
        b.setAlignment(Qt::Alignment(p.alignment));
    if (p.left != 0)
        b.setLeftMargin(pixels(p.left));
    if (p.right != 0)
        b.setRightMargin(pixels(p.right));
    if (p.first != 0)
        b.setTextIndent(pixels(p.first));
    if (p.before != 0)
        b.setTopMargin(pixels(p.before));
    if (p.after != 0)
        b.setBottomMargin(pixels(p.after));
    if (p.spacing != 0) {
        if (p.multiple && p.spacing > 0)
            b.setLineHeight(p.spacing * 100.0 / 240, QTextBlockFormat::ProportionalHeight);
        else if (p.spacing > 0)
            b.setLineHeight(pixels(p.spacing), QTextBlockFormat::MinimumHeight);
        else
            b.setLineHeight(pixels(-p.spacing), QTextBlockFormat::FixedHeight);
    }
    if (!p.tabs.empty()) {
        QList<QTextOption::Tab> tabs;
        for (const int position : p.tabs)
            tabs.append(QTextOption::Tab(pixels(position), QTextOption::LeftTab));
        b.setTabPositions(tabs);
    }
    if (p.breakBefore || m_pageBreakPending)
        b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    return b;
}

void RtfInterpreter::commitFont()
{
    m_formats.clear();
    if (m_entryNumber >= 0 && (m_fonts.size() < kMaxTableSize || m_fonts.contains(m_entryNumber))) {
        Font f;
        f.family = sanitized(
            m_decoder.decode(m_entryCodePage > 0 ? m_entryCodePage : m_documentCodePage, m_entryName))
                       .trimmed();
        const int symbol = symbolFontOf(f.family, m_entrySymbol);
        f.codePage = symbol != 0 ? symbol : m_entryCodePage;
        m_fonts.insert(m_entryNumber, f);
        m_codePageFont = kNoFont;
    }
    m_entryNumber = -1;
    m_entryCodePage = 0;
    m_entrySymbol = false;
    m_entryName.clear();
}

void RtfInterpreter::commitColour()
{
    m_formats.clear();
    if (m_colours.size() < kMaxTableSize)
        m_colours.append(m_rgbSet ? QColor(m_rgb[0], m_rgb[1], m_rgb[2]) : QColor());
    m_rgb[0] = m_rgb[1] = m_rgb[2] = 0;
    m_rgbSet = false;
}




void RtfInterpreter::bold(const Arg& a) { top().chars.bold = a.on(); }
void RtfInterpreter::italic(const Arg& a) { top().chars.italic = a.on(); }
void RtfInterpreter::underline(const Arg& a) { top().chars.underline = a.on(); }
void RtfInterpreter::underlineNone(const Arg&) { top().chars.underline = false; }
void RtfInterpreter::strike(const Arg& a) { top().chars.strike = a.on(); }
void RtfInterpreter::hidden(const Arg& a) { top().chars.hidden = a.on(); }

void RtfInterpreter::fontSize(const Arg& a)
{
    // RTF's default is 12 pt; beyond 1638 pt no word processor goes.
    top().chars.halfPoints = a.hasParam && a.param > 0 ? std::min(a.param, 3276) : 24;
}

void RtfInterpreter::font(const Arg& a)
{
    const int number = a.hasParam ? a.param : -1;
    if (top().destination == FontTable) {
        if (m_entryNumber >= 0)
            commitFont();
        m_entryNumber = std::max(number, -1);
    } else {
        top().chars.font = number;
    }
}

void RtfInterpreter::foreground(const Arg& a) { top().chars.foreground = std::max(a.param, 0); }
void RtfInterpreter::highlight(const Arg& a) { top().chars.highlight = std::max(a.param, 0); }
void RtfInterpreter::shading(const Arg& a) { top().chars.shading = std::max(a.param, 0); }
void RtfInterpreter::vertical(const Arg& a) { top().chars.vertical = a.value; }

// LibreOffice raises and lowers by half-points (\up8, \dn2) rather than \super and \sub.
void RtfInterpreter::position(const Arg& a)
{
    const int halfPoints = a.hasParam ? a.param : 6;
    if (halfPoints == 0)
        top().chars.vertical = QTextCharFormat::AlignNormal;
    else
        top().chars.vertical = (halfPoints > 0) == (a.value > 0) ? QTextCharFormat::AlignSuperScript
                                                                : QTextCharFormat::AlignSubScript;
}

void RtfInterpreter::paragraph(const Arg& a)
{
    if (top().destination != Body)
        return;
    endParagraph();
    if (a.value == 1)
        m_sectionEnded = true;
}

// The text after the break starts the next page: a paragraph of its own,
// unless the break opens its paragraph (as Word writes it).
void RtfInterpreter::pageBreak(const Arg&)
{
    if (top().destination != Body)
        return;
    flush();
    if (m_paragraphHasText)
        endParagraph();
    m_pageBreakPending = true;
}

// Writers follow \pard with the paragraph's style and every property that
// differs from RTF's defaults, Word inside table cells too.
void RtfInterpreter::paragraphDefaults(const Arg&) { top().para = ParaProps{}; }

void RtfInterpreter::alignment(const Arg& a) { top().para.alignment = a.value; }

void RtfInterpreter::indent(const Arg& a)
{
    const int twips = std::clamp(a.param, -kMaxTwips, kMaxTwips);
    ParaProps& p = top().para;
    switch (a.value) {
    case 0: p.left = twips; break;
    case 1: p.right = twips; break;
    case 2: p.first = twips; break;
    case 3: p.before = std::max(twips, 0); break;
    default: p.after = std::max(twips, 0); break;
    }
}

void RtfInterpreter::lineSpacing(const Arg& a)
{
    // \sl0 and Word's \sl-0 both mean single spacing; 1000 is its "auto".
    const int sl = std::clamp(a.param, -kMaxTwips, kMaxTwips);
    top().para.spacing = sl == 1000 ? 0 : sl;
}

void RtfInterpreter::lineMultiple(const Arg& a) { top().para.multiple = a.on(); }

void RtfInterpreter::tabStop(const Arg& a)
{
    std::vector<int>& tabs = top().para.tabs;
    if (a.hasParam && a.param > 0 && tabs.size() < kMaxTabStops)
        tabs.push_back(std::min(a.param, kMaxTwips));
}

void RtfInterpreter::breakBefore(const Arg& a) { top().para.breakBefore = a.on(); }

















void RtfInterpreter::character(const Arg& a) { appendText(QString(QChar(char16_t(a.value)))); }

void RtfInterpreter::unicode(const Arg& a)
{
    if (!a.hasParam)
        return;
    // Code points above 32767 come as negative numbers.
    int code = a.param < 0 ? a.param + 65536 : a.param;
    // In a symbol font the number names the glyph's byte: Word spells it
    // U+F0xx, LibreOffice gives the byte itself.
    if ((code >= 0xF020 && code <= 0xF0FF) || (code >= 0x20 && code <= 0xFF)) {
        if (const int symbol = codePageOf(top().chars.font); symbol < 0)
            code = symbolCharacter(symbol, static_cast<unsigned char>(code & 0xFF));
    }
    if (code > 0 && code <= 0xFFFF)
        appendText(QString(QChar(char16_t(code))));
    m_fallbackLeft = top().unicodeSkip;
}

void RtfInterpreter::unicodeSkip(const Arg& a) { top().unicodeSkip = a.hasParam ? std::max(a.param, 0) : 1; }
void RtfInterpreter::characterSet(const Arg& a)
{
    m_documentCodePage = a.value;
    m_codePageFont = kNoFont;
}

void RtfInterpreter::ansiCodePage(const Arg& a)
{
    if (a.hasParam && a.param > 0)
        m_documentCodePage = a.param;
    m_codePageFont = kNoFont;
}

void RtfInterpreter::defaultFont(const Arg& a)
{
    m_defaultFont = a.hasParam ? a.param : -1;
    m_formats.clear();
    m_codePageFont = kNoFont;
}

void RtfInterpreter::fontCharset(const Arg& a)
{
    if (top().destination != FontTable)
        return;
    m_entryCodePage = codePageOfCharset(a.param);
    m_entrySymbol = a.param == 2;
}

void RtfInterpreter::fontCodePage(const Arg& a)
{
    if (top().destination == FontTable && a.hasParam && a.param > 0)
        m_entryCodePage = a.param;
}

void RtfInterpreter::colourPart(const Arg& a)
{
    if (top().destination != ColourTable)
        return;
    m_rgb[a.value] = std::clamp(a.param, 0, 255);
    m_rgbSet = true;
}

void RtfInterpreter::destination(const Arg& a)
{
    // Inside skipped or picture data nothing opens a place for text.
    if (top().destination == Picture && a.value != Skip)
        return;
    // The tables as read stay for the kept groups that refer to them.
    if (a.value == FontTable || a.value == ColourTable) {
        if (top().destination == Body && m_states.size() == 3)
            top().keep = a.value == FontTable ? Keep::FontTable : Keep::ColourTable;
    }
    top().destination = Destination(a.value);
    if (a.value == FontTable)
        m_entryNumber = -1;
}

} // namespace polyx
