#pragma once
// What the RTF reader stores in a QTextDocument beyond Qt's own formats, so
// that the writer gives it back: hidden text and pictures as they came.
#include <QColor>
#include <QTextFormat>
#include <QUrl>

namespace polyx::rtf {

// Hidden text (\v): a character property, shown greyed.
constexpr int kHidden = QTextFormat::UserProperty + 0x5201;
inline QColor hiddenColour() { return QColor(0x80, 0x80, 0x80); }

// A picture: the image format names a document resource; the bytes as read
// are kept as a UserResource (under a name of their own: a document keeps
// one resource per name, whatever its type), with the control word of their
// kind ("pngblip", "jpegblip", "emfblip", "wmetafile8"...) and their own
// size (\picw, \pich) as properties of the format.
inline QUrl pictureBytesName(const QString& imageName) { return QUrl(QStringLiteral("rtfbytes:") + imageName); }
constexpr int kPictureKind = QTextFormat::UserProperty + 0x5202;
constexpr int kPictureWidth = QTextFormat::UserProperty + 0x5203;
constexpr int kPictureHeight = QTextFormat::UserProperty + 0x5204;

// Twips (1/1440 inch) to the document's pixels (1/96 inch) and back.
constexpr double kTwipsPerPixel = 15.0;

} // namespace polyx::rtf
