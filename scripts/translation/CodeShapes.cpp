#include "scripts/translation/CodeShapes.h"

#include <algorithm>

namespace polyx {
namespace {

bool IsSign(QChar c)
{
    return !c.isLetterOrNumber() && !c.isSpace();
}

bool IsLineBreak(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case QChar::ParagraphSeparator:
    case QChar::LineSeparator:
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<CodeShape> ShapeOf(const QString& code)
{
    qsizetype open = 0;
    while (open < code.size() && IsSign(code.at(open)))
        ++open;
    qsizetype close = code.size();
    while (close > open && IsSign(code.at(close - 1)))
        --close;
    if (open == 0 || close == code.size() || open >= close)
        return std::nullopt;
    return CodeShape{code.left(open), code.mid(close)};
}

CodeShapes::CodeShapes(const QStringList& codes)
    : m_openingStarts(std::make_unique<std::bitset<0x10000>>())
{
    for (const QString& code : codes) {
        const std::optional<CodeShape> shape = ShapeOf(code);
        if (shape && !m_shapes.contains(*shape)) {
            m_shapes.append(*shape);
            m_openingStarts->set(shape->opening.front().unicode());
        }
    }
    std::stable_sort(m_shapes.begin(), m_shapes.end(), [](const CodeShape& a, const CodeShape& b) {
        return a.opening.size() > b.opening.size();
    });
}

std::optional<CodeShapes::Token> CodeShapes::tokenAt(QStringView text, qsizetype at, qsizetype to) const
{
    if (at >= to || !m_openingStarts->test(text.at(at).unicode()))
        return std::nullopt;
    const qsizetype limit = std::min(to, at + TokenLimit);
    const QStringView rest = text.sliced(at, limit - at);
    // The longest opening found here decides; shapes sharing it compete
    // for the nearest closing.
    qsizetype opening = 0;
    for (const CodeShape& shape : m_shapes) {
        if (opening > 0 && shape.opening.size() < opening)
            break;
        if (opening == 0 && rest.startsWith(shape.opening))
            opening = shape.opening.size();
    }
    if (opening == 0)
        return std::nullopt;
    for (qsizetype end = opening; end < rest.size(); ++end) {
        if (IsLineBreak(rest.at(end)))
            return std::nullopt;
        qsizetype closing = 0;
        for (const CodeShape& shape : m_shapes) {
            if (shape.opening.size() != opening || !rest.startsWith(shape.opening))
                continue;
            if (shape.closing.size() > closing && rest.sliced(end).startsWith(shape.closing))
                closing = shape.closing.size();
        }
        if (closing > 0)
            return Token{at, end + closing};
    }
    return std::nullopt;
}

QList<CodeShapes::Token> CodeShapes::tokens(QStringView text, qsizetype from, qsizetype to) const
{
    QList<Token> found;
    if (isEmpty())
        return found;
    for (qsizetype at = from; at < to;) {
        if (const auto token = tokenAt(text, at, to)) {
            found.append(*token);
            at += token->length;
        } else {
            ++at;
        }
    }
    return found;
}

} // namespace polyx
