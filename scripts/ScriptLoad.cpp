#include "scripts/ScriptLoad.h"

#include "platform/Error.h"
#include "scripts/rtf/RtfReader.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace polyx {

ScriptLoad::ScriptLoad(const QString& path, bool plainTextMode, const QTextDocument& like)
    : m_path(path), m_content(ScriptFile::Read(path, plainTextMode)), m_document(std::make_unique<QTextDocument>())
{
    m_document->setDefaultFont(like.defaultFont());
    m_document->setDefaultTextOption(like.defaultTextOption());
    m_document->setDocumentMargin(like.documentMargin());
    m_document->setIndentWidth(like.indentWidth());
    m_document->setUseDesignMetrics(like.useDesignMetrics());
    m_document->setDefaultStyleSheet(like.defaultStyleSheet());
    // A file read is no step to take back, as with Qt's setPlainText.
    m_document->setUndoRedoEnabled(false);
    m_end = std::make_unique<QTextCursor>(m_document.get());
}

ScriptLoad::~ScriptLoad() = default;

bool ScriptLoad::step(int lines)
{
    if (m_done)
        return true;
    if (m_content.format == ScriptFormat::Rtf) {
        RtfReader reader;
        if (!reader.read(m_content.rtf, m_document.get()))
            throw Error(reader.errorString());
        m_hiddenPartsNotice = RtfReader::hiddenPartsNotice(reader.hiddenParts());
        m_content.rtf.clear();
    } else {
        const QString& text = m_content.text;
        qsizetype end = m_position;
        for (int line = 0; line < lines && end < text.size(); ++line) {
            const qsizetype next = text.indexOf(u'\n', end);
            end = next < 0 ? text.size() : next + 1;
        }
        m_end->insertText(text.mid(m_position, end - m_position), QTextCharFormat());
        m_position = end;
        if (m_position < text.size())
            return false;
        m_content.text.clear();
    }
    m_document->setUndoRedoEnabled(true);
    m_done = true;
    return true;
}

int ScriptLoad::percent() const
{
    if (m_done)
        return 100;
    if (m_content.format == ScriptFormat::Rtf || m_content.text.isEmpty())
        return 0;
    return int(m_position * 100 / m_content.text.size());
}

std::unique_ptr<QTextDocument> ScriptLoad::take()
{
    m_end.reset();
    return std::move(m_document);
}

} // namespace polyx
