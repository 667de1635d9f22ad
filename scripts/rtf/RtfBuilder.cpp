#include "scripts/rtf/RtfBuilder.h"

#include "scripts/rtf/RtfFormats.h"

#include <QTextImageFormat>
#include <QTextTable>
#include <algorithm>
#include <map>

namespace polyx {

namespace {

// Beyond this many distinct cell edges a table is laid out cell by cell
// rather than on a grid of its edges.
constexpr std::size_t kMaxGridColumns = RtfBuilder::kMaxColumns;
// A table of more cells than a letter ever has is read as its paragraphs.
constexpr std::size_t kMaxCells = 5000;
constexpr int kDefaultCellWidth = 1440;

} // namespace

struct RtfBuilder::Cell {
    struct Run {
        QString text; // empty for a picture
        QTextCharFormat format;
    };
    struct Item {
        std::vector<Run> runs;
        QTextBlockFormat block;
        QTextCharFormat mark;
        std::unique_ptr<Table> table; // set for a nested table, which has no runs
    };
    std::vector<Item> items;
    bool paragraphOpen = false;

    Item& paragraph()
    {
        if (!paragraphOpen) {
            items.emplace_back();
            paragraphOpen = true;
        }
        return items.back();
    }
};

struct RtfBuilder::Table {
    struct Row {
        std::vector<Cell> cells;
        RtfRowDef def;
    };
    std::vector<Row> rows;
    Row current;
    bool cellOpen = false;

    Cell& cell()
    {
        if (!cellOpen) {
            if (current.cells.size() < kMaxColumns)
                current.cells.emplace_back();
            else
                current.cells.back().paragraphOpen = false;
            cellOpen = true;
        }
        return current.cells.back();
    }
    void endRow(const RtfRowDef& def)
    {
        cellOpen = false;
        current.def = def;
        rows.push_back(std::move(current));
        current = Row{};
    }
    // A table cut short keeps the cells it has.
    void close()
    {
        if (!current.cells.empty())
            endRow(rows.empty() ? RtfRowDef{} : rows.back().def);
    }
};

// Text outside tables waits here while it keeps one format, paragraph
// breaks included, and goes in with one insertion: Qt's cost is per
// insertion. It plays what separate insertions would have done: a new block
// takes the block format of the one before and, for its mark, the format of
// the character before it; blocks that end with other formats get them after.
struct RtfBuilder::Stretch {
    struct Block {
        qsizetype start; // in text, after its separator
        QTextBlockFormat format;
        QTextCharFormat mark;
        bool empty = true;
    };
    QString text;              // paragraphs separated by U+2029
    QTextCharFormat format;    // of all of text, once it has some
    bool hasText = false;
    std::vector<Block> blocks; // [0] is the cursor's block
    QTextCharFormat lastChar;  // of the character before the end
    bool firstChanged = false; // block 0's formats are not the document's

    explicit Stretch(const Seed& seed) : blocks{{0, seed.format, seed.mark, seed.empty}}, lastChar(seed.lastChar) {}

