#include "scripts/ScriptFormat.h"

#include "scripts/rtf/RtfReader.h"

namespace polyx {

namespace {
bool isTextName(const QString& path)
{
    return path.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
}
} // namespace

ScriptFormat ReadingFormat(bool plainTextMode, const QString& path, QByteArrayView content)
{
    if (plainTextMode || isTextName(path))
        return ScriptFormat::PlainText;
    return RtfReader::isRtf(content) ? ScriptFormat::Rtf : ScriptFormat::PlainText;
}

ScriptFormat WritingFormat(bool plainTextMode, const QString& path)
{
    return plainTextMode || isTextName(path) ? ScriptFormat::PlainText : ScriptFormat::Rtf;
}

} // namespace polyx
