#include "scripts/rtf/RtfWriter.h"

#include "dictionaries/Windows1252.h"
#include "scripts/rtf/RtfFormats.h"
#include "scripts/rtf/RtfTokenizer.h"

#include <QBuffer>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <array>
#include <cstring>
#include <optional>
#include <set>
#include <utility>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace polyx {

namespace {

QByteArray number(int n) { return QByteArray::number(n); }

// The RTF being written: QByteArray's own appends check their room and
// sharing at every call, and a letter is made of tens of thousands of them.
class Sink {
public:
    explicit Sink(qsizetype expected) : m_data(expected, Qt::Uninitialized), m_at(m_data.data()), m_end(m_at + expected) {}

    Sink& operator+=(char c)
    {
        room(1);
        *m_at++ = c;
        return *this;
    }
    Sink& operator+=(QByteArrayView bytes)
    {
        room(bytes.size());
        std::memcpy(m_at, bytes.data(), std::size_t(bytes.size()));
        m_at += bytes.size();
        return *this;
    }
    Sink& operator+=(const char* text) { return *this += QByteArrayView(text); }
    Sink& operator+=(const QByteArray& bytes) { return *this += QByteArrayView(bytes); }

    qsizetype size() const { return m_at - m_data.constData(); }
    void truncate(qsizetype size) { m_at = m_data.data() + size; }
    // Room for n more bytes, written through the pointer and then kept with advance().
    char* room(qsizetype n)
    {
        if (m_end - m_at < n) {
            const qsizetype used = size();
            m_data.resize(std::max(m_data.size() * 2, used + n));
            m_at = m_data.data() + used;
            m_end = m_data.data() + m_data.size();
        }
        return m_at;
    }
    void advance(qsizetype n) { m_at += n; }
    QByteArray take()
    {
        m_data.truncate(size());
        return std::move(m_data);
    }

private:
    QByteArray m_data;
    char* m_at;
    char* m_end;
};

// Unicode only: the text of a document whose kept parts are in another code page than 1252.
void escapeInto(QStringView text, Sink& out, bool unicodeOnly = false);

// The fonts and colours met while writing the body; the tables go before
// it. A document with kept parts keeps the entries they refer to, as read,
// and the writer's own come after them.
class Tables {
public:
    explicit Tables(const QTextFrameFormat& root)
        : m_keptFonts(root.property(rtf::kKeptFonts).toByteArray()),
          m_keptColours(root.property(rtf::kKeptColours).toByteArray()),
          m_firstFont(m_keptFonts.isEmpty() ? 0 : std::max(root.intProperty(rtf::kFirstOwnFont), 0)),
          m_firstColour(m_keptColours.isEmpty() ? 1 : std::max(root.intProperty(rtf::kFirstOwnColour), 1))
    {
        if (!m_keptFonts.isEmpty())
            findKeptEntries();
    }

    int font(const QString& family)
    {
        const auto it = m_fontIndex.constFind(family);
        if (it != m_fontIndex.cend())
            return *it;
        m_fonts.append(family);
        return m_fontIndex[family] = m_firstFont + int(m_fonts.size() - 1);
    }

    // Index 0 is left to the automatic colour.
    int colour(const QColor& c)
    {
        const QRgb rgb = c.rgb();
        const auto it = m_colourIndex.constFind(rgb);
        if (it != m_colourIndex.cend())
            return *it;
        m_colours.append(rgb);
        return m_colourIndex[rgb] = m_firstColour + int(m_colours.size() - 1);
    }

    QByteArray fontTable() const
    {
        QByteArray out = "{\\fonttbl" + m_keptFonts;
        for (qsizetype i = 0; i < m_fonts.size(); ++i) {
            // A semicolon would end the name early.
            const QByteArray name = RtfWriter::escape(m_fonts[i]).replace(";", "\\'3b");
            out += "{\\f" + number(m_firstFont + int(i)) + "\\fnil\\fcharset0 " + name + ";}";
        }
        return out + "}";
    }

