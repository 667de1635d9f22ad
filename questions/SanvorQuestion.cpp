#include "questions/SanvorQuestion.h"

#include "dictionaries/DictionaryCompression.h"
#include "platform/FileNames.h"

namespace polyx {

QString NormalizeQuestion(const QString& typed)
{
    QString name = StripBlanks(platform::AsciiUpper(typed));
    name.replace(u' ', u'_');
    name.remove(u'<');
    name.remove(u'>');
    return u'<' + name + u'>';
}

QString SanvorQuestionLine(const QString& typed) { return NormalizeQuestion(typed) + u'='; }

} // namespace polyx
