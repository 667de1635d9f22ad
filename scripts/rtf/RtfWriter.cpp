#include "scripts/rtf/RtfWriter.h"

#include "dictionaries/Windows1252.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

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
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
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
    const QFont base = document.defaultFont();
    Tables tables;
    tables.font(base.family()); // \deff0

    QByteArray body;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        body += "\\pard" + alignment(block.blockFormat().alignment());
        // The paragraph mark's own font keeps the height of empty lines.
        body += fontAndSize(block.charFormat().font().resolve(base), tables);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QByteArray text = fragment.isValid() ? escape(fragment.text()) : QByteArray();
            if (!text.isEmpty())
                body += "{" + runControls(fragment.charFormat(), base, tables) + " " + text + "}";
        }
        body += "\\par\r\n";
    }

    return "{\\rtf1\\ansi\\ansicpg1252\\deff0" + tables.fontTable() + "\r\n" + tables.colourTable()
        + "\r\n\\viewkind4\\uc1\r\n" + body + "}";
}

} // namespace polyx
