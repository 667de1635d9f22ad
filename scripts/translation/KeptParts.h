#pragma once
#include "scripts/rtf/RtfKeptText.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class QTextCursor;
class QTextDocument;

namespace polyx {

// The kept RTF parts of a document (headers, footers, notes, comments,
// shapes, field instructions...) as a translation sees them: their text,
// searched and replaced with the same rules as the pane's, and written back
// into the document.
class KeptParts {
public:
    explicit KeptParts(const QTextDocument& document);

    bool isEmpty() const { return m_parts.empty(); }
    bool containsExactly(const QString& code) const;
    // Every occurrence in any letter case, through cursor (whose edit
    // block the changes join); the place of each one replaced.
    QStringList replaceAll(const QString& code, const QString& replacement, QTextCursor& cursor);
    // All their text, each part on lines of its own.
    QString text() const;

private:
    enum class Where { Document, Character, Field, Paragraph };
    struct Part {
        Where where;
        int id;
        RtfKeptText text;
    };
    void writeBack(const Part& part, QTextCursor& cursor);

    std::vector<Part> m_parts;
};

} // namespace polyx