    QByteArray colourTable() const
    {
        QByteArray out = m_keptColours.isEmpty() ? QByteArray("{\\colortbl ;") : "{\\colortbl " + m_keptColours;
        // A kept table whose last entry has no semicolon still ends before the writer's.
        for (qsizetype i = m_keptColours.count(';'); !m_keptColours.isEmpty() && i < m_firstColour; ++i)
            out += ';';
        for (const QRgb rgb : m_colours)
            out += "\\red" + number(qRed(rgb)) + "\\green" + number(qGreen(rgb)) + "\\blue"
                + number(qBlue(rgb)) + ";";
        return out + "}";
    }

private:
    // The kept entries the body can use as its own: fonts in no particular
    // code page, and every colour. A letter read again and written again
    // then keeps the same tables.
    void findKeptEntries()
    {
        RtfTokenizer fonts(m_keptFonts);
        int depth = 0, number = -1;
        bool plain = true;
        QByteArray name;
        for (RtfToken t = fonts.next(); t.kind != RtfToken::End; t = fonts.next()) {
            if (t.kind == RtfToken::GroupStart && ++depth == 1) {
                number = -1;
                plain = true;
                name.clear();
            } else if (t.kind == RtfToken::GroupEnd && --depth == 0) {
                name = name.trimmed();
                if (name.endsWith(';'))
                    name.chop(1);
                if (number >= 0 && plain && !name.isEmpty() && !m_fontIndex.contains(QString::fromLatin1(name)))
                    m_fontIndex.insert(QString::fromLatin1(name), number);
            } else if (depth == 1 && t.kind == RtfToken::ControlWord) {
                if (t.data == "f")
                    number = t.param;
                else if ((t.data == "fcharset" && t.param != 0 && t.param != 1) || t.data == "cpg")
                    plain = false;
            } else if (depth == 1 && t.kind == RtfToken::Text) {
                name += t.data;
            } else if (depth == 1 && (t.kind == RtfToken::Byte || t.kind == RtfToken::ControlSymbol)) {
                plain = false;
            }
        }
        RtfTokenizer colours(m_keptColours);
        int index = 0, rgb[3] = {0, 0, 0};
        bool set = false;
        for (RtfToken t = colours.next(); t.kind != RtfToken::End; t = colours.next()) {
            if (t.kind == RtfToken::ControlWord) {
                const int part = t.data == "red" ? 0 : t.data == "green" ? 1 : t.data == "blue" ? 2 : -1;
                if (part >= 0) {
                    rgb[part] = std::clamp(t.param, 0, 255);
                    set = true;
                }
            } else if (t.kind == RtfToken::Text) {
                for (const char c : t.data) {
                    if (c != ';')
                        continue;
                    const QRgb value = qRgb(rgb[0], rgb[1], rgb[2]);
                    if (set && index > 0 && !m_colourIndex.contains(value))
                        m_colourIndex.insert(value, index);
                    ++index;
                    rgb[0] = rgb[1] = rgb[2] = 0;
                    set = false;
                }
            }
        }
    }


    const QByteArray m_keptFonts;
    const QByteArray m_keptColours;
    const int m_firstFont;
    const int m_firstColour;
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QRgb> m_colours;
    QHash<QRgb, int> m_colourIndex;
};

int halfPoints(const QFont& font)
{
    double points = font.pointSizeF();
    if (points <= 0 && font.pixelSize() > 0)
        points = font.pixelSize() * 0.75;
    if (points <= 0)
        points = 12;
    return qBound(1, qRound(points * 2), 3276);
}

QByteArray fontAndSize(const QFont& font, Tables& tables)
{
    return "\\f" + number(tables.font(font.family())) + "\\fs" + number(halfPoints(font));
}

QByteArray alignment(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return "\\qc";
    if (a & Qt::AlignJustify)
        return "\\qj";
    if (a & Qt::AlignRight)
        return "\\qr";
    return "\\ql";
}

QByteArray runControls(const QTextCharFormat& format, const QFont& base, Tables& tables)
{
    const QFont font = format.font().resolve(base);
    QByteArray out = fontAndSize(font, tables);
    if (font.bold())
        out += "\\b";
    if (font.italic())
        out += "\\i";
    // Dotted and wavy underlines count as underlined too.
    const bool underlined = format.hasProperty(QTextFormat::TextUnderlineStyle)
        ? format.underlineStyle() != QTextCharFormat::NoUnderline
        : font.underline();
    if (underlined)
        out += "\\ul";
    if (font.strikeOut())
        out += "\\strike";
    // Hidden text is greyed in the pane only.
    const bool hidden = format.boolProperty(rtf::kHidden);
    if (hidden)
        out += "\\v";
    if (!hidden && format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
        out += "\\cf" + number(tables.colour(format.foreground().color()));
    if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush) {
        // Word and LibreOffice take the shading, WordPad the highlight.
        const QByteArray index = number(tables.colour(format.background().color()));
        out += "\\chcbpat" + index + "\\highlight" + index;
    }
    switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript: out += "\\super"; break;
    case QTextCharFormat::AlignSubScript: out += "\\sub"; break;
    default: break;
    }
    return out;
}

