#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The Windows code page of the files our correspondents send. Done by table
// rather than by the platform's codecs: it needs no ICU, never substitutes a
// look-alike, and is several times faster on large dictionaries.
namespace polyx {

// The five bytes the page leaves unassigned read as the C1 controls of the
// same value, as on Windows, and are written back as they were read.
QString DecodeWindows1252(QByteArrayView bytes);
std::optional<char> EncodeWindows1252(QChar c);
// The whole text, or nothing when one character is not in the page.
std::optional<QByteArray> EncodeWindows1252(QStringView text);

} // namespace polyx
