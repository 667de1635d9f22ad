#include "scripts/rtf/RtfInterpreter.h"

#include <QTextBlockFormat>
#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace polyx {

namespace {

// Bounds the font and colour tables of a hostile file.
constexpr qsizetype kMaxTableSize = 32768;

// Keeps out what QTextDocument would take for structure (paragraph and frame
// marks, objects) and controls that came in with binary garbage.
QString sanitized(QString text)
{
    QChar* d = text.data();
    const qsizetype n = text.size();
    qsizetype out = 0;
    for (qsizetype i = 0; i < n; ++i) {
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

struct RtfInterpreter::Handler {
    void (RtfInterpreter::*run)(const Arg&);
    int value = 0;
};

const RtfInterpreter::Handler* RtfInterpreter::handlerFor(QByteArrayView word)
{
    using I = RtfInterpreter;
    using Table = std::unordered_map<std::string_view, Handler>;
    static const Table table = [] {
        Table t = {
            {"b", {&I::bold}},
            {"i", {&I::italic}},
            {"strike", {&I::strike}},
            {"striked", {&I::strike}},
            {"v", {&I::hidden}},
            {"ulnone", {&I::underlineNone}},
            {"fs", {&I::fontSize}},
            {"f", {&I::font}},
            {"cf", {&I::foreground}},
            {"highlight", {&I::highlight}},
            {"cb", {&I::shading}},
            {"chcbpat", {&I::shading}},
            {"super", {&I::vertical, QTextCharFormat::AlignSuperScript}},
            {"sub", {&I::vertical, QTextCharFormat::AlignSubScript}},
            {"nosupersub", {&I::vertical, QTextCharFormat::AlignNormal}},
            {"plain", {&I::plain}},
            {"par", {&I::paragraph}},
            {"sect", {&I::paragraph}},
            {"page", {&I::paragraph}},
            {"row", {&I::paragraph}},
            {"pard", {&I::paragraphDefaults}},
            {"ql", {&I::alignment, Qt::AlignLeft}},
            {"qc", {&I::alignment, Qt::AlignHCenter}},
            {"qr", {&I::alignment, Qt::AlignRight}},
            {"qj", {&I::alignment, Qt::AlignJustify}},
            {"qd", {&I::alignment, Qt::AlignJustify}},
            {"tab", {&I::character, '\t'}},
            {"cell", {&I::character, '\t'}},
            {"nestcell", {&I::character, '\t'}},
            {"line", {&I::character, QChar::LineSeparator}},
            {"emdash", {&I::character, 0x2014}},
            {"endash", {&I::character, 0x2013}},
            {"emspace", {&I::character, 0x2003}},
            {"enspace", {&I::character, 0x2002}},
            {"qmspace", {&I::character, 0x2005}},
            {"bullet", {&I::character, 0x2022}},
            {"lquote", {&I::character, 0x2018}},
            {"rquote", {&I::character, 0x2019}},
            {"ldblquote", {&I::character, 0x201C}},
            {"rdblquote", {&I::character, 0x201D}},
            {"zwj", {&I::character, 0x200D}},
            {"zwnj", {&I::character, 0x200C}},
            {"ltrmark", {&I::character, 0x200E}},
            {"rtlmark", {&I::character, 0x200F}},
            {"u", {&I::unicode}},
            {"uc", {&I::unicodeSkip}},
            {"ansi", {&I::characterSet, 1252}},
            {"mac", {&I::characterSet, 10000}},
            {"pc", {&I::characterSet, 437}},
            {"pca", {&I::characterSet, 850}},
            {"ansicpg", {&I::ansiCodePage}},
            {"deff", {&I::defaultFont}},
            {"fcharset", {&I::fontCharset}},
            {"cpg", {&I::fontCodePage}},
            {"red", {&I::colourPart, 0}},
            {"green", {&I::colourPart, 1}},
            {"blue", {&I::colourPart, 2}},
            {"fonttbl", {&I::destination, FontTable}},
            {"colortbl", {&I::destination, ColourTable}},
        };
        for (const char* name : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                 "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash",
                 "ululdbwave", "ulw", "ulwave"})
            t.emplace(name, Handler{&I::underline});
        // Destinations that hold no body text, whether or not the writer marked them with \*.
        for (const char* name : {"stylesheet", "info", "pict", "object", "header", "headerl",
                 "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "footnote",
                 "annotation", "atnid", "atnauthor", "atndate", "atnref", "fldinst", "xe", "tc",
                 "txe", "rxe", "bkmkstart", "bkmkend", "listtable", "listoverridetable", "revtbl",
                 "rsidtbl", "generator", "filetbl", "pn", "pnseclvl", "shp", "shpinst", "shprslt",
                 "shppict", "nonshppict", "do", "template", "themedata", "colorschememapping",
                 "latentstyles", "datastore", "xmlnstbl", "mmathPr", "pgdsctbl", "userprops",
                 "docvar", "fchars", "lchars", "ftnsep", "ftnsepc", "ftncn", "aftnsep",
                 "aftnsepc", "aftncn", "background", "panose", "falt", "objdata",
                 "protusertbl", "wgrffmtfilter", "passwordhash"})
            t.emplace(name, Handler{&I::destination, Skip});
        return t;
    }();
    const auto it = table.find(std::string_view(word.data(), std::size_t(word.size())));
    return it == table.end() ? nullptr : &it->second;
}

void RtfInterpreter::run(RtfTokenizer& tokens)
{
    for (RtfToken t = tokens.next(); t.kind != RtfToken::End; t = tokens.next()) {
        if (m_fallbackLeft > 0 && skipFallback(t))
            continue;
        switch (t.kind) {
        case RtfToken::GroupStart: groupStart(); break;
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

void RtfInterpreter::groupStart()
{
    if (m_states.size() > kMaxDepth) {
        ++m_overflow;
        return;
    }
    State inner = top();
    inner.ignorable = false;
    m_states.push_back(inner);
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
    if (top().destination == FontTable && m_entryNumber >= 0)
        commitFont();
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
    (this->*handler->run)(Arg{t.param, t.hasParam, handler->value});
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

bool RtfInterpreter::inBody() const
{
    const State& s = m_states.back();
    return s.destination == Body && !s.chars.hidden;
}

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
    if (!(m_textProps == top().chars)) {
        flush();
        m_textProps = top().chars;
    }
}

void RtfInterpreter::decodeBytes()
{
    if (m_bytes.isEmpty())
        return;
    m_text += m_decoder.decode(m_bytesCodePage, m_bytes);
    m_bytes.clear();
}

void RtfInterpreter::flush()
{
    decodeBytes();
    const QString clean = sanitized(std::exchange(m_text, QString()));
    if (clean.isEmpty())
        return;
    startBlockIfPending();
    m_cursor.insertText(clean, format(m_textProps));
}

// A \par opens its next paragraph only when something follows, so that the
// final \par writers put at the end adds no empty paragraph.
void RtfInterpreter::startBlockIfPending()
{
    if (m_breakPending) {
        m_cursor.insertBlock();
        m_breakPending = false;
    }
}

void RtfInterpreter::finishBlock()
{
    QTextBlockFormat block;
    if (top().alignment != 0)
        block.setAlignment(Qt::Alignment(top().alignment));
    // New blocks inherit the previous block's formats: most need no change.
    if (m_cursor.blockFormat() != block)
        m_cursor.setBlockFormat(block);
    if (const QTextCharFormat mark = format(top().chars); m_cursor.blockCharFormat() != mark)
        m_cursor.setBlockCharFormat(mark);
}

void RtfInterpreter::finish()
{
    flush();
    if (!m_breakPending)
        finishBlock();
}

int RtfInterpreter::codePageOf(int fontNumber) const
{
    const auto it = m_fonts.constFind(fontNumber >= 0 ? fontNumber : m_defaultFont);
    return it != m_fonts.cend() && it->codePage > 0 ? it->codePage : m_documentCodePage;
}

QColor RtfInterpreter::colour(int index) const
{
    return index > 0 && index < m_colours.size() ? m_colours[index] : QColor();
}

QTextCharFormat RtfInterpreter::format(const CharProps& p) const
{
    QTextCharFormat f;
    const auto font = m_fonts.constFind(p.font >= 0 ? p.font : m_defaultFont);
    if (font != m_fonts.cend() && !font->family.isEmpty())
        f.setFontFamilies({font->family});
    if (p.halfPoints > 0)
        f.setFontPointSize(p.halfPoints / 2.0);
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
    return f;
}

void RtfInterpreter::commitFont()
{
    if (m_entryNumber >= 0 && (m_fonts.size() < kMaxTableSize || m_fonts.contains(m_entryNumber))) {
        Font f;
        f.codePage = m_entryCodePage;
        f.family = sanitized(
            m_decoder.decode(f.codePage > 0 ? f.codePage : m_documentCodePage, m_entryName))
                       .trimmed();
        m_fonts.insert(m_entryNumber, f);
    }
    m_entryNumber = -1;
    m_entryCodePage = 0;
    m_entryName.clear();
}

void RtfInterpreter::commitColour()
{
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
void RtfInterpreter::plain(const Arg&) { top().chars = CharProps{}; }

void RtfInterpreter::paragraph(const Arg&)
{
    if (top().destination != Body)
        return;
    flush();
    startBlockIfPending();
    finishBlock();
    m_breakPending = true;
}

void RtfInterpreter::paragraphDefaults(const Arg&) { top().alignment = 0; }
void RtfInterpreter::alignment(const Arg& a) { top().alignment = a.value; }
void RtfInterpreter::character(const Arg& a) { appendText(QString(QChar(char16_t(a.value)))); }

void RtfInterpreter::unicode(const Arg& a)
{
    if (!a.hasParam)
        return;
    // Code points above 32767 come as negative numbers.
    const int code = a.param < 0 ? a.param + 65536 : a.param;
    if (code > 0 && code <= 0xFFFF)
        appendText(QString(QChar(char16_t(code))));
    m_fallbackLeft = top().unicodeSkip;
}

void RtfInterpreter::unicodeSkip(const Arg& a) { top().unicodeSkip = a.hasParam ? std::max(a.param, 0) : 1; }
void RtfInterpreter::characterSet(const Arg& a) { m_documentCodePage = a.value; }

void RtfInterpreter::ansiCodePage(const Arg& a)
{
    if (a.hasParam && m_decoder.supports(a.param))
        m_documentCodePage = a.param;
}

void RtfInterpreter::defaultFont(const Arg& a) { m_defaultFont = a.hasParam ? a.param : -1; }

void RtfInterpreter::fontCharset(const Arg& a)
{
    if (top().destination == FontTable)
        m_entryCodePage = codePageOfCharset(a.param);
}

void RtfInterpreter::fontCodePage(const Arg& a)
{
    if (top().destination == FontTable && a.hasParam && m_decoder.supports(a.param))
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
    top().destination = Destination(a.value);
    if (a.value == FontTable)
        m_entryNumber = -1;
}

} // namespace polyx
