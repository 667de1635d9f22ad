#pragma once
#include "scripts/rtf/CodePages.h"
#include "scripts/rtf/RtfBuilder.h"
#include "scripts/rtf/RtfTokenizer.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <limits>
#include <map>
#include <vector>

namespace polyx {

// What a file holds that the pane does not: headers, footers, notes, comments.
struct RtfLeftOut {
    bool header = false;
    bool footer = false;
    int notes = 0;
    int comments = 0;
    bool any() const { return header || footer || notes > 0 || comments > 0; }
};

// Plays RTF tokens into a text cursor: a stack of group states, a table from
// control word to handler, and text gathered until its formatting changes.
class RtfInterpreter {
public:
    // Deeper groups share the state of the deepest one kept.
    static constexpr std::size_t kMaxDepth = 1024;
    static constexpr int kMaxTableLevel = 16;

    explicit RtfInterpreter(QTextCursor& cursor) : m_cursor(cursor), m_builder(cursor) {}

    // Inserts at the cursor everything readable up to the end of the outer
    // group or of the input.
    void run(RtfTokenizer& tokens);

    const RtfLeftOut& leftOut() const { return m_leftOut; }
    // A code page the text needed and nobody can decode; 0 when none.
    int unsupportedCodePage() const { return m_unsupportedCodePage; }

private:
    struct Arg {
        int param = 0;
        bool hasParam = false;
        int value = 0; // fixed by the handler table
        bool on() const { return !hasParam || param != 0; }
    };
    struct Handler;
    static const Handler* handlerFor(QByteArrayView word);

    void bold(const Arg& a);
    void italic(const Arg& a);
    void underline(const Arg& a);
    void underlineNone(const Arg& a);
    void strike(const Arg& a);
    void hidden(const Arg& a);
    void fontSize(const Arg& a);
    void font(const Arg& a);
    void foreground(const Arg& a);
    void highlight(const Arg& a);
    void shading(const Arg& a);
    void vertical(const Arg& a);
    void plain(const Arg& a);
    void paragraph(const Arg& a);
    void pageBreak(const Arg& a);
    void paragraphDefaults(const Arg& a);
    void alignment(const Arg& a);
    void indent(const Arg& a);
    void lineSpacing(const Arg& a);
    void lineMultiple(const Arg& a);
    void tabStop(const Arg& a);
    void breakBefore(const Arg& a);
    void inTable(const Arg& a);
    void tableLevel(const Arg& a);
    void cell(const Arg& a);
    void row(const Arg& a);
    void rowDefaults(const Arg& a);
    void rowLeft(const Arg& a);
    void cellRight(const Arg& a);
    void cellMerge(const Arg& a);
    void border(const Arg& a);
    void borderStyle(const Arg& a);
    void style(const Arg& a);
    void characterStyle(const Arg& a);
    void basedOn(const Arg& a);
    void picture(const Arg& a);
    void pictureKind(const Arg& a);
    void pictureSize(const Arg& a);
    void leftOut(const Arg& a);
    void character(const Arg& a);
    void unicode(const Arg& a);
    void unicodeSkip(const Arg& a);
    void characterSet(const Arg& a);
    void ansiCodePage(const Arg& a);
    void defaultFont(const Arg& a);
    void fontCharset(const Arg& a);
    void fontCodePage(const Arg& a);
    void colourPart(const Arg& a);
    void destination(const Arg& a);

    enum Destination {
        Body, FontTable, ColourTable, StyleSheet, StyleEntry, Defaults, Picture, RowProps, Skip
    };
    struct CharProps {
        int font = -1; // -1: the \deff font
        int halfPoints = 0; // 0: the document's size
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        bool hidden = false;
        int foreground = 0; // colour table indexes; 0: none
        int highlight = 0;
        int shading = 0;
        int vertical = QTextCharFormat::AlignNormal;
        bool operator==(const CharProps&) const = default;
    };
    // Lengths in twips.
    struct ParaProps {
        int alignment = 0; // 0: not set
        int left = 0;
        int right = 0;
        int first = 0;
        int before = 0;
        int after = 0;
        int spacing = 0; // \sl: > 0 at least, < 0 exactly, 0 single
        bool multiple = false; // \slmult1: \sl is in 240ths of a line
        bool breakBefore = false;
        int level = 0; // table nesting; 0 outside tables
        std::vector<int> tabs;
        bool operator==(const ParaProps&) const = default;
    };
    struct State {
        CharProps chars;
        ParaProps para;
        Destination destination = Body;
        int unicodeSkip = 1;
        bool ignorable = false; // after \*
    };
    struct Font {
        QString family;
        int codePage = 0; // 0: the document's; < 0: a symbol font
    };
    // A style sheet entry, or the document's defaults: the formatting words
    // it holds, played again wherever it applies.
    struct Style {
        int basedOn = -1;
        bool character = false;
        std::vector<std::pair<const Handler*, Arg>> words;
    };
    struct PictureData {
        QByteArray kind;
        QByteArray hex;
        QByteArray binary;
        int width = 0, height = 0;        // \picw \pich: pixels, or 0.01 mm for metafiles
        int goalWidth = 0, goalHeight = 0; // twips
        int scaleX = 100, scaleY = 100;
    };