int twips(qreal pixels) { return qBound(-31680, qRound(pixels * rtf::kTwipsPerPixel), 31680); }

QByteArray paragraphControls(const QTextBlockFormat& b)
{
    QByteArray out = alignment(b.alignment());
    const auto length = [&](const char* word, qreal pixels) {
        if (const int t = twips(pixels))
            out += word + number(t);
    };
    length("\\li", b.leftMargin());
    length("\\ri", b.rightMargin());
    length("\\fi", b.textIndent());
    length("\\sb", b.topMargin());
    length("\\sa", b.bottomMargin());
    switch (b.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (const int sl = qRound(b.lineHeight() * 240 / 100); sl > 0 && sl != 240)
            out += "\\sl" + number(sl) + "\\slmult1";
        break;
    case QTextBlockFormat::MinimumHeight:
        if (const int t = twips(b.lineHeight()); t > 0)
            out += "\\sl" + number(t) + "\\slmult0";
        break;
    case QTextBlockFormat::FixedHeight:
        if (const int t = twips(b.lineHeight()); t > 0)
            out += "\\sl-" + number(t) + "\\slmult0";
        break;
    default: break;
    }
    for (const QTextOption::Tab& tab : b.tabPositions())
        if (const int t = twips(tab.position); t > 0)
            out += "\\tx" + number(t);
    if (b.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        out += "\\pagebb";
    return out;
}

QByteArray hexLines(const QByteArray& data)
{
    const QByteArray hex = data.toHex();
    QByteArray out;
    out.reserve(hex.size() + hex.size() / 64 + 2);
    for (qsizetype i = 0; i < hex.size(); i += 128)
        out += "\r\n" + hex.mid(i, 128);
    return out;
}

// A picture as it was read (its bytes and kind), or else the image the
// document shows, as PNG.
QByteArray picture(const QTextDocument& document, const QTextImageFormat& f)
{
    const QUrl name(f.name());
    QByteArray kind = f.property(rtf::kPictureKind).toByteArray();
    QByteArray data = document.resource(QTextDocument::UserResource, rtf::pictureBytesName(f.name())).toByteArray();
    int width = f.intProperty(rtf::kPictureWidth);
    int height = f.intProperty(rtf::kPictureHeight);
    if (kind.isEmpty() || data.isEmpty()) {
        const QVariant shown = document.resource(QTextDocument::ImageResource, name);
        QImage image = shown.userType() == QMetaType::QPixmap ? shown.value<QPixmap>().toImage()
                                                              : shown.value<QImage>();
        if (image.isNull() && shown.userType() == QMetaType::QByteArray)
            image.loadFromData(shown.toByteArray());
        if (image.isNull())
            return {};
        // Saving a pane writes its logo again and again: encode it once.
        static thread_local std::pair<qint64, QByteArray> lastEncoded;
        if (lastEncoded.first != image.cacheKey() || lastEncoded.second.isEmpty()) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            lastEncoded = {image.cacheKey(), png};
        }
        data = lastEncoded.second;
        kind = "pngblip";
        width = image.width();
        height = image.height();
    }
    QByteArray out = "{\\pict\\" + kind + "\\picw" + number(width) + "\\pich" + number(height);
    if (f.width() > 0)
        out += "\\picwgoal" + number(twips(f.width()));
    if (f.height() > 0)
        out += "\\pichgoal" + number(twips(f.height()));
    return out + hexLines(data) + "\r\n}";
}

