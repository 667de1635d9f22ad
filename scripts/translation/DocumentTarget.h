#pragma once
#include "scripts/translation/KeptParts.h"
#include "scripts/translation/SearchableText.h"
#include "scripts/translation/TranslationRules.h"

#include <QTextCursor>

class QTextDocument;

namespace polyx {

// A translation's target in a rich or plain document. All edits of the
// target's lifetime form one edit block: one undo step, one relayout and
// repaint at the end, however many replacements. Each replacement takes the
// character format of the first character of the code it replaces, so the
// formatting around it stays. The document must outlive the target and
// must not be edited by anyone else meanwhile. The codes in the parts the
// pane cannot show but keeps (headers, footers, notes...) are translated too.
class DocumentTarget : public TranslationTarget {
public:
    explicit DocumentTarget(QTextDocument& document);
    ~DocumentTarget();
    DocumentTarget(const DocumentTarget&) = delete;
    DocumentTarget& operator=(const DocumentTarget&) = delete;

    // Looks at the text the script pane shows: paragraph and line breaks as
    // '\n', every other character (no-break spaces too) as it stands.
    bool ContainsExactly(const QString& code) const override
    {
        return m_text.containsExactly(code) || m_kept.containsExactly(code);
    }
    Replaced ReplaceAll(const QString& code, const QString& replacement) override;

    // The document's text as it stands, as DocumentText gives it.
    const QString& Text() const { return m_text.text(); }
    // The text of its kept parts, each on lines of its own.
    QString KeptText() const { return m_kept.text(); }

    // Document position just after the last replacement made; -1 while
    // none was made.
    int LastReplacementEnd() const { return m_lastEnd; }

private:
    QTextDocument& m_document;
    QTextCursor m_cursor;
    SearchableText m_text; // kept in step with the edits
    KeptParts m_kept;
    int m_lastEnd = -1;
};

} // namespace polyx
