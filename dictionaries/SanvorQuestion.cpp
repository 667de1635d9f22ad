#include "dictionaries/SanvorQuestion.h"

#include "dictionaries/DictionaryCompression.h"

namespace polyx {

QString SanvorQuestionLine(const QString& typed)
{
    QString key = typed;
    for (QChar& c : key) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    key = StripBlanks(key);
    key.replace(u' ', u'_');
    key.remove(u'<');
    key.remove(u'>');
    return u'<' + key + QStringLiteral(">=");
}

} // namespace polyx