// What a character format adds to the run's controls: a kept group before
// it, the field whose result it is.
struct RunExtras {
    int keptId = 0;
    QByteArray kept;
    int fieldId = 0;
    QByteArray instruction;
    bool noteMark = false;
};

RunExtras extrasOf(const QTextCharFormat& format)
{
    RunExtras extras;
    if (format.hasProperty(rtf::kKeptBefore)) {
        extras.keptId = format.intProperty(rtf::kKeptId);
        extras.kept = format.property(rtf::kKeptBefore).toByteArray();
    }
    if (format.hasProperty(rtf::kFieldInstruction)) {
        extras.instruction = format.property(rtf::kFieldInstruction).toByteArray();
        extras.fieldId = extras.instruction.isEmpty() ? 0 : format.intProperty(rtf::kFieldId);
    }
    extras.noteMark = format.boolProperty(rtf::kNoteMark);
    return extras;
}

class Body {
public:
    Body(const QTextDocument& document, Tables& tables, bool unicodeOnly)
        : m_document(document), m_base(document.defaultFont()), m_tables(tables),
          m_text(document.toRawText()), m_unicodeOnly(unicodeOnly)
    {
    }

    QByteArray write()
    {
        frame(m_document.rootFrame());
        return m_out.take();
    }

private:
    // Frames other than tables hold paragraphs like the document's own.
    // Blocks are walked one after the other, each child frame written whole
    // where it starts: the frame iterator looks up frames at every step.
    void frame(const QTextFrame* frame)
    {
        const QList<QTextFrame*> children = frame->childFrames();
        qsizetype nextChild = 0;
        int position = frame->firstPosition();
        const int end = frame->lastPosition();
        QTextBlock b = m_document.findBlock(position);
        while (b.isValid() && position <= end) {
            if (nextChild < children.size() && children[nextChild]->firstPosition() == position) {
                const QTextFrame* child = children[nextChild++];
                m_nextPosition = -1;
                if (const auto* table = qobject_cast<const QTextTable*>(child))
                    this->table(table, 1);
                else
                    this->frame(child);
                position = child->lastPosition() + 1;
                b = m_document.findBlock(position);
                continue;
            }
            m_nextPosition = position;
            block(b, 0, "\\par");
            position += b.length();
            b = b.next();
        }
        m_nextPosition = -1;
    }

