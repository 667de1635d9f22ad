#pragma once
#include "scripts/rtf/CodePages.h"
#include "scripts/rtf/RtfTokenizer.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QTextCharFormat>
#include <QTextCursor>
#include <vector>

namespace polyx {

// Plays RTF tokens into a text cursor: a stack of group states, a table from
// control word to handler, and text gathered until its formatting changes.
class RtfInterpreter {
public:
    // Deeper groups share the state of the deepest one kept.
    static constexpr std::size_t kMaxDepth = 1024;

    explicit RtfInterpreter(QTextCursor& cursor) : m_cursor(cursor) {}

    // Inserts at the cursor everything readable up to the end of the outer
    // group or of the input.
    void run(RtfTokenizer& tokens);

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
    void paragraphDefaults(const Arg& a);
    void alignment(const Arg& a);
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

    enum Destination { Body, FontTable, ColourTable, Skip };
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
    struct State {
        CharProps chars;
        int alignment = 0; // 0: not set
        Destination destination = Body;
        int unicodeSkip = 1;
        bool ignorable = false; // after \*
    };
    struct Font {
        QString family;
        int codePage = 0; // 0: the document's
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
    void startBlockIfPending();
    void finishBlock();
    void finish();

    int codePageOf(int fontNumber) const;
    QTextCharFormat format(const CharProps& p) const;
    QColor colour(int index) const;
    void commitFont();
    void commitColour();

    QTextCursor& m_cursor;
    std::vector<State> m_states{State{}}; // [0] lies outside every group, [1] is the document's
    std::size_t m_overflow = 0; // groups open beyond kMaxDepth
    int m_fallbackLeft = 0; // of the \uc count after a \u

    int m_documentCodePage = 1252;
    int m_defaultFont = -1;
    QHash<int, Font> m_fonts;
    QList<QColor> m_colours;
    CodePageDecoder m_decoder;

    // The font table entry being read.
    int m_entryNumber = -1;
    int m_entryCodePage = 0;
    QByteArray m_entryName;
    // The colour table entry being read.
    int m_rgb[3] = {0, 0, 0};
    bool m_rgbSet = false;

    // Body text not yet inserted, all in the formatting m_textProps.
    QString m_text;
    QByteArray m_bytes;
    int m_bytesCodePage = 1252;
    CharProps m_textProps;
    bool m_breakPending = false; // a \par not yet followed by anything
};

} // namespace polyx
