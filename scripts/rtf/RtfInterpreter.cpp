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

// Bounds the font, colour and style tables of a hostile file.
constexpr qsizetype kMaxTableSize = 32768;
constexpr std::size_t kMaxStyleWords = 256;
constexpr int kMaxStyleChain = 8;
constexpr std::size_t kMaxTabStops = 64;
// 22 inches, the largest length Word accepts.
constexpr int kMaxTwips = 31680;

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

struct RtfInterpreter::Handler {
    void (RtfInterpreter::*run)(const Arg&);
    int value = 0;
    bool formatting = false; // kept by a style sheet entry, played where the style applies
};

const RtfInterpreter::Handler* RtfInterpreter::handlerFor(QByteArrayView word)
{
    using I = RtfInterpreter;
    using Table = std::unordered_map<std::string_view, Handler>;
    static const Table table = [] {
        enum { Header = 1, Footer, Note, Comment };
        enum { LeftIndent, RightIndent, FirstIndent, Before, After };
        enum { MergeFirst, Merged, MergeTop, MergedDown };
        Table t = {
            {"b", {&I::bold, 0, true}},
            {"i", {&I::italic, 0, true}},
            {"strike", {&I::strike, 0, true}},
            {"striked", {&I::strike, 0, true}},
            {"v", {&I::hidden, 0, true}},
            {"ulnone", {&I::underlineNone, 0, true}},
            {"fs", {&I::fontSize, 0, true}},
            {"f", {&I::font, 0, true}},
            {"cf", {&I::foreground, 0, true}},
            {"highlight", {&I::highlight, 0, true}},
            {"cb", {&I::shading, 0, true}},
            {"chcbpat", {&I::shading, 0, true}},
            {"super", {&I::vertical, QTextCharFormat::AlignSuperScript, true}},
            {"sub", {&I::vertical, QTextCharFormat::AlignSubScript, true}},
            {"nosupersub", {&I::vertical, QTextCharFormat::AlignNormal, true}},
            {"plain", {&I::plain}},
            {"par", {&I::paragraph}},
            {"sect", {&I::paragraph}},
            {"page", {&I::pageBreak}},
            {"pard", {&I::paragraphDefaults}},
            {"ql", {&I::alignment, Qt::AlignLeft, true}},
            {"qc", {&I::alignment, Qt::AlignHCenter, true}},
            {"qr", {&I::alignment, Qt::AlignRight, true}},
            {"qj", {&I::alignment, Qt::AlignJustify, true}},
            {"qd", {&I::alignment, Qt::AlignJustify, true}},
            {"li", {&I::indent, LeftIndent, true}},
            {"lin", {&I::indent, LeftIndent, true}},
            {"ri", {&I::indent, RightIndent, true}},
            {"rin", {&I::indent, RightIndent, true}},
            {"fi", {&I::indent, FirstIndent, true}},
            {"sb", {&I::indent, Before, true}},
            {"sa", {&I::indent, After, true}},
            {"sl", {&I::lineSpacing, 0, true}},
            {"slmult", {&I::lineMultiple, 0, true}},
            {"tx", {&I::tabStop, 0, true}},
            {"pagebb", {&I::breakBefore, 0, true}},
            {"intbl", {&I::inTable}},
            {"itap", {&I::tableLevel}},
            {"cell", {&I::cell, 1}},
            {"nestcell", {&I::cell, 2}},
            {"row", {&I::row, 1}},
            {"nestrow", {&I::row, 2}},
            {"trowd", {&I::rowDefaults}},
            {"trleft", {&I::rowLeft}},
            {"cellx", {&I::cellRight}},
            {"clmgf", {&I::cellMerge, MergeFirst}},
            {"clmrg", {&I::cellMerge, Merged}},
            {"clvmgf", {&I::cellMerge, MergeTop}},
            {"clvmrg", {&I::cellMerge, MergedDown}},
            {"brdrnone", {&I::borderStyle, 0}},
            {"brdrnil", {&I::borderStyle, 0}},
            {"s", {&I::style, 0}},
            {"ds", {&I::style, 1}},
            {"ts", {&I::style, 1}},
            {"cs", {&I::characterStyle}},
            {"sbasedon", {&I::basedOn}},
            {"pict", {&I::picture}},
            {"picw", {&I::pictureSize, 0}},
            {"pich", {&I::pictureSize, 1}},
            {"picwgoal", {&I::pictureSize, 2}},
            {"pichgoal", {&I::pictureSize, 3}},
            {"picscalex", {&I::pictureSize, 4}},
            {"picscaley", {&I::pictureSize, 5}},
            {"tab", {&I::character, '\t'}},
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
            {"stylesheet", {&I::destination, StyleSheet}},
            {"defchp", {&I::destination, Defaults}},
            {"defpap", {&I::destination, Defaults}},
            {"nesttableprops", {&I::destination, RowProps}},
            // Word's picture for readers that know shapes holds the picture we read.
            {"shppict", {&I::destination, Body}},
            {"header", {&I::leftOut, Header}},
            {"headerl", {&I::leftOut, Header}},
            {"headerr", {&I::leftOut, Header}},
            {"headerf", {&I::leftOut, Header}},
            {"footer", {&I::leftOut, Footer}},
            {"footerl", {&I::leftOut, Footer}},
            {"footerr", {&I::leftOut, Footer}},
            {"footerf", {&I::leftOut, Footer}},
            {"footnote", {&I::leftOut, Note}},
            {"annotation", {&I::leftOut, Comment}},
        };
        for (const char* name : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                 "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash",
                 "ululdbwave", "ulw", "ulwave"})
            t.emplace(name, Handler{&I::underline, 0, true});
        for (const char* name : {"pngblip", "jpegblip", "emfblip", "wmetafile", "pmmetafile",
                 "macpict", "dibitmap", "wbitmap"})
            t.emplace(name, Handler{&I::pictureKind});
        // A border drawn by any of its sides makes the table a bordered one.
        for (const char* name : {"clbrdrt", "clbrdrl", "clbrdrb", "clbrdrr", "trbrdrt", "trbrdrl",
                 "trbrdrb", "trbrdrr", "trbrdrh", "trbrdrv"})
            t.emplace(name, Handler{&I::border});
        for (const char* name : {"brdrs", "brdrth", "brdrsh", "brdrdb", "brdrdot", "brdrdash",
                 "brdrhair", "brdrdashsm", "brdrdashd", "brdrdashdd", "brdrtriple", "brdrwavy",
                 "brdrinset", "brdroutset", "brdrengrave", "brdremboss"})
            t.emplace(name, Handler{&I::borderStyle, 1});
        // Destinations that hold no body text, whether or not the writer marked them with \*.
        // Word's fallback text for readers without nested tables is the same cells again.
        for (const char* name : {"info", "object", "fldinst", "xe", "tc",
                 "txe", "rxe", "bkmkstart", "bkmkend", "listtable", "listoverridetable", "revtbl",
                 "rsidtbl", "generator", "filetbl", "pn", "pnseclvl", "shp", "shpinst", "shprslt",
                 "nonshppict", "nonesttables", "do", "template", "themedata", "colorschememapping",
                 "latentstyles", "datastore", "xmlnstbl", "mmathPr", "pgdsctbl", "userprops",
                 "docvar", "fchars", "lchars", "ftnsep", "ftnsepc", "ftncn", "aftnsep",
                 "aftnsepc", "aftncn", "background", "panose", "falt", "objdata",
                 "protusertbl", "wgrffmtfilter", "passwordhash", "atnid", "atnauthor", "atndate",
                 "atnref", "atnparent", "atrfstart", "atrfend", "blipuid", "picprop"})
            t.emplace(name, Handler{&I::destination, Skip});
        return t;
    }();
    // A letter repeats a few short words thousands of times: those are
    // remembered by their letters packed into a number.
    struct Remembered {
        quint64 key = 0;
        const Handler* handler = nullptr;
    };
    static thread_local std::array<Remembered, 128> remembered{};
    quint64 key = 0;
    const bool packable = word.size() <= 7;
    if (packable) {
        for (const char c : word)
            key = (key << 8) | static_cast<unsigned char>(c);
        key = (key << 8) | quint64(word.size());
        const Remembered& r = remembered[(key * 0x9E3779B97F4A7C15ull) >> 57];
        if (r.key == key)
            return r.handler;
    }
    const auto it = table.find(std::string_view(word.data(), std::size_t(word.size())));
    const Handler* handler = it == table.end() ? nullptr : &it->second;
    if (packable)
        remembered[(key * 0x9E3779B97F4A7C15ull) >> 57] = {key, handler};
    return handler;
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

