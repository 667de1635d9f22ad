#pragma once
#include "scripts/translation/SearchableText.h"
#include "scripts/translation/TranslationRules.h"

namespace polyx {

// A translation's target held as plain text, for running the rules
// without a document. Same replacements as DocumentTarget.
class PlainTextTarget : public TranslationTarget {
public:
    explicit PlainTextTarget(QString text) : m_text(std::move(text)) {}

    bool ContainsExactly(const QString& code) const override
    {
        return m_text.containsExactly(code);
    }
    Replaced ReplaceAll(const QString& code, const QString& replacement) override;

    const QString& text() const { return m_text.text(); }
    // Just after the last replacement made; -1 while none was made.
    qsizetype LastReplacementEnd() const { return m_lastEnd; }

private:
    SearchableText m_text;
    qsizetype m_lastEnd = -1;
};

} // namespace polyx