    void block(const QTextBlock& block, int level, const char* end)
    {
        m_out += "\\pard";
        if (level > 0)
            m_out += "\\intbl";
        if (level > 1)
            m_out += "\\itap" + number(level);
        const QByteArray& paragraph = cached(m_paragraphs, block.blockFormatIndex(), [&] {
            const QTextBlockFormat format = block.blockFormat();
            // A kept group at the paragraph's end comes after a marker the controls never hold.
            QByteArray controls = paragraphControls(format);
            if (format.hasProperty(rtf::kKeptAtEnd))
                controls += '\0' + number(format.intProperty(rtf::kKeptEndId)) + '\0'
                    + format.property(rtf::kKeptAtEnd).toByteArray();
            return controls;
        });
        const qsizetype keptAt = paragraph.indexOf('\0');
        m_out += keptAt < 0 ? QByteArrayView(paragraph) : QByteArrayView(paragraph).first(keptAt);
        // The paragraph mark's own font keeps the height of empty lines.
        m_out += cached(m_marks, block.charFormatIndex(),
                        [&] { return fontAndSize(block.charFormat().font().resolve(m_base), m_tables); });
        // A block's fragments follow each other from its start, and the next
        // block, when no frame stands between, from its end: asking the
        // document for a position walks its tree.
        int position = m_nextPosition >= 0 ? m_nextPosition : block.position();
        m_nextPosition = position + block.length();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const int length = fragment.length();
            const int start = std::exchange(position, position + length);
            const QByteArray& controls = cached(m_runs, fragment.charFormatIndex(), [&] {
                const QTextCharFormat format = fragment.charFormat();
                if (fragment.charFormatIndex() >= 0
                    && (format.hasProperty(rtf::kKeptBefore) || format.hasProperty(rtf::kFieldInstruction)
                        || format.hasProperty(rtf::kNoteMark))) {
                    const auto index = std::size_t(fragment.charFormatIndex());
                    if (index >= m_extras.size())
                        m_extras.resize(index + 1);
                    m_extras[index] = extrasOf(format);
                }
                // A picture's entry is empty: pictures are told by that.
                return format.isImageFormat() ? QByteArray() : runControls(format, m_base, m_tables);
            });
            const auto index = std::size_t(fragment.charFormatIndex());
            bool noteMark = false;
            if (index < m_extras.size()) {
                const RunExtras& extras = m_extras[index];
                noteMark = extras.noteMark;
                if (extras.fieldId != m_openField)
                    closeField();
                if (extras.fieldId != 0 && extras.fieldId != m_openField && m_written.insert(-extras.fieldId).second) {
                    m_out += "{\\field";
                    m_out += extras.instruction;
                    m_out += "{\\fldrslt ";
                    m_openField = extras.fieldId;
                }
                if (extras.keptId != 0 && m_written.insert(extras.keptId).second)
                    m_out += extras.kept;
            } else {
                closeField();
            }
            if (controls.isEmpty()) {
                const QByteArray pict = picture(m_document, fragment.charFormat().toImageFormat());
                for (int i = 0; i < length; ++i)
                    m_out += pict;
                continue;
            }
            // Text nothing of which is written leaves no empty group behind.
            const qsizetype before = m_out.size();
            m_out += '{';
            m_out += controls;
            m_out += ' ';
            const qsizetype textStart = m_out.size();
            QStringView text = QStringView(m_text).sliced(start, length);
            if (noteMark) {
                // Word numbers the note again; what was typed after the number stays.
                m_out += "\\chftn ";
                while (!text.isEmpty() && text.front().isDigit())
                    text = text.sliced(1);
            }
            escapeInto(text, m_out, m_unicodeOnly);
            if (m_out.size() == textStart)
                m_out.truncate(before);
            else
                m_out += '}';
        }
        closeField();
        if (keptAt >= 0) {
            const qsizetype idEnd = paragraph.indexOf('\0', keptAt + 1);
            if (m_written.insert(paragraph.mid(keptAt + 1, idEnd - keptAt - 1).toInt() + kBlockIds).second)
                m_out += QByteArrayView(paragraph).sliced(idEnd + 1);
        }
        m_out += end;
        m_out += "\r\n";
    }

    // A field's result ends where the next run is not of it, and at its paragraph's end.
    void closeField()
    {
        if (m_openField != 0)
            m_out += "}}";
        m_openField = 0;
    }

    // Rows as Word writes them: the row's description, its cells, the row
    // mark; nested rows put their description after their cells, with Word's
    // fallback for older readers.
    void table(const QTextTable* table, int level)
    {
        const int columns = table->columns();
        const QList<QTextLength> constraints = table->format().columnWidthConstraints();
        std::vector<int> edges{0};
        for (int c = 0; c < columns; ++c) {
            const bool fixed = c < constraints.size() && constraints[c].type() == QTextLength::FixedLength;
            const int width = fixed ? std::max(twips(constraints[c].rawValue()), 1) : 9638 / columns;
            edges.push_back(edges.back() + width);
        }
        const bool bordered = table->format().border() > 0
            && table->format().borderStyle() != QTextFrameFormat::BorderStyle_None;
        // Without nested tables, cells follow each other block by block, the
        // last block of each ending with a frame mark; walking them so spares
        // the look-ups of a cell's own blocks.
        const bool flat = table->childFrames().isEmpty();
        QTextBlock next = flat ? m_document.findBlock(table->firstPosition()) : QTextBlock();
        int nextPosition = flat ? table->firstPosition() : -1;
        for (int r = 0; r < table->rows(); ++r) {
            // One cell per column, merged ones marked, so that the columns stay.
            QByteArray def = "\\trowd\\trgaph70\\trleft0";
            std::vector<QTextTableCell> cells;
            for (int c = 0; c < columns; ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                // Asking a cell where it stands looks it up in the table again:
                // only a merged cell can stand elsewhere.
                const std::pair<int, int> spans = cellSpans(cell);
                const bool merged = spans.first > 1 || spans.second > 1;
                const int row = merged ? cell.row() : r;
                const int column = merged ? cell.column() : c;
                if (row != r)
                    def += "\\clvmrg";
                else if (spans.first > 1)
                    def += "\\clvmgf";
                if (spans.second > 1)
                    def += column == c ? "\\clmgf" : "\\clmrg";
                if (bordered)
                    def += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                           "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
                def += "\\cellx" + number(edges[std::size_t(c) + 1]);
                cells.push_back(row == r && column == c ? cell : QTextTableCell());
            }
            if (level == 1)
                m_out += def + "\r\n";
            const char* cellEnd = level == 1 ? "\\cell" : "\\nestcell";
            for (const QTextTableCell& cell : cells) {
                if (!cell.isValid()) {
                    m_out += "\\pard\\intbl" + (level > 1 ? "\\itap" + number(level) : QByteArray()) + cellEnd + "\r\n";
                    continue;
                }
                if (flat) {
                    // The cell's blocks: up to the next frame mark.
                    do {
                        const QTextBlock b = next;
                        const int position = nextPosition;
                        next = b.next();
                        nextPosition = position + b.length();
                        const bool last = !next.isValid() || endsCell(nextPosition - 1);
                        m_nextPosition = position;
                        block(b, level, last ? cellEnd : "\\par");
                        if (last)
                            break;
                    } while (true);
                    continue;
                }
                for (auto it = cell.begin(); !it.atEnd();) {
                    const QTextFrame* inner = it.currentFrame();
                    const QTextBlock b = it.currentBlock();
                    ++it;
                    m_nextPosition = -1;
                    if (const auto* nested = qobject_cast<const QTextTable*>(inner))
                        this->table(nested, level + 1);
                    else if (b.isValid())
                        block(b, level, it.atEnd() ? cellEnd : "\\par");
                }
            }
            if (level == 1)
                m_out += "\\row\r\n";
            else
                m_out += "{\\*\\nesttableprops" + def + "\\nestrow}{\\nonesttables\\par}\r\n";
        }
    }

    // A cell's last block ends with the mark that opens the next cell or closes the table.
    bool endsCell(int position) const
    {
        const QChar c = position >= 0 && position < m_text.size() ? m_text[position] : QChar();
        return c == QChar(0xFDD0) || c == QChar(0xFDD1);
    }

    // Rows and columns a cell spans, by its format.
    std::pair<int, int> cellSpans(const QTextTableCell& cell)
    {
        const int index = cell.tableCellFormatIndex();
        if (index < 0) {
            const QTextCharFormat f = cell.format();
            return {f.tableCellRowSpan(), f.tableCellColumnSpan()};
        }
        if (std::size_t(index) >= m_spans.size())
            m_spans.resize(std::size_t(index) + 1, {0, 0});
        std::pair<int, int>& slot = m_spans[std::size_t(index)];
        if (slot.first == 0) {
            const QTextCharFormat f = cell.format();
            slot = {std::max(f.tableCellRowSpan(), 1), std::max(f.tableCellColumnSpan(), 1)};
        }
        return slot;
    }

    // The controls of a format, made once per format of the document.
    using Cache = std::vector<std::optional<QByteArray>>;
    template <typename Make>
    const QByteArray& cached(Cache& cache, int index, Make make)
    {
        if (index < 0)
            return m_uncached = make();
        if (std::size_t(index) >= cache.size())
            cache.resize(std::size_t(index) + 1);
        std::optional<QByteArray>& slot = cache[std::size_t(index)];
        if (!slot)
            slot = make();
        return *slot;
    }

    const QTextDocument& m_document;
    const QFont m_base;
    Tables& m_tables;
    const QString m_text; // the document's characters, by position
    // Formatted letters come out at about two bytes a character.
    Sink m_out{m_text.size() * 2 + 4096};
    Cache m_paragraphs; // by block format index
    Cache m_marks;      // by the paragraph mark's character format index
    Cache m_runs;       // by character format index
    QByteArray m_uncached;
    std::vector<std::pair<int, int>> m_spans; // by cell format index
    int m_nextPosition = -1; // where the next block starts, when known
    const bool m_unicodeOnly;
    // Kept groups and fields by format index; the ids of those written,
    // each once however many runs took its format (fields negated,
    // paragraphs' ids offset).
    static constexpr int kBlockIds = 1 << 30;
    std::vector<RunExtras> m_extras;
    std::set<int> m_written;
    int m_openField = 0;
};

} // namespace

