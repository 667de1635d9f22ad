#include "scripts/rtf/RtfWriter.h"

#include "dictionaries/Windows1252.h"
#include "scripts/rtf/RtfFormats.h"

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

namespace polyx {

namespace {

QByteArray number(int n) { return QByteArray::number(n); }

// The fonts and colours met while writing the body; the tables go before it.
class Tables {
public:
    int font(const QString& family)
    {
        const auto it = m_fontIndex.constFind(family);
        if (it != m_fontIndex.cend())
            return *it;
        m_fonts.append(family);
        return m_fontIndex[family] = int(m_fonts.size() - 1);
    }

    // Index 0 is left to the automatic colour.
    int colour(const QColor& c)
    {
        const QRgb rgb = c.rgb();
        const auto it = m_colourIndex.constFind(rgb);
        if (it != m_colourIndex.cend())
            return *it;
        m_colours.append(rgb);
        return m_colourIndex[rgb] = int(m_colours.size());
    }

    QByteArray fontTable() const
    {
        QByteArray out = "{\\fonttbl";
        for (qsizetype i = 0; i < m_fonts.size(); ++i) {
            // A semicolon would end the name early.
            const QByteArray name = RtfWriter::escape(m_fonts[i]).replace(";", "\\'3b");
            out += "{\\f" + number(int(i)) + "\\fnil\\fcharset0 " + name + ";}";
        }
        return out + "}";
    }

    QByteArray colourTable() const
    {
        QByteArray out = "{\\colortbl ;";
        for (const QRgb rgb : m_colours)
            out += "\\red" + number(qRed(rgb)) + "\\green" + number(qGreen(rgb)) + "\\blue"
                + number(qBlue(rgb)) + ";";
        return out + "}";
    }

private:
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
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
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

class Body {
public:
    Body(const QTextDocument& document, Tables& tables)
        : m_document(document), m_base(document.defaultFont()), m_tables(tables)
    {
    }

    QByteArray write()
    {
        frame(m_document.rootFrame());
        return std::move(m_out);
    }

private:
    // Frames other than tables hold paragraphs like the document's own.
    void frame(const QTextFrame* frame)
    {
        for (auto it = frame->begin(); !it.atEnd(); ++it) {
            if (const auto* table = qobject_cast<const QTextTable*>(it.currentFrame()))
                this->table(table, 1);
            else if (const QTextFrame* inner = it.currentFrame())
                this->frame(inner);
            else
                block(it.currentBlock(), 0, "\\par");
        }
    }

    void block(const QTextBlock& block, int level, const char* end)
    {
        m_out += "\\pard";
        if (level > 0)
            m_out += "\\intbl";
        if (level > 1)
            m_out += "\\itap" + number(level);
        m_out += cached(m_paragraphs, block.blockFormatIndex(), [&] { return paragraphControls(block.blockFormat()); });
        // The paragraph mark's own font keeps the height of empty lines.
        m_out += cached(m_marks, block.charFormatIndex(),
                        [&] { return fontAndSize(block.charFormat().font().resolve(m_base), m_tables); });
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            if (fragment.charFormat().isImageFormat()) {
                const QByteArray pict = picture(m_document, fragment.charFormat().toImageFormat());
                for (int i = 0; i < fragment.length(); ++i)
                    m_out += pict;
                continue;
            }
            const QByteArray text = RtfWriter::escape(fragment.text());
            if (text.isEmpty())
                continue;
            m_out += '{';
            m_out += cached(m_runs, fragment.charFormatIndex(),
                            [&] { return runControls(fragment.charFormat(), m_base, m_tables); });
            m_out += ' ';
            m_out += text;
            m_out += '}';
        }
        m_out += end;
        m_out += "\r\n";
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
        for (int r = 0; r < table->rows(); ++r) {
            // One cell per column, merged ones marked, so that the columns stay.
            QByteArray def = "\\trowd\\trgaph70\\trleft0";
            std::vector<QTextTableCell> cells;
            for (int c = 0; c < columns; ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() != r)
                    def += "\\clvmrg";
                else if (cell.rowSpan() > 1)
                    def += "\\clvmgf";
                if (cell.columnSpan() > 1)
                    def += cell.column() == c ? "\\clmgf" : "\\clmrg";
                if (bordered)
                    def += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                           "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
                def += "\\cellx" + number(edges[std::size_t(c) + 1]);
                cells.push_back(cell.row() == r && cell.column() == c ? cell : QTextTableCell());
            }
            if (level == 1)
                m_out += def + "\r\n";
            const char* cellEnd = level == 1 ? "\\cell" : "\\nestcell";
            for (const QTextTableCell& cell : cells) {
                if (!cell.isValid()) {
                    m_out += "\\pard\\intbl" + (level > 1 ? "\\itap" + number(level) : QByteArray()) + cellEnd + "\r\n";
                    continue;
                }
                for (auto it = cell.begin(); !it.atEnd();) {
                    const QTextFrame* inner = it.currentFrame();
                    const QTextBlock b = it.currentBlock();
                    ++it;
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

    // The controls of a format, made once per format of the document.
    template <typename Make>
    static const QByteArray& cached(QHash<int, QByteArray>& cache, int index, Make make)
    {
        auto it = cache.find(index);
        if (it == cache.end())
            it = cache.insert(index, make());
        return *it;
    }

    const QTextDocument& m_document;
    const QFont m_base;
    Tables& m_tables;
    QByteArray m_out;
    QHash<int, QByteArray> m_paragraphs; // by block format index
    QHash<int, QByteArray> m_marks;      // by the paragraph mark's character format index
    QHash<int, QByteArray> m_runs;       // by character format index
};

} // namespace

QByteArray RtfWriter::escape(QStringView text)
{
    static const char hex[] = "0123456789abcdef";
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
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
        if (u >= 0x20 && u < 0x7F) {
            out += char(u);
        } else if (u < 0xA0 || u == QChar::ObjectReplacementCharacter || u == QChar::ParagraphSeparator) {
            // Controls, and objects such as images that RTF text cannot carry.
        } else if (const auto b = EncodeWindows1252(c)) {
            const auto v = static_cast<unsigned char>(*b);
            out += "\\'";
            out += hex[v >> 4];
            out += hex[v & 0xF];
        } else {
            out += "\\u" + number(static_cast<qint16>(u)) + '?';
        }
    }
    return out;
}

QByteArray RtfWriter::write(const QTextDocument& document)
{
    Tables tables;
    tables.font(document.defaultFont().family()); // \deff0
    const QByteArray body = Body(document, tables).write();
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0" + tables.fontTable() + "\r\n" + tables.colourTable()
        + "\r\n\\viewkind4\\uc1\r\n" + body + "}";
}

} // namespace polyx
