#pragma once
// Looking into a QTextDocument the way a user sees it: paragraph texts, and
// the effective formatting of one character.
#include <QColor>
#include <QFile>
#include <QFont>
#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>

namespace rtfprobe {

// Paragraphs joined with '\n': an index in it is a document position.
inline QString paragraphs(const QTextDocument& doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        out << b.text();
    return out.join(QLatin1Char('\n'));
}

inline QTextCharFormat formatAt(const QTextDocument& doc, int position)
{
    const QTextBlock block = doc.findBlock(position);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (position >= f.position() && position < f.position() + f.length())
            return f.charFormat();
    }
    return block.charFormat();
}

inline QString colourName(const QBrush& brush, bool set)
{
    return set && brush.style() != Qt::NoBrush ? brush.color().name() : QStringLiteral("none");
}

inline QString alignmentName(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return QStringLiteral("center");
    if (a & Qt::AlignJustify)
        return QStringLiteral("justify");
    if (a & Qt::AlignRight)
        return QStringLiteral("right");
    return QStringLiteral("left");
}

// One property of the character at position, as text: "family", "size"
// (points), "bold", "italic", "underline", "strike" (0 or 1), "fg", "bg"
// (#rrggbb or none), "vertical" (0 normal, 1 super, 2 sub), "align".
inline QString property(const QTextDocument& doc, int position, const QString& name)
{
    const QTextCharFormat f = formatAt(doc, position);
    const QFont font = f.font().resolve(doc.defaultFont());
    if (name == u"family")
        return font.family();
    if (name == u"size")
        return QString::number(font.pointSizeF());
    if (name == u"bold")
        return QString::number(font.bold());
    if (name == u"italic")
        return QString::number(font.italic());
    if (name == u"underline")
        return QString::number(f.underlineStyle() != QTextCharFormat::NoUnderline);
    if (name == u"strike")
        return QString::number(font.strikeOut());
    if (name == u"fg")
        return colourName(f.foreground(), f.hasProperty(QTextFormat::ForegroundBrush));
    if (name == u"bg")
        return colourName(f.background(), f.hasProperty(QTextFormat::BackgroundBrush));
    if (name == u"vertical")
        return QString::number(int(f.verticalAlignment()));
    if (name == u"align")
        return alignmentName(doc.findBlock(position).blockFormat().alignment());
    return QStringLiteral("<unknown property>");
}

inline QString look(const QTextDocument& doc, int position)
{
    QStringList parts;
    for (const char* name : {"family", "size", "bold", "italic", "underline", "strike", "fg",
             "bg", "vertical", "align"})
        parts << QString::fromLatin1(name) + u'=' + property(doc, position, QString::fromLatin1(name));
    return parts.join(u' ');
}

inline QByteArray fixture(const QString& name)
{
    QFile f(QStringLiteral(":/rtf/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace rtfprobe
