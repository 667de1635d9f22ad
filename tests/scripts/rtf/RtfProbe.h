#pragma once
// Looking into a QTextDocument the way a user sees it: paragraph texts, and
// the effective formatting of one character.
#include "scripts/rtf/RtfFormats.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QImage>
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
// (points), "bold", "italic", "underline", "strike", "hidden" (0 or 1),
// "fg", "bg" (#rrggbb or none), "vertical" (0 normal, 1 super, 2 sub); of
// its paragraph: "align", "left", "right", "indent", "before", "after"
// (twips), "spacing" (type:value), "tabs" (twips), "pagebreak" (0 or 1).
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
    if (name == u"hidden")
        return QString::number(f.boolProperty(polyx::rtf::kHidden));
    const QTextBlockFormat b = doc.findBlock(position).blockFormat();
    const auto twips = [](qreal pixels) { return QString::number(qRound(pixels * polyx::rtf::kTwipsPerPixel)); };
    if (name == u"align")
        return alignmentName(b.alignment());
    if (name == u"left")
        return twips(b.leftMargin());
    if (name == u"right")
        return twips(b.rightMargin());
    if (name == u"indent")
        return twips(b.textIndent());
    if (name == u"before")
        return twips(b.topMargin());
    if (name == u"after")
        return twips(b.bottomMargin());
    if (name == u"spacing")
        return QString::number(b.lineHeightType()) + u':' + QString::number(b.lineHeight());
    if (name == u"tabs") {
        QStringList tabs;
        for (const QTextOption::Tab& tab : b.tabPositions())
            tabs << twips(tab.position);
        return tabs.join(u' ');
    }
    if (name == u"pagebreak")
        return QString::number(bool(b.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore));
    return QStringLiteral("<unknown property>");
}

inline QString look(const QTextDocument& doc, int position)
{
    QStringList parts;
    for (const char* name : {"family", "size", "bold", "italic", "underline", "strike", "hidden",
             "fg", "bg", "vertical", "align", "left", "right", "indent", "before", "after",
             "spacing", "tabs", "pagebreak"})
        parts << QString::fromLatin1(name) + u'=' + property(doc, position, QString::fromLatin1(name));
    return parts.join(u' ');
}

inline QByteArray fixture(const QString& name)
{
    QFile f(QStringLiteral(":/rtf/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A small picture of one colour, encoded as a word processor would embed it.
inline QByteArray imageBytes(const char* format, int width, int height, const QColor& colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace rtfprobe
