// Pictures: their data as read, and an image the pane can show.
#include "scripts/rtf/RtfInterpreter.h"

#include "scripts/rtf/RtfFormats.h"

#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <utility>

namespace polyx {

void RtfInterpreter::commitPicture()
{
    flush();
    PictureData p = std::exchange(m_picture, PictureData{});
    const QByteArray data = p.binary.isEmpty() ? QByteArray::fromHex(p.hex) : p.binary;
    QTextDocument* document = m_cursor.document();
    if (data.isEmpty() || p.kind.isEmpty() || !document)
        return;

    QImage image;
    if (p.kind == "pngblip" || p.kind == "jpegblip")
        image.loadFromData(data);
    // The size the picture has in the file: pixels for bitmaps, 0.01 mm for metafiles.
    const bool metafile = image.isNull() && p.kind != "dibitmap" && p.kind != "wbitmap";
    const auto natural = [&](int own, int decoded) {
        if (decoded > 0)
            return decoded * 15;
        return metafile ? int(qint64(own) * 1440 / 2540) : own * 15;
    };
    int width = p.goalWidth > 0 ? p.goalWidth : natural(p.width, image.width());
    int height = p.goalHeight > 0 ? p.goalHeight : natural(p.height, image.height());
    width = int(qint64(width) * std::clamp(p.scaleX, 1, 1000) / 100);
    height = int(qint64(height) * std::clamp(p.scaleY, 1, 1000) / 100);
    const double w = std::clamp(width / rtf::kTwipsPerPixel, 1.0, 4000.0);
    const double h = std::clamp(height / rtf::kTwipsPerPixel, 1.0, 4000.0);

    if (image.isNull()) {
        // What Qt cannot draw keeps its place and its bytes; the pane
        // stretches the small placeholder to the picture's size.
        image = QImage(std::clamp(int(w), 1, 64), std::clamp(int(h), 1, 64), QImage::Format_RGB32);
        image.fill(QColor(0xE8, 0xE8, 0xE8));
        QPainter painter(&image);
        painter.setPen(QColor(0x90, 0x90, 0x90));
        painter.drawRect(0, 0, image.width() - 1, image.height() - 1);
        painter.drawLine(0, 0, image.width() - 1, image.height() - 1);
        painter.drawLine(0, image.height() - 1, image.width() - 1, 0);
    }
    const QUrl name(QStringLiteral("rtfpict:%1").arg(++m_pictures));
    document->addResource(QTextDocument::ImageResource, name, image);
    document->addResource(QTextDocument::UserResource, rtf::pictureBytesName(name.toString()), data);
    QTextImageFormat f;
    f.setName(name.toString());
    f.setWidth(w);
    f.setHeight(h);
    f.setProperty(rtf::kPictureKind, p.kind);
    f.setProperty(rtf::kPictureWidth, p.width);
    f.setProperty(rtf::kPictureHeight, p.height);
    attachKept(f);
    m_builder.text(QString(), f, top().para.level);
    m_paragraphHasText = true;
}

void RtfInterpreter::picture(const Arg&)
{
    if (top().destination != Body)
        return;
    top().destination = Picture;
    m_picture = PictureData{};
}

// The kind's own word is what the writer gives back.
void RtfInterpreter::pictureKind(const Arg& a)
{
    if (top().destination == Picture)
        m_picture.kind = m_word.toByteArray() + (a.hasParam ? QByteArray::number(a.param) : QByteArray());
}

void RtfInterpreter::pictureSize(const Arg& a)
{
    if (top().destination != Picture)
        return;
    const int v = std::clamp(a.param, 0, 2 * kMaxTwips * 10);
    switch (a.value) {
    case 0: m_picture.width = v; break;
    case 1: m_picture.height = v; break;
    case 2: m_picture.goalWidth = v; break;
    case 3: m_picture.goalHeight = v; break;
    case 4: m_picture.scaleX = v > 0 ? v : 100; break;
    default: m_picture.scaleY = v > 0 ? v : 100; break;
    }
}

} // namespace polyx
