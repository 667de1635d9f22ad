#pragma once
// What the RTF reader stores in a QTextDocument beyond Qt's own formats, so
// that the writer gives it back: hidden text, pictures, and the parts the
// pane cannot show, as they came.
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

// The parts the pane cannot show keep their RTF source, byte for byte:
// - the document's own (headers, footers, \info, page and section settings)
//   as one byte string in the root frame's format, with the font and colour
//   tables as read, which those parts refer to, and the code page their
//   bytes are in;
// - groups standing in the text (notes, comments, bookmarks, shapes, fields
//   without a result) on the character after them, or on the paragraph when
//   nothing follows them in it; an id tells one place from another, since
//   the text typed after that character takes its format;
// - a field's instruction on each character of its result.
constexpr int kKeptDocument = QTextFormat::UserProperty + 0x5210;
constexpr int kKeptFonts = QTextFormat::UserProperty + 0x5211;       // the font table's entries
constexpr int kFirstOwnFont = QTextFormat::UserProperty + 0x5212;    // above every number they use
constexpr int kKeptColours = QTextFormat::UserProperty + 0x5213;     // the colour table's entries
constexpr int kFirstOwnColour = QTextFormat::UserProperty + 0x5214;  // their count
constexpr int kKeptCodePage = QTextFormat::UserProperty + 0x5215;
constexpr int kKeptBefore = QTextFormat::UserProperty + 0x5216;      // character
constexpr int kKeptId = QTextFormat::UserProperty + 0x5217;
constexpr int kKeptAtEnd = QTextFormat::UserProperty + 0x5218;       // paragraph
constexpr int kKeptEndId = QTextFormat::UserProperty + 0x5219;
constexpr int kFieldInstruction = QTextFormat::UserProperty + 0x521A; // character: {\*\fldinst ...}
constexpr int kFieldId = QTextFormat::UserProperty + 0x521B;
// A note's mark in the text: the number shown, written back as \chftn.
constexpr int kNoteMark = QTextFormat::UserProperty + 0x521C;

// Twips (1/1440 inch) to the document's pixels (1/96 inch) and back.
constexpr double kTwipsPerPixel = 15.0;

} // namespace polyx::rtf
