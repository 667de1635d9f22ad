#pragma once
#include <QString>
#include <QStringView>

class QTextDocument;

namespace polyx {

// A script's text as the panes hand it around: lines separated by '\n'.
// CR LF, a lone CR, a lone LF and LF CR each end one line.
QString NormalizeLineEnds(QStringView text);

// The document's text, paragraphs and line breaks as '\n'; every other
// character (no-break spaces included) as it stands.
QString DocumentText(const QTextDocument& document);

// Replaces the whole content with unformatted text, as one undo step.
void SetDocumentText(QTextDocument& document, const QString& text);

// '\n' separators as CR LF.
QString WithCrLf(QString text);

} // namespace polyx