QByteArray RtfWriter::escape(QStringView text, bool unicodeOnly)
{
    Sink out(text.size());
    escapeInto(text, out, unicodeOnly);
    return out.take();
}

namespace {

// Characters RTF text carries as they are: printable ASCII but \ { }.
constexpr auto kPlain = [] {
    std::array<bool, 128> t{};
    for (int c = 0x20; c < 0x7F; ++c)
        t[c] = c != '\\' && c != '{' && c != '}';
    return t;
}();

void escapeInto(QStringView text, Sink& out, bool unicodeOnly)
{
    static const char hex[] = "0123456789abcdef";
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p < end) {
        // Runs of plain ASCII, most of a letter, are copied as they are.
        char* d = out.room(end - p);
        char* const start = d;
#ifdef __SSE2__
        // Eight characters at a time while all are plain.
        const __m128i space = _mm_set1_epi16(0x20);
        const __m128i span = _mm_set1_epi16(0x7F - 0x20);
        const __m128i none = _mm_set1_epi16(-1);
        while (end - p >= 8) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i shifted = _mm_sub_epi16(v, space);
            const __m128i printable
                = _mm_and_si128(_mm_cmpgt_epi16(shifted, none), _mm_cmplt_epi16(shifted, span));
            const __m128i special = _mm_or_si128(
                _mm_cmpeq_epi16(v, _mm_set1_epi16('\\')),
                _mm_or_si128(_mm_cmpeq_epi16(v, _mm_set1_epi16('{')), _mm_cmpeq_epi16(v, _mm_set1_epi16('}'))));
            if (_mm_movemask_epi8(_mm_andnot_si128(special, printable)) != 0xFFFF)
                break;
            _mm_storel_epi64(reinterpret_cast<__m128i*>(d), _mm_packus_epi16(v, v));
            p += 8;
            d += 8;
        }
#endif
        while (p < end && *p < 0x80 && kPlain[*p])
            *d++ = char(*p++);
        out.advance(d - start);
        if (p == end)
            break;
        const char16_t u = *p++;
        switch (u) {
        case '\\':
        case '{':
        case '}':
            out += '\\';
            out += char(u);
            continue;
        case '\t': out += "\\tab "; continue;
        case QChar::LineSeparator: out += "\\line "; continue;
        case QChar::Nbsp: out += "\\~"; continue;
        case QChar::SoftHyphen: out += "\\-"; continue;
        case 0x2011: out += "\\_"; continue;
        default: break;
        }
        if (u < 0xA0 || u == QChar::ObjectReplacementCharacter || u == QChar::ParagraphSeparator) {
            // Controls, and objects such as images that RTF text cannot carry.
        } else if (const auto b = unicodeOnly ? std::nullopt : EncodeWindows1252(QChar(u))) {
            const auto v = static_cast<unsigned char>(*b);
            out += "\\'";
            out += hex[v >> 4];
            out += hex[v & 0xF];
        } else {
            out += "\\u" + number(static_cast<qint16>(u)) + '?';
        }
    }
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument& document)
{
    const QTextFrameFormat root = document.rootFrame()->frameFormat();
    Tables tables(root);
    const int defaultFont = tables.font(document.defaultFont().family());
    // Kept parts written in another code page keep it; the body's own text
    // then goes as Unicode.
    const int codePage = root.hasProperty(rtf::kKeptCodePage) ? root.intProperty(rtf::kKeptCodePage) : 1252;
    const QByteArray body = Body(document, tables, codePage != 1252).write();
    QByteArray kept = root.property(rtf::kKeptDocument).toByteArray();
    if (!kept.isEmpty())
        kept += "\r\n";
    return "{\\rtf1\\ansi\\ansicpg" + number(codePage) + "\\deff" + number(defaultFont) + tables.fontTable()
        + "\r\n" + tables.colourTable() + "\r\n" + kept + "\\viewkind4\\uc1\r\n" + body + "}";
}

} // namespace polyx