    State& top() { return m_states.back(); }
    void groupStart();
    bool groupEnd(); // false once the outer group is closed
    void controlWord(const RtfToken& t);
    void controlSymbol(char symbol);
    void text(QByteArrayView bytes);
    void byte(unsigned char b);
    bool skipFallback(RtfToken& t);

    bool inBody() const;
    void appendBytes(QByteArrayView bytes);
    void appendText(const QString& text);
    void matchFormat();
    void decodeBytes();
    void flush();
    void endParagraph();
    void finish();

    int codePageOf(int fontNumber) const;
    QTextCharFormat format(const CharProps& p);
    QTextCharFormat makeFormat(const CharProps& p) const;
    QTextBlockFormat blockFormat(const ParaProps& p);
    QTextBlockFormat makeBlockFormat(const ParaProps& p) const;
    QColor colour(int index) const;
    void commitFont();
    void commitColour();
    void commitStyle();
    void commitPicture();
    void applyStyle(int number, int depth);

    QTextCursor& m_cursor;
    RtfBuilder m_builder;
    std::vector<State> m_states{State{}}; // [0] lies outside every group, [1] is the document's
    std::size_t m_overflow = 0; // groups open beyond kMaxDepth
    int m_fallbackLeft = 0; // of the \uc count after a \u

    int m_documentCodePage = 1252;
    int m_defaultFont = -1;
    QHash<int, Font> m_fonts;
    QList<QColor> m_colours;
    std::vector<std::pair<CharProps, QTextCharFormat>> m_formats; // the last ones made
    static constexpr int kNoFont = std::numeric_limits<int>::min();
    mutable int m_codePageFont = kNoFont; // the font codePageOf last answered for
    mutable int m_codePage = 0;
    // The block format last made, with what it was made from.
    bool m_blockFormatMade = false;
    ParaProps m_blockFormatProps;
    bool m_blockFormatBreak = false;
    QTextBlockFormat m_blockFormat;
    CodePageDecoder m_decoder;
    int m_unsupportedCodePage = 0;
    RtfLeftOut m_leftOut;

    // The font table entry being read.
    int m_entryNumber = -1;
    int m_entryCodePage = 0;
    bool m_entrySymbol = false;
    QByteArray m_entryName;
    // The colour table entry being read.
    int m_rgb[3] = {0, 0, 0};
    bool m_rgbSet = false;
    // Styles by number; the entry being read; \defchp and \defpap.
    std::map<int, Style> m_styles;
    int m_styleNumber = 0;
    Style m_style;
    Style m_defaults;
    CharProps m_defaultChars;
    int m_replaying = 0;
    // Rows as \trowd described them, by table level; the level being described.
    std::vector<RtfRowDef> m_rowDefs = std::vector<RtfRowDef>(kMaxTableLevel + 1);
    int m_rowDefLevel = 1;
    RtfRowDef::Cell m_cellDef;
    bool m_borderPending = false;
    // The picture being read.
    QByteArrayView m_word; // the control word being played
    PictureData m_picture;
    int m_pictures = 0;

    // Body text not yet inserted, all in the formatting m_textProps.
    QString m_text;
    QByteArray m_bytes;
    int m_bytesCodePage = 1252;
    CharProps m_textProps;
    int m_textLevel = 0;
    bool m_pageBreakPending = false; // a \page: the next paragraph starts a page
    bool m_paragraphHasText = false;
    int m_textFont = -1; // of the last text in a font that is not a symbol font
};

} // namespace polyx
