#pragma once
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <memory>
#include <optional>
#include <vector>

class QTextTable;

namespace polyx {

// A row as \trowd and its \cellx describe it (lengths in twips).
struct RtfRowDef {
    struct Cell {
        int right = 0;
        bool mergeFirst = false; // \clmgf
        bool merged = false;     // \clmrg
        bool mergeTop = false;   // \clvmgf
        bool mergedDown = false; // \clvmrg
    };
    int left = 0;
    std::vector<Cell> cells;
    bool bordered = false;
};

// Puts what the interpreter reads into the document. Paragraphs outside
// tables go straight to the cursor; a table is gathered whole (cells come
// before the row that sizes them) and goes in when it ends. Level 0 is
// outside tables, 1 a table, 2 a table nested in its cell, and so on.
class RtfBuilder {
public:
    // Cells a row may have; later ones join the last.
    static constexpr std::size_t kMaxColumns = 64;

    explicit RtfBuilder(QTextCursor& cursor);
    ~RtfBuilder();

    void text(const QString& text, const QTextCharFormat& format, int level);
    void paragraphEnd(const QTextBlockFormat& block, const QTextCharFormat& mark, int level);
    void cellEnd(const QTextBlockFormat& block, const QTextCharFormat& mark, int level);
    void rowEnd(const RtfRowDef& row, int level);
    // The last paragraph, which no \par ended.
    void finish(const QTextBlockFormat& block, const QTextCharFormat& mark);

    struct Table;

private:
    struct Cell;
    struct Stretch;
    // The cursor's block and the character before the cursor, as the last
    // stretch left them.
    struct Seed {
        QTextBlockFormat format;
        QTextCharFormat mark;
        bool empty = true;
        QTextCharFormat lastChar;
    };
    Stretch& stretch();
    void flushStretch();
    void endParagraph(const QTextBlockFormat& block, const QTextCharFormat& mark);
    Cell& cell(int level);
    void openTo(int level);
    void closeTo(int level);
    void startBlockIfPending();
    bool insertTable(QTextCursor& cursor, Table& table);
    void insertItems(QTextCursor& cursor, Cell& cell);

    QTextCursor& m_cursor;
    std::unique_ptr<Table> m_table;   // the level-1 table being gathered
    std::vector<Table*> m_open;       // [0] is m_table, then nested ones
    bool m_breakPending = false;      // a \par not yet followed by anything
    bool m_afterTable = false;        // the cursor is in the block Qt put after a table
    std::unique_ptr<Stretch> m_stretch; // text outside tables not yet in the document
    std::optional<Seed> m_seed;         // unknown after a table or a picture
};

} // namespace polyx
