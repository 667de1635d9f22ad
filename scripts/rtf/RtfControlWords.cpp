// The control words the reader knows, each with its handler.
#include "scripts/rtf/RtfInterpreter.h"

#include <array>
#include <string_view>
#include <unordered_map>

namespace polyx {

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
            {"sect", {&I::paragraph, 1}},
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
            {"up", {&I::position, 1, true}},
            {"dn", {&I::position, -1, true}},
            {"field", {&I::field}},
            {"fldinst", {&I::fieldInstruction}},
            {"fldrslt", {&I::fieldResult}},
            {"chftn", {&I::noteMark}},
            {"chatn", {&I::keepTextWord}},
            {"footnote", {&I::keepTextGroup, Note}},
            {"annotation", {&I::keepTextGroup, Comment}},
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
        // Groups the pane cannot show, kept as they are: the document's, and
        // those that stand at their place in the text.
        for (const char* name : {"header", "headerl", "headerr", "headerf"})
            t.emplace(name, Handler{&I::keepDocumentGroup, Header});
        for (const char* name : {"footer", "footerl", "footerr", "footerf"})
            t.emplace(name, Handler{&I::keepDocumentGroup, Footer});
        for (const char* name : {"info", "docvar", "userprops", "ftnsep", "ftnsepc", "ftncn",
                 "aftnsep", "aftnsepc", "aftncn", "background", "pgdsctbl"})
            t.emplace(name, Handler{&I::keepDocumentGroup});
        for (const char* name : {"atnid", "atnauthor", "atndate", "atnref", "atnparent", "atrfstart",
                 "atrfend", "bkmkstart", "bkmkend", "shp", "shprslt", "do", "xe", "tc", "txe", "rxe"})
            t.emplace(name, Handler{&I::keepTextGroup});
        // Page and section settings, kept with the document.
        for (const char* name : {"paperw", "paperh", "margl", "margr", "margt", "margb", "gutter",
                 "margmirror", "landscape", "facingp", "titlepg", "sectd", "pgwsxn", "pghsxn",
                 "marglsxn", "margrsxn", "margtsxn", "margbsxn", "guttersxn", "lndscpsxn", "cols",
                 "colsx", "colno", "colsr", "colw", "linebetcol", "headery", "footery", "pgnstarts",
                 "pgnrestart", "pgncont", "pgndec", "pgnucrm", "pgnlcrm", "pgnucltr", "pgnlcltr",
                 "vertalt", "vertalc", "vertalb", "vertalj", "sbknone", "sbkpage", "sbkcol", "sbkeven",
                 "sbkodd", "ftnbj", "ftntj", "ftnrestart", "ftnrstpg", "ftnrstcont", "ftnnar",
                 "ftnnalc", "ftnnauc", "ftnnrlc", "ftnnruc", "endnotes", "enddoc", "aendnotes",
                 "aenddoc", "fet", "deftab"})
            t.emplace(name, Handler{&I::keepSectionWord});
        // Destinations that hold no body text, whether or not the writer marked them with \*.
        // Word's fallback text for readers without nested tables is the same cells again.
        for (const char* name : {"object", "listtable", "listoverridetable", "revtbl",
                 "rsidtbl", "generator", "filetbl", "pn", "pnseclvl", "shpinst",
                 "nonshppict", "nonesttables", "template", "themedata", "colorschememapping",
                 "latentstyles", "datastore", "xmlnstbl", "mmathPr", "fchars", "lchars", "panose",
                 "falt", "objdata", "protusertbl", "wgrffmtfilter", "passwordhash", "blipuid",
                 "picprop"})
            t.emplace(name, Handler{&I::destination, Skip});
        // What each character word sets, for the styles to give way to it.
        const std::pair<void (I::*)(const Arg&), int> properties[] = {{&I::font, int(Property::Font)}, {&I::fontSize, int(Property::Size)},
            {&I::bold, int(Property::Bold)}, {&I::italic, int(Property::Italic)}, {&I::underline, int(Property::Underline)}, {&I::underlineNone, int(Property::Underline)},
            {&I::strike, int(Property::Strike)}, {&I::hidden, int(Property::Hidden)}, {&I::foreground, int(Property::Foreground)}, {&I::highlight, int(Property::Highlight)},
            {&I::shading, int(Property::Shading)}, {&I::vertical, int(Property::Vertical)}, {&I::position, int(Property::Vertical)}};
        for (auto& [name, handler] : t)
            for (const auto& [run, property] : properties)
                if (handler.run == run)
                    handler.property = property;
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

} // namespace polyx
