#pragma once
#include "scripts/rtf/RtfInterpreter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QTextDocument;

namespace polyx {

// Reads RTF as WordPad, Word and LibreOffice write it into a QTextDocument:
// text and its formatting (directly or through the style sheet), paragraphs
// with their indents, spacing and tab stops, tables, pictures, hidden text,
// symbol fonts, fields and note marks. What the pane cannot show (headers,
// footers, notes, comments, shapes, bookmarks, field instructions, page
// settings, the document's information) is kept as its RTF source for the
// writer (see RtfFormats.h). Damaged input is read as far as it goes.
class RtfReader {
public:
    // Whether data starts as RTF does ("{\rtf", in any case).
    static bool isRtf(QByteArrayView data);

    // Replaces the whole content of document, as one undo step (none for a
    // new document). Fails, leaving the document as it was, when the input
    // is not RTF, cannot be read or is in a code page nobody here can decode.
    bool read(const QByteArray& data, QTextDocument* document);

    // The French message of the last failure.
    QString errorString() const { return m_error; }

    // What the last file read held that the pane does not show.
    const RtfHiddenParts& hiddenParts() const { return m_hidden; }
    // Says it for the status bar, e.g. "RTF : en-tête, pied de page et 2
    // notes conservés, non affichés"; empty when there are none.
    static QString hiddenPartsNotice(const RtfHiddenParts& parts);

private:
    QString m_error;
    RtfHiddenParts m_hidden;
};

} // namespace polyx
