#include "files/FileKind.h"

namespace polyx {

QString AsciiUpper(QString text)
{
    for (QChar& c : text)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    return text;
}

QString FileNameOf(const QString& path) { return path.mid(path.lastIndexOf(u'/') + 1); }

QString UpperExtension(const QString& path)
{
    const QString name = FileNameOf(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : AsciiUpper(name.mid(dot));
}

} // namespace polyx
