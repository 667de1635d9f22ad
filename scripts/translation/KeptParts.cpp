#include "scripts/translation/KeptParts.h"

#include "scripts/rtf/RtfFormats.h"
#include "scripts/translation/SearchableText.h"

#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>

namespace polyx {

KeptParts::KeptParts(const QTextDocument& document)
{
    const QTextFrameFormat root = document.rootFrame()->frameFormat();
    const int codePage = root.hasProperty(rtf::kKeptCodePage) ? root.intProperty(rtf::kKeptCodePage) : 1252;
    if (root.hasProperty(rtf::kKeptDocument))
        m_parts.push_back({Where::Document, 0, RtfKeptText(root.property(rtf::kKeptDocument).toByteArray(), codePage)});
    QSet<int> seenFormats, seenBlockFormats, seenKept, seenFields;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!seenBlockFormats.contains(block.blockFormatIndex())) {
            seenBlockFormats.insert(block.blockFormatIndex());
            const QTextBlockFormat f = block.blockFormat();
            if (f.hasProperty(rtf::kKeptAtEnd) && !seenKept.contains(-f.intProperty(rtf::kKeptEndId))) {
                seenKept.insert(-f.intProperty(rtf::kKeptEndId));
                m_parts.push_back({Where::Paragraph, f.intProperty(rtf::kKeptEndId),
                                   RtfKeptText(f.property(rtf::kKeptAtEnd).toByteArray(), codePage)});
            }
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || seenFormats.contains(fragment.charFormatIndex()))
                continue;
            seenFormats.insert(fragment.charFormatIndex());
            const QTextCharFormat f = fragment.charFormat();
            if (f.hasProperty(rtf::kKeptBefore) && !seenKept.contains(f.intProperty(rtf::kKeptId))) {
                seenKept.insert(f.intProperty(rtf::kKeptId));
                m_parts.push_back({Where::Character, f.intProperty(rtf::kKeptId),
                                   RtfKeptText(f.property(rtf::kKeptBefore).toByteArray(), codePage)});
            }
            if (f.hasProperty(rtf::kFieldInstruction) && !seenFields.contains(f.intProperty(rtf::kFieldId))) {
                seenFields.insert(f.intProperty(rtf::kFieldId));
                m_parts.push_back({Where::Field, f.intProperty(rtf::kFieldId),
                                   RtfKeptText(f.property(rtf::kFieldInstruction).toByteArray(), codePage)});
            }
        }
    }
}

bool KeptParts::containsExactly(const QString& code) const
{
    for (const Part& part : m_parts)
        if (part.text.text().contains(code))
            return true;
    return false;
}

QStringList KeptParts::replaceAll(const QString& code, const QString& replacement, QTextCursor& cursor)
{
    QStringList places;
    for (Part& part : m_parts) {
        // The pane's own rules find the occurrences; most parts hold none.
        if (!part.text.text().contains(code, Qt::CaseInsensitive))
            continue;
        const QList<qsizetype> positions = SearchableText(part.text.text()).occurrencesIgnoringCase(code);
        const QStringList replaced = part.text.replace(positions, code.size(), replacement);
        if (replaced.isEmpty())
            continue;
        places += replaced;
        writeBack(part, cursor);
    }
    return places;
}

// Every run or paragraph that holds the part takes its new source.
void KeptParts::writeBack(const Part& part, QTextCursor& cursor)
{
    QTextDocument* document = cursor.document();
    if (part.where == Where::Document) {
        QTextFrameFormat root = document->rootFrame()->frameFormat();
        root.setProperty(rtf::kKeptDocument, part.text.source());
        document->rootFrame()->setFrameFormat(root);
        return;
    }
    const int idProperty = part.where == Where::Character ? rtf::kKeptId
        : part.where == Where::Field                      ? rtf::kFieldId
                                                          : rtf::kKeptEndId;
    const int sourceProperty = part.where == Where::Character ? rtf::kKeptBefore
        : part.where == Where::Field                          ? rtf::kFieldInstruction
                                                              : rtf::kKeptAtEnd;
    // The places first: changing a format merges and splits fragments.
    std::vector<std::pair<int, int>> ranges;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (part.where == Where::Paragraph) {
            const QTextBlockFormat f = block.blockFormat();
            if (f.hasProperty(sourceProperty) && f.intProperty(idProperty) == part.id)
                ranges.emplace_back(block.position(), -1);
            continue;
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat f = fragment.charFormat();
            if (f.hasProperty(sourceProperty) && f.intProperty(idProperty) == part.id)
                ranges.emplace_back(fragment.position(), fragment.position() + fragment.length());
        }
    }
    for (const auto& [start, end] : ranges) {
        cursor.setPosition(start);
        if (end < 0) {
            QTextBlockFormat change;
            change.setProperty(sourceProperty, part.text.source());
            cursor.mergeBlockFormat(change);
        } else {
            QTextCharFormat change;
            change.setProperty(sourceProperty, part.text.source());
            cursor.setPosition(end, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(change);
        }
    }
}

QString KeptParts::text() const
{
    QStringList texts;
    for (const Part& part : m_parts)
        texts << part.text.text();
    return texts.join(u'\n');
}

} // namespace polyx
