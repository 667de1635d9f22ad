// The header block written at the end of a script, and the relabelling of
// the script pages that writes it too.
#include "app/Unit1.h"

#include "dictionaries/DictionaryPane.h"
#include "platform/Services.h"
#include "scripts/ScriptPane.h"
#include "scripts/ScriptText.h"
#include "scripts/HeaderBlock.h"

#include <QLocale>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Only the part that differs is rewritten, so a rich script keeps the
// formatting of everything around the block.
void replaceChangedPart(QTextDocument& document, const QString& before, const QString& after)
{
    // Never cut between the two halves of a character.
    const auto splitsPair = [](const QString& text, qsizetype at) {
        return at > 0 && at < text.size() && text[at].isLowSurrogate();
    };
    const qsizetype shorter = qMin(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    if (splitsPair(before, head) || splitsPair(after, head))
        --head;
    qsizetype tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    if (tail > 0 && (splitsPair(before, before.size() - tail) || splitsPair(after, after.size() - tail)))
        --tail;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.setPosition(int(head));
    cursor.setPosition(int(before.size() - tail), QTextCursor::KeepAnchor);
    cursor.insertText(after.mid(head, after.size() - tail - head));
    cursor.endEditBlock();
}

} // namespace

void TForm1::WriteHeaderBlock(ScriptPane* pane, bool refresh)
{
    const polyx::DictionaryLines& external = ValueListEditor_EXT->lines();
    const polyx::HeaderBlockFields fields{external.ValueOf("<_CODE>"), external.ValueOf("<_TITRE>"),
                                          external.ValueOf("<_AUTEUR>"), SKRIVO_EXT->PageLabel(),
                                          SKRIVO_INT->PageLabel()};
    const QString block = polyx::HeaderBlock(fields, currentDateTime(), polyx::LocaleDateTimeSeparators(QLocale()));
    // The document holds every line end as one break: the block's lone CR
    // and its CR LFs alike.
    QTextDocument& document = *pane->document();
    const QString text = polyx::DocumentText(document);
    if (const std::optional<QString> written =
            polyx::TextWithHeaderBlock(text, polyx::NormalizeLineEnds(block), refresh))
        replaceChangedPart(document, text, *written);
}

void TForm1::SKR_EXT_L1() { WriteHeaderBlock(SKRIVO_EXT, true); }
void TForm1::SKR_INT_L1() { WriteHeaderBlock(SKRIVO_INT, false); }
void TForm1::SKR_UNI_L1() { WriteHeaderBlock(SKRIVO_POLYX, false); }

void TForm1::SKR_Renommer(Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        return;
    // The page shown counts, not the tab under the mouse.
    switch (PageControl_SCRIPTS->currentIndex()) {
    case 0:
        if (const std::optional<QString> label = platform::dialogs().input(
                "Renommer l'étiquette de la page 1", "SKR EXTERNE", ValueListEditor_EXT->PageLabel())) {
            SKRIVO_EXT->SetPageLabel(*label);
            WriteHeaderBlock(SKRIVO_EXT, false);
        }
        break;
    case 1:
        if (const std::optional<QString> label = platform::dialogs().input(
                "Renommer l'étiquette de la page 2", "SKR INTERNE", ValueListEditor_INT->PageLabel()))
            SKRIVO_INT->SetPageLabel(*label);
        break;
    default:
        break;
    }
}