    void newBlock()
    {
        text += QChar::ParagraphSeparator;
        blocks.push_back({text.size(), blocks.back().format, lastChar, true});
    }
    void append(const QString& t)
    {
        text += t;
        lastChar = format;
        blocks.back().empty = false;
    }
    void setFormats(const QTextBlockFormat& blockFormat, const QTextCharFormat& mark)
    {
        Block& b = blocks.back();
        if (blocks.size() == 1 && (b.format != blockFormat || b.mark != mark))
            firstChanged = true;
        b.format = blockFormat;
        b.mark = mark;
        // An empty block's mark is the character before what follows it.
        if (b.empty)
            lastChar = mark;
    }
};

RtfBuilder::RtfBuilder(QTextCursor& cursor) : m_cursor(cursor) {}
RtfBuilder::~RtfBuilder() = default;

RtfBuilder::Cell& RtfBuilder::cell(int level)
{
    openTo(level);
    return m_open.back()->cell();
}

void RtfBuilder::openTo(int level)
{
    closeTo(level);
    while (int(m_open.size()) < level) {
        if (m_open.empty()) {
            m_table = std::make_unique<Table>();
            m_open.push_back(m_table.get());
        } else {
            Cell& parent = m_open.back()->cell();
            parent.paragraphOpen = false;
            parent.items.emplace_back();
            parent.items.back().table = std::make_unique<Table>();
            m_open.push_back(parent.items.back().table.get());
        }
    }
}

void RtfBuilder::closeTo(int level)
{
    while (int(m_open.size()) > level) {
        m_open.back()->close();
        m_open.pop_back();
        if (m_open.empty()) {
            flushStretch();
            m_seed.reset();
            // The \par before the table ended its paragraph; the table follows that block.
            if (insertTable(m_cursor, *m_table)) {
                m_breakPending = false;
                m_afterTable = true;
            }
            m_table.reset();
        }
    }
}

RtfBuilder::Stretch& RtfBuilder::stretch()
{
    if (!m_stretch) {
        if (!m_seed) {
            QTextCharFormat before = m_cursor.charFormat();
            before.clearProperty(QTextFormat::ObjectType);
            m_seed = Seed{m_cursor.blockFormat(), m_cursor.blockCharFormat(), m_cursor.atBlockStart(), before};
        }
        m_stretch = std::make_unique<Stretch>(*m_seed);
    }
    return *m_stretch;
}

void RtfBuilder::flushStretch()
{
    const std::unique_ptr<Stretch> s = std::move(m_stretch);
    if (!s)
        return;
    // The insertion gives each new block the first one's format, and the
    // text's for mark: the first gets its own before, so that most need nothing.
    const Stretch::Block& first = s->blocks.front();
    if (s->firstChanged) {
        m_cursor.setBlockFormat(first.format);
        m_cursor.setBlockCharFormat(first.mark);
    }
    if (!s->text.isEmpty()) {
        const QTextCharFormat inserted = s->hasText ? s->format : s->blocks[1].mark;
        const int start = m_cursor.position();
        m_cursor.insertText(s->text, inserted);
        const int end = m_cursor.position();
        bool moved = false;
        for (std::size_t i = 1; i < s->blocks.size(); ++i) {
            const Stretch::Block& b = s->blocks[i];
            const bool format = b.format != first.format;
            const bool mark = b.mark != inserted;
            if (!format && !mark)
                continue;
            m_cursor.setPosition(start + int(b.start));
            moved = true;
            if (format)
                m_cursor.setBlockFormat(b.format);
            if (mark)
                m_cursor.setBlockCharFormat(b.mark);
        }
        if (moved)
            m_cursor.setPosition(end);
    }
    // What the document now has, known without asking it.
    const Stretch::Block& last = s->blocks.back();
    m_seed = Seed{last.format, last.mark, last.empty, s->lastChar};
}

void RtfBuilder::startBlockIfPending()
{
    if (m_breakPending) {
        stretch().newBlock();
        m_breakPending = false;
    }
    m_afterTable = false;
}

void RtfBuilder::text(const QString& text, const QTextCharFormat& format, int level)
{
    if (level > 0) {
        cell(level).paragraph().runs.push_back({text, format});
        return;
    }
    closeTo(0);
    startBlockIfPending();
    if (text.isEmpty() && format.isImageFormat()) {
        flushStretch();
        m_cursor.insertImage(format.toImageFormat());
        m_seed.reset();
        return;
    }
    if (m_stretch && m_stretch->hasText && !(m_stretch->format == format))
        flushStretch();
    Stretch& s = stretch();
    if (!s.hasText) {
        s.format = format;
        s.hasText = true;
    }
    s.append(text);
}

void RtfBuilder::endParagraph(const QTextBlockFormat& block, const QTextCharFormat& mark)
{
    stretch().setFormats(block, mark);
}

void RtfBuilder::paragraphEnd(const QTextBlockFormat& block, const QTextCharFormat& mark, int level)
{
    if (level > 0) {
        Cell& c = cell(level);
        Cell::Item& p = c.paragraph();
        p.block = block;
        p.mark = mark;
        c.paragraphOpen = false;
        return;
    }
    closeTo(0);
    startBlockIfPending();
    endParagraph(block, mark);
    m_breakPending = true;
}

void RtfBuilder::cellEnd(const QTextBlockFormat& block, const QTextCharFormat& mark, int level)
{
    level = std::max(level, 1);
    paragraphEnd(block, mark, level);
    m_open.back()->cellOpen = false;
}

void RtfBuilder::rowEnd(const RtfRowDef& row, int level)
{
    level = std::max(level, 1);
    if (int(m_open.size()) < level)
        return; // a row with no cell
    closeTo(level);
    m_open.back()->endRow(row);
}

void RtfBuilder::finish(const QTextBlockFormat& block, const QTextCharFormat& mark)
{
    closeTo(0);
    if (!m_breakPending && !m_afterTable)
        endParagraph(block, mark);
    flushStretch();
}

namespace {

struct Placed {
    int row = 0;
    int column = 0;
    int rows = 1;
    int columns = 1;
};

} // namespace

bool RtfBuilder::insertTable(QTextCursor& cursor, Table& table)
{
    if (table.rows.empty())
        return false;

    // Each cell's left and right edges; rows may cut the width differently,
    // so the columns are the distinct edges of all rows.
    std::vector<std::vector<std::pair<int, int>>> edges(table.rows.size());
    std::vector<int> grid;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const Table::Row& row = table.rows[r];
        int left = row.def.left;
        grid.push_back(left);
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            int right = c < row.def.cells.size() ? row.def.cells[c].right : left + kDefaultCellWidth;
            right = std::max(right, left + 1);
            edges[r].emplace_back(left, right);
            grid.push_back(right);
            left = right;
        }
    }
    std::sort(grid.begin(), grid.end());
    grid.erase(std::unique(grid.begin(), grid.end()), grid.end());
    const bool onGrid = grid.size() <= kMaxGridColumns + 1;
    std::size_t columns = 1;
    if (onGrid) {
        columns = std::max<std::size_t>(grid.size() - 1, 1);
    } else {
        for (const Table::Row& row : table.rows)
            columns = std::max(columns, row.cells.size());
    }
    const auto columnOf = [&](int edge) {
        return int(std::lower_bound(grid.begin(), grid.end(), edge) - grid.begin());
    };

    // Where each cell goes; merged cells join the one they continue.
    std::map<std::pair<int, int>, Placed> placed; // by first row and column
    std::map<std::pair<int, int>, Cell*> contents;
    std::vector<std::vector<const Placed*>> owner(table.rows.size(), std::vector<const Placed*>(columns));
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        Table::Row& row = table.rows[r];
        Placed* previous = nullptr;
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            int first = onGrid ? columnOf(edges[r][c].first) : int(c);
            int last = onGrid ? columnOf(edges[r][c].second) - 1 : int(c);
            first = std::clamp(first, 0, int(columns) - 1);
            last = std::clamp(last, first, int(columns) - 1);
            const RtfRowDef::Cell def = c < row.def.cells.size() ? row.def.cells[c] : RtfRowDef::Cell{};
            if (def.merged && previous) {
                // A cell merged down already spans its columns.
                if (previous->row == int(r))
                    previous->columns = std::max(previous->columns, last - previous->column + 1);
                for (int k = first; k <= last; ++k)
                    owner[r][k] = previous;
                continue;
            }
            Placed* above = r > 0 ? const_cast<Placed*>(owner[r - 1][first]) : nullptr;
            if (def.mergedDown && above && above->column == first) {
                above->rows = int(r) - above->row + 1;
                for (int k = first; k < first + above->columns && k < int(columns); ++k)
                    owner[r][k] = above;
                previous = above;
                continue;
            }
            Placed& p = placed[{int(r), first}];
            p = Placed{int(r), first, 1, last - first + 1};
            contents[{int(r), first}] = &row.cells[c];
            for (int k = first; k <= last; ++k)
                owner[r][k] = &p;
            previous = &p;
        }
    }

    QTextTableFormat format;
    bool bordered = false;
    for (const Table::Row& row : table.rows)
        bordered = bordered || row.def.bordered;
    format.setBorder(bordered ? 1 : 0);
    format.setBorderStyle(bordered ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None);
    format.setBorderBrush(QColor(Qt::black));
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(4);
    if (onGrid && grid.size() > 1) {
        QList<QTextLength> widths;
        for (std::size_t c = 0; c + 1 < grid.size(); ++c)
            widths.append(QTextLength(QTextLength::FixedLength, (grid[c + 1] - grid[c]) / rtf::kTwipsPerPixel));
        format.setColumnWidthConstraints(widths);
    }

    if (table.rows.size() * columns > kMaxCells) {
        for (Table::Row& row : table.rows)
            for (Cell& cell : row.cells) {
                cursor.insertBlock();
                insertItems(cursor, cell);
            }
        return false;
    }

    QTextTable* qt = cursor.insertTable(int(table.rows.size()), int(columns), format);
    for (const auto& [at, p] : placed)
        if (p.rows > 1 || p.columns > 1)
            qt->mergeCells(p.row, p.column, p.rows, p.columns);
    for (auto& [at, cell] : contents) {
        QTextCursor c = qt->cellAt(at.first, at.second).firstCursorPosition();
        insertItems(c, *cell);
    }
    cursor.setPosition(qt->lastPosition() + 1);
    return true;
}

// A cell's paragraphs and nested tables, from the cursor's empty block on.
void RtfBuilder::insertItems(QTextCursor& c, Cell& cell)
{
    bool first = true;
    bool afterTable = false;
    for (Cell::Item& item : cell.items) {
        if (item.table) {
            afterTable = insertTable(c, *item.table) || afterTable;
            first = false;
            continue;
        }
        if (!first && !afterTable)
            c.insertBlock();
        first = afterTable = false;
        for (const Cell::Run& run : item.runs) {
            if (run.text.isEmpty() && run.format.isImageFormat())
                c.insertImage(run.format.toImageFormat());
            else
                c.insertText(run.text, run.format);
        }
        c.setBlockFormat(item.block);
        // The first block's mark is the cell's own format, which holds its spans.
        c.mergeBlockCharFormat(item.mark);
    }
}

} // namespace polyx