void RtfInterpreter::groupStart()
{
    if (m_states.size() > kMaxDepth) {
        ++m_overflow;
        return;
    }
    State inner = top();
    inner.ignorable = false;
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
    m_builder.text(clean, format(m_textProps), m_textLevel);
    m_paragraphHasText = true;
    if (codePageOf(m_textProps.font) >= 0)
        m_textFont = m_textProps.font >= 0 ? m_textProps.font : m_defaultFont;
}

void RtfInterpreter::endParagraph()
{
    flush();
    m_builder.paragraphEnd(blockFormat(top().para), format(top().chars), top().para.level);
    m_pageBreakPending = false;
    m_paragraphHasText = false;
}

void RtfInterpreter::finish()
{
    flush();
    m_builder.finish(blockFormat(top().para), format(top().chars));
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

void RtfInterpreter::commitStyle()
{
    if (m_styleNumber >= 0 && (qsizetype(m_styles.size()) < kMaxTableSize || m_styles.count(m_styleNumber)))
        m_styles[m_styleNumber] = std::move(m_style);
    m_style = Style{};
    m_styleNumber = 0;
}

// Plays a style's words, its base's first, on the current state.
void RtfInterpreter::applyStyle(int number, int depth)
{
    const auto it = m_styles.find(number);
    if (it == m_styles.end())
        return;
    const Style& s = it->second;
    if (s.basedOn >= 0 && s.basedOn != number && depth < kMaxStyleChain)
        applyStyle(s.basedOn, depth + 1);
    ++m_replaying;
    for (const auto& [handler, arg] : s.words)
        (this->*handler->run)(arg);
    --m_replaying;
}

void RtfInterpreter::commitPicture()
{
    flush();
    PictureData p = std::exchange(m_picture, PictureData{});
    const QByteArray data = p.binary.isEmpty() ? QByteArray::fromHex(p.hex) : p.binary;
    QTextDocument* document = m_cursor.document();
    if (data.isEmpty() || p.kind.isEmpty() || !document)
        return;

    QImage image;
    if (p.kind == "pngblip" || p.kind == "jpegblip")
        image.loadFromData(data);
    // The size the picture has in the file: pixels for bitmaps, 0.01 mm for metafiles.
    const bool metafile = image.isNull() && p.kind != "dibitmap" && p.kind != "wbitmap";
    const auto natural = [&](int own, int decoded) {
        if (decoded > 0)
            return decoded * 15;
        return metafile ? int(qint64(own) * 1440 / 2540) : own * 15;
    };
    int width = p.goalWidth > 0 ? p.goalWidth : natural(p.width, image.width());
    int height = p.goalHeight > 0 ? p.goalHeight : natural(p.height, image.height());
    width = int(qint64(width) * std::clamp(p.scaleX, 1, 1000) / 100);
    height = int(qint64(height) * std::clamp(p.scaleY, 1, 1000) / 100);
    const double w = std::clamp(width / rtf::kTwipsPerPixel, 1.0, 4000.0);
    const double h = std::clamp(height / rtf::kTwipsPerPixel, 1.0, 4000.0);

    if (image.isNull()) {
        // What Qt cannot draw keeps its place and its bytes; the pane
        // stretches the small placeholder to the picture's size.
        image = QImage(std::clamp(int(w), 1, 64), std::clamp(int(h), 1, 64), QImage::Format_RGB32);
        image.fill(QColor(0xE8, 0xE8, 0xE8));
        QPainter painter(&image);
        painter.setPen(QColor(0x90, 0x90, 0x90));
        painter.drawRect(0, 0, image.width() - 1, image.height() - 1);
        painter.drawLine(0, 0, image.width() - 1, image.height() - 1);
        painter.drawLine(0, image.height() - 1, image.width() - 1, 0);
    }
    const QUrl name(QStringLiteral("rtfpict:%1").arg(++m_pictures));
    document->addResource(QTextDocument::ImageResource, name, image);
    document->addResource(QTextDocument::UserResource, rtf::pictureBytesName(name.toString()), data);
    QTextImageFormat f;
    f.setName(name.toString());
    f.setWidth(w);
    f.setHeight(h);
    f.setProperty(rtf::kPictureKind, p.kind);
    f.setProperty(rtf::kPictureWidth, p.width);
    f.setProperty(rtf::kPictureHeight, p.height);
    m_builder.text(QString(), f, top().para.level);
    m_paragraphHasText = true;
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
void RtfInterpreter::plain(const Arg&) { top().chars = m_defaultChars; }

void RtfInterpreter::paragraph(const Arg&)
{
    if (top().destination == Body)
        endParagraph();
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
    m_builder.cellEnd(blockFormat(top().para), format(top().chars), level);
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

void RtfInterpreter::style(const Arg& a)
{
    if (top().destination == StyleEntry) {
        m_styleNumber = a.value == 0 ? std::max(a.param, 0) : -1;
        return;
    }
    if (a.value != 0 || top().destination != Body || m_replaying > 0)
        return;
    const int level = top().para.level;
    top().chars = m_defaultChars;
    top().para = ParaProps{};
    applyStyle(std::max(a.param, 0), 0);
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

void RtfInterpreter::picture(const Arg&)
{
    if (top().destination != Body)
        return;
    top().destination = Picture;
    m_picture = PictureData{};
}

// The kind's own word is what the writer gives back.
void RtfInterpreter::pictureKind(const Arg& a)
{
    if (top().destination == Picture)
        m_picture.kind = m_word.toByteArray() + (a.hasParam ? QByteArray::number(a.param) : QByteArray());
}

void RtfInterpreter::pictureSize(const Arg& a)
{
    if (top().destination != Picture)
        return;
    const int v = std::clamp(a.param, 0, 2 * kMaxTwips * 10);
    switch (a.value) {
    case 0: m_picture.width = v; break;
    case 1: m_picture.height = v; break;
    case 2: m_picture.goalWidth = v; break;
    case 3: m_picture.goalHeight = v; break;
    case 4: m_picture.scaleX = v > 0 ? v : 100; break;
    default: m_picture.scaleY = v > 0 ? v : 100; break;
    }
}

void RtfInterpreter::leftOut(const Arg& a)
{
    if (top().destination == Body) {
        switch (a.value) {
        case 1: m_leftOut.header = true; break;
        case 2: m_leftOut.footer = true; break;
        case 3: ++m_leftOut.notes; break;
        default: ++m_leftOut.comments; break;
        }
    }
    top().destination = Skip;
}

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
    top().destination = Destination(a.value);
    if (a.value == FontTable)
        m_entryNumber = -1;
}

} // namespace polyx
