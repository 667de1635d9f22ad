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

// What a file holds that the pane does not show (kept and written back):
// headers, footers, notes, comments.
struct RtfHiddenParts {
    bool header = false;
    bool footer = false;
    int notes = 0;
    int comments = 0;
    bool any() const { return header || footer || notes > 0 || comments > 0; }
};

// Plays RTF tokens into a text cursor: a stack of group states, a table from
// control word to handler (RtfControlWords.cpp), and text gathered until its
// formatting changes. The handlers live by subject: styles (RtfStyles.cpp),
// tables (RtfTables.cpp), pictures (RtfPictures.cpp), the groups kept as
// their source (RtfKeptGroups.cpp), fields and note marks (RtfFields.cpp),
// the rest here.
class RtfInterpreter {
public:
    // Deeper groups share the state of the deepest one kept.
    static constexpr std::size_t kMaxDepth = 1024;
    static constexpr int kMaxTableLevel = 16;

    explicit RtfInterpreter(QTextCursor& cursor) : m_cursor(cursor), m_builder(cursor) {}

    // Inserts at the cursor everything readable up to the end of the outer
    // group or of the input.
    void run(RtfTokenizer& tokens);

    const RtfHiddenParts& hiddenParts() const { return m_hidden; }
    // A code page the text needed and nobody can decode; 0 when none.
    int unsupportedCodePage() const { return m_unsupportedCodePage; }

private:
    struct Arg {
        int param = 0;
        bool hasParam = false;
        int value = 0; // fixed by the handler table
        bool on() const { return !hasParam || param != 0; }
    };
    struct Handler {
        void (RtfInterpreter::*run)(const Arg&);
        int value = 0;
        bool formatting = false; // kept by a style sheet entry, played where the style applies
        int property = -1;       // the character property it sets, as a bit of State::direct
    };
    static const Handler* handlerFor(QByteArrayView word);

    // Bounds the font, colour and style tables of a hostile file.
    static constexpr qsizetype kMaxTableSize = 32768;
    static constexpr std::size_t kMaxStyleWords = 256;
    static constexpr int kMaxStyleChain = 8;
    // 22 inches, the largest length Word accepts.
    static constexpr int kMaxTwips = 31680;

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
    void keepDocumentGroup(const Arg& a);
    void keepTextGroup(const Arg& a);
    void keepSectionWord(const Arg& a);
    void keepTextWord(const Arg& a);
    void field(const Arg& a);
    void fieldInstruction(const Arg& a);
    void fieldResult(const Arg& a);
    void noteMark(const Arg& a);
    void position(const Arg& a);
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
        int field = 0; // the field whose result this is; 0: none
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
    // What a group's source becomes when it closes.
    enum class Keep { None, Document, Text, Field, FieldInstruction, FontTable, ColourTable };
    struct State {
        CharProps chars;
        unsigned direct = 0; // the character properties set since \plain, by bit
        ParaProps para;
        Destination destination = Body;
        int unicodeSkip = 1;
        bool ignorable = false; // after \*
        Keep keep = Keep::None;
        qsizetype start = 0; // the offset of the group's '{'
        int field = 0;       // the field this group belongs to
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
    void groupStart(qsizetype start);
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
    CharProps styleChars(int number);
    void restyle(const CharProps& styled);
    enum class Property { Font, Size, Bold, Italic, Underline, Strike, Hidden, Foreground, Highlight, Shading, Vertical };
    void groupKept(Keep keep, QByteArrayView source);
    bool keepable() const;
    void attachKept(QTextCharFormat& format);
    void attachKept(QTextBlockFormat& format);
    void keepDocumentParts();

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
    RtfHiddenParts m_hidden;
    const RtfTokenizer* m_tokens = nullptr;

    // Kept sources: the document's, and those waiting for the next character.
    QByteArray m_keptDocument;
    QByteArray m_keptFonts;
    QByteArray m_keptColours;
    QByteArray m_keptPending;
    int m_keptPlaces = 0;
    bool m_sectionEnded = false; // past the first \sect: later settings are the next section's
    // Fields by id - 1: the instruction, whether any result text came, and
    // the field whose result holds this one.
    struct Field {
        QByteArray instruction;
        bool shown = false;
        int outer = 0;
    };
    std::vector<Field> m_fields;
    int m_noteMarks = 0;

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
