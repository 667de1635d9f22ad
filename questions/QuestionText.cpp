#include "questions/QuestionText.h"

#include "dictionaries/DictionaryCompression.h"

namespace polyx {

namespace {

// Accented letters stay as typed.
QString upperAscii(QString text)
{
    for (QChar& c : text)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    return text;
}

} // namespace

QString NormalizeQuestion(const QString& typed)
{
    QString name = StripBlanks(upperAscii(typed));
    name.replace(u' ', u'_');
    name.remove(u'<');
    name.remove(u'>');
    return u'<' + name + u'>';
}

QString QuestionName(const QString& entry)
{
    const qsizetype close = entry.indexOf(u'>');
    return close < 2 ? QString() : entry.mid(1, close - 1);
}

} // namespace polyx
