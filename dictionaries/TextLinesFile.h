#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace polyx {

// How a text file of lines is stored. Ansi is the 8-bit code page
// (Windows-1252) without byte-order mark; Utf8, Utf16LE and Utf16BE carry
// their mark, the "NoMark" ones were found without it and are written back
// without it.
enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE, Utf8NoMark, Utf16LENoMark, Utf16BENoMark };

// Why the lines read are not the whole file: a NUL ended the text, or the
// bytes are not text at all (control bytes no text file holds).
enum class ReadStop { None, Nul, NotText };

struct TextLines {
    QStringList lines;
    TextEncoding encoding = TextEncoding::Ansi;
    ReadStop stop = ReadStop::None;
    int malformedLine = 0; // the first line, from 1, whose bytes are not the UTF-8 its mark announces
};

struct EncodedText {
    QByteArray bytes;
    TextEncoding encoding = TextEncoding::Ansi; // the one actually used
};

// Text files of lines: dictionaries, fusion files, the question list and
// information files. Every line, the last included, ends with CR LF.
namespace TextLinesFile {

// Mark EF BB BF, FF FE or FE FF (tested in that order). Without a mark:
// UTF-16 when its first units all hold one NUL byte on the same side,
// UTF-8 when the bytes are valid UTF-8 holding a character beyond ASCII,
// else Windows-1252 byte for byte. CR LF, lone CR and lone LF end lines; a
// NUL ends the text; malformed bytes become U+FFFD.
TextLines Decode(const QByteArray& bytes);

// Valid UTF-8 that holds at least one character beyond ASCII: what a Linux
// editor writes, and what Windows-1252 text almost never is.
bool IsUtf8BeyondAscii(QByteArrayView bytes);

// Text that Windows-1252 cannot hold is written as UTF-8 with its mark
// rather than with substitutes; `encoding` of the result says so.
EncodedText Encode(const QStringList& lines, TextEncoding encoding);

// Throws "Impossible d'ouvrir le fichier ..." when the file cannot be read,
// or when it is marked UTF-8 but is not: written back, its bad bytes
// would be lost.
TextLines Read(const QString& path);

// What the user is told of a file read only in part (ReadStop), or "".
QString PartialReadWarning(const QString& path, const TextLines& read);

// Replaces the file atomically; on failure throws "Impossible de créer le
// fichier ..." and the previous file stays whole. Returns the encoding used.
TextEncoding Write(const QString& path, const QStringList& lines, TextEncoding encoding);

} // namespace TextLinesFile
} // namespace polyx
