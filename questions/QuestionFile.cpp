#include "questions/QuestionFile.h"

#include "platform/Error.h"

namespace polyx {

QStringList QuestionFile::Load(const QString& path)
{
    TextLines file = TextLinesFile::Read(path);
    m_encoding = file.encoding;
    m_partlyRead.Remember(path, file);
    return file.lines;
}

void QuestionFile::Save(const QString& path, const QStringList& questions)
{
    if (m_partlyRead.IsReplacedBy(path))
        throw Error(m_partlyRead.SkipMessage());
    // The fall-back to UTF-8 is what the file now holds, so later saves keep it.
    m_encoding = TextLinesFile::Write(path, questions, m_encoding);
}

} // namespace polyx
