#include "scripts/rtf/RtfReader.h"

#include "scripts/rtf/RtfTokenizer.h"

#include <QStringList>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace polyx {

namespace {
const char kLoadError[] = "Erreur au chargement du flux";
const char kCodePageError[] = "Le codage %1 de ce fichier n'est pas pris en charge.";
}

bool RtfReader::isRtf(QByteArrayView data)
{
    return data.size() >= 5 && qstrnicmp(data.data(), 5, "{\\rtf", 5) == 0;
}

bool RtfReader::read(const QByteArray& data, QTextDocument* document)
{
    m_error.clear();
    m_hidden = {};
    if (!document || !isRtf(data)) {
        m_error = QString::fromUtf8(kLoadError);
        return false;
    }
    // A refused file is taken back by undoing its one edit step. A new
    // document has nothing to take back: it is read without keeping the
    // steps, as Qt's own setPlainText does, which spares a tenth of the time.
    const bool fresh = document->isEmpty() && !document->isUndoAvailable() && !document->isRedoAvailable();
    const bool undoWasOn = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(!fresh);
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.setBlockCharFormat(QTextCharFormat());
    RtfTokenizer tokens(data);
    RtfInterpreter interpreter(cursor);
    interpreter.run(tokens);
    cursor.endEditBlock();
    if (const int codePage = interpreter.unsupportedCodePage()) {
        if (fresh)
            document->clear();
        else
            document->undo();
        m_error = QString::fromUtf8(kCodePageError).arg(codePage);
    } else {
        m_hidden = interpreter.hiddenParts();
    }
    document->setUndoRedoEnabled(undoWasOn);
    return m_error.isEmpty();
}

QString RtfReader::hiddenPartsNotice(const RtfHiddenParts& hidden)
{
    if (!hidden.any())
        return {};
    QStringList parts;
    if (hidden.header)
        parts << QStringLiteral("en-tête");
    if (hidden.footer)
        parts << QStringLiteral("pied de page");
    if (hidden.notes > 0)
        parts << (hidden.notes == 1 ? QStringLiteral("1 note") : QStringLiteral("%1 notes").arg(hidden.notes));
    if (hidden.comments > 0)
        parts << (hidden.comments == 1 ? QStringLiteral("1 commentaire")
                                        : QStringLiteral("%1 commentaires").arg(hidden.comments));
    QString list = parts.takeLast();
    if (!parts.isEmpty())
        list = parts.join(QStringLiteral(", ")) + QStringLiteral(" et ") + list;
    return QStringLiteral("RTF : ") + list + QStringLiteral(" conservés, non affichés");
}

} // namespace polyx
