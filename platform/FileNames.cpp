#include "platform/FileNames.h"

#include <utility>

namespace platform {

namespace {

QString shiftedCase(QString text, char16_t first, char16_t last, int shift)
{
    for (QChar& c : text)
        if (c >= first && c <= last)
            c = QChar(c.unicode() + shift);
    return text;
}

} // namespace

QString AsciiUpper(QString text) { return shiftedCase(std::move(text), u'a', u'z', u'A' - u'a'); }

QString AsciiLower(QString text) { return shiftedCase(std::move(text), u'A', u'Z', u'a' - u'A'); }

QString FileNameOf(const QString& path) { return path.mid(path.lastIndexOf(u'/') + 1); }

QString ExtensionOf(const QString& path)
{
    const QString name = FileNameOf(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

QString BaseNameOf(const QString& path)
{
    const QString name = FileNameOf(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString UpperExtension(const QString& path) { return AsciiUpper(ExtensionOf(path)); }

} // namespace platform
