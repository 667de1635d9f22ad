#pragma once
#include <QString>

class QTextDocument;
class QTextDocumentFragment;

namespace polyx {

// The text a user sees in a rich document, as every copy, save and reading
// of a script takes it: lines separated by '\n', one break between two
// table cells and between two rows, no empty line for a table's start or
// end. Frame marks and object characters (pictures) are left out: they
// are not text, and Windows-1252 cannot hold them.
QString VisibleText(const QTextDocument& document);

// The same for a part of a document, such as a selection.
QString VisibleText(const QTextDocumentFragment& fragment);

} // namespace polyx
