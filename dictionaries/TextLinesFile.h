#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace polyx {

// How a text file of lines is stored. Ansi is the 8-bit code page
// (Windows-1252) without byte-order mark; the others carry their mark.
enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

struct TextLines {
    QStringList lines;
    TextEncoding encoding = TextEncoding::Ansi;
};

struct EncodedText {
    QByteArray bytes;
    TextEncoding encoding = TextEncoding::Ansi; // the one actually used
};

// Text files of lines: dictionaries, fusion files, the question list and
// information files. Every line, the last included, ends with CR LF.
namespace TextLinesFile {

// Mark EF BB BF, FF FE or FE FF (tested in that order), else Windows-1252.
// CR LF, lone CR and lone LF end lines; a NUL ends the text; malformed
// bytes become U+FFFD.
TextLines Decode(const QByteArray& bytes);

// Text that Windows-1252 cannot hold is written as UTF-8 with its mark
// rather than with substitutes; `encoding` of the result says so.
EncodedText Encode(const QStringList& lines, TextEncoding encoding);

// Throws "Impossible d'ouvrir le fichier ..." when the file cannot be read.
TextLines Read(const QString& path);

// Replaces the file atomically; on failure throws "Impossible de créer le
// fichier ..." and the previous file stays whole. Returns the encoding used.
TextEncoding Write(const QString& path, const QStringList& lines, TextEncoding encoding);

} // namespace TextLinesFile
} // namespace polyx
