#include "questions/SanvorQuestion.h"

#include "dictionaries/DictionaryCompression.h"

namespace polyx {

QString NormalizeQuestion(const QString& typed)
{
    QString name = typed;
    for (QChar& c : name)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    name = StripBlanks(name);
    name.replace(u' ', u'_');
    name.remove(u'<');
    name.remove(u'>');
    return u'<' + name + u'>';
}

QString SanvorQuestionLine(const QString& typed) { return NormalizeQuestion(typed) + u'='; }

} // namespace polyx
