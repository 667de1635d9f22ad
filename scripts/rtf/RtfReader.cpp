#include "scripts/rtf/RtfReader.h"

#include "scripts/rtf/RtfInterpreter.h"
#include "scripts/rtf/RtfTokenizer.h"

#include <QIODevice>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace polyx {

namespace {
const char kLoadError[] = "Erreur au chargement du flux";
}

bool RtfReader::isRtf(QByteArrayView data)
{
    return data.size() >= 5 && qstrnicmp(data.data(), 5, "{\\rtf", 5) == 0;
}

bool RtfReader::read(const QByteArray& data, QTextDocument* document)
{
    m_error.clear();
    if (!document || !isRtf(data)) {
        m_error = QString::fromUtf8(kLoadError);
        return false;
    }
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.setBlockCharFormat(QTextCharFormat());
    RtfTokenizer tokens(data);
    RtfInterpreter(cursor).run(tokens);
    cursor.endEditBlock();
    return true;
}

bool RtfReader::read(QIODevice& device, QTextDocument* document)
{
    if (!device.isReadable()) {
        m_error = QString::fromUtf8(kLoadError);
        return false;
    }
    return read(device.readAll(), document);
}

} // namespace polyx
