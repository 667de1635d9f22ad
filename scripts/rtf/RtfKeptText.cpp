#include "scripts/rtf/RtfKeptText.h"

#include "scripts/rtf/CodePages.h"
#include "scripts/rtf/RtfTokenizer.h"
#include "scripts/rtf/RtfWriter.h"

#include <QSet>
#include <algorithm>

namespace polyx {

namespace {

// The place a kept group stands for, from its first control word.
QString placeOf(QByteArrayView word)
{
    if (word.startsWith("header"))
        return QStringLiteral("en-tête");
    if (word.startsWith("footer"))
        return QStringLiteral("pied de page");
    if (word == "footnote" || word == "chftn")
        return QStringLiteral("note");
    if (word.startsWith("atn") || word == "annotation" || word == "chatn")
        return QStringLiteral("commentaire");
    if (word == "shp" || word == "shprslt" || word == "do")
        return QStringLiteral("zone de texte");
    if (word == "field" || word == "fldinst")
        return QStringLiteral("champ");
    if (word.startsWith("bkmk"))
        return QStringLiteral("signet");
    return QStringLiteral("propriétés");
}

// Destinations whose text is data or names, not the letter's.
bool holdsData(QByteArrayView word)
{
    static const QSet<QByteArray> words{"pict", "objdata", "sn", "datafield", "themedata", "panose",
                                        "fonttbl", "colortbl", "stylesheet", "blipuid", "datastore",
                                        "fldtype", "bin", "passwordhash", "xmlnstbl", "atnid", "atndate",
                                        "atnref", "atnparent", "atrfstart", "atrfend", "bkmkstart",
                                        "bkmkend", "listtable", "listoverridetable", "rsidtbl"};
    return words.contains(word.toByteArray());
}

} // namespace

RtfKeptText::RtfKeptText(QByteArray source, int codePage) : m_source(std::move(source)), m_codePage(codePage)
{
    read();
}

void RtfKeptText::read()
{
    m_text.clear();
    m_chars.clear();
    m_places.clear();
    CodePageDecoder decoder;
    RtfTokenizer tokens(m_source);
    const char* const base = m_source.constData();
    // Per open group: whether its text is left out, and its \uc count.
    struct Level {
        bool data = false;
        int skip = 1;
        bool first = true; // no control word seen yet in it
    };
    std::vector<Level> levels;
    int group = -1;
    int fallback = 0;
    const auto lineBreak = [&] {
        if (!m_text.isEmpty() && !m_text.endsWith(u'\n')) {
            m_text += u'\n';
            m_chars.push_back({-1, -1, std::max(group, 0)});
        }
    };
    const auto add = [&](const QString& text, qsizetype start, qsizetype end) {
        if (levels.empty() || levels.back().data || text.isEmpty())
            return;
        // The first character owns the bytes; the others follow it with none.
        for (qsizetype i = 0; i < text.size(); ++i) {
            m_text += text[i];
            m_chars.push_back({i == 0 ? start : end, end, group});
        }
    };
    const auto extendLast = [&](qsizetype end) {
        if (!m_chars.empty() && m_chars.back().start >= 0)
            m_chars.back().end = end;
    };
    for (RtfToken t = tokens.next(); t.kind != RtfToken::End; t = tokens.next()) {
        const qsizetype after = tokens.position();
        if (fallback > 0) {
            if (t.kind == RtfToken::Text) {
                const qsizetype n = std::min<qsizetype>(fallback, t.data.size());
                fallback -= int(n);
                extendLast(t.data.data() - base + n);
                t.data = t.data.sliced(n);
                if (t.data.isEmpty())
                    continue;
            } else if (t.kind == RtfToken::Byte || t.kind == RtfToken::ControlSymbol) {
                --fallback;
                extendLast(after);
                continue;
            } else {
                fallback = 0;
            }
        }
        switch (t.kind) {
        case RtfToken::GroupStart:
            lineBreak();
            levels.push_back(levels.empty() ? Level{} : Level{levels.back().data, levels.back().skip, true});
            if (levels.size() == 1) {
                ++group;
                m_places.append(QString());
            }
            break;
        case RtfToken::GroupEnd:
            lineBreak();
            if (!levels.empty())
                levels.pop_back();
            break;
        case RtfToken::ControlWord: {
            if (levels.empty())
                break;
            Level& level = levels.back();
            if (levels.size() == 1 && m_places[group].isEmpty())
                m_places[group] = placeOf(t.data);
            if (level.first && holdsData(t.data))
                level.data = true;
            level.first = false;
            if (t.data == "uc") {
                level.skip = std::max(t.param, 0);
            } else if (t.data == "u" && t.hasParam) {
                const int code = t.param < 0 ? t.param + 65536 : t.param;
                add(code > 0 && code <= 0xFFFF ? QString(QChar(char16_t(code))) : QString(), t.data.data() - base - 1,
                    after);
                fallback = level.skip;
            } else if (t.data == "sn" || t.data == "pict") {
                level.data = true;
            } else {
                lineBreak();
            }
            break;
        }
        case RtfToken::ControlSymbol:
            if (t.symbol == '\\' || t.symbol == '{' || t.symbol == '}')
                add(QString(QChar(t.symbol)), after - 2, after);
            else if (t.symbol == '~')
                add(QString(QChar(0x00A0)), after - 2, after);
            else if (t.symbol != '*')
                lineBreak();
            break;
        case RtfToken::Byte: {
            const char c = char(t.byte);
            add(decoder.decode(m_codePage, QByteArrayView(&c, 1)), after - 4, after);
            break;
        }
        case RtfToken::Text: {
            const qsizetype start = t.data.data() - base;
            if (levels.empty() || levels.back().data)
                break;
            const QString decoded = decoder.decode(m_codePage, t.data);
            // A single-byte page gives one character a byte; others are kept whole.
            if (decoded.size() == t.data.size()) {
                for (qsizetype i = 0; i < decoded.size(); ++i) {
                    m_text += decoded[i];
                    m_chars.push_back({start + i, start + i + 1, group});
                }
            } else {
                add(decoded, start, start + t.data.size());
            }
            break;
        }
        case RtfToken::Binary: lineBreak(); break;
        case RtfToken::End: break;
        }
    }
}

QStringList RtfKeptText::replace(const QList<qsizetype>& positions, qsizetype length, const QString& replacement)
{
    QStringList places;
    if (length <= 0)
        return places;
    const QByteArray written = RtfWriter::escape(replacement, true);
    // The code's characters must all come from one stretch of text, and not
    // cut a sequence of characters that one \uN or one run decoded.
    const auto continues = [&](qsizetype i) {
        return i < qsizetype(m_chars.size()) && m_chars[std::size_t(i)].start >= 0
            && m_chars[std::size_t(i)].start == m_chars[std::size_t(i)].end;
    };
    QByteArray out;
    qsizetype copied = 0;
    for (const qsizetype at : positions) {
        const qsizetype last = at + length - 1;
        if (at < 0 || last >= qsizetype(m_chars.size()) || continues(at) || continues(last + 1))
            continue;
        bool whole = true;
        for (qsizetype i = at; i <= last && whole; ++i)
            whole = m_chars[std::size_t(i)].start >= 0;
        const qsizetype from = m_chars[std::size_t(at)].start;
        if (!whole || from < copied)
            continue;
        out += QByteArrayView(m_source).sliced(copied, from - copied);
        out += written;
        copied = m_chars[std::size_t(last)].end;
        places.append(m_places.value(m_chars[std::size_t(at)].group));
    }
    if (places.isEmpty())
        return places;
    out += QByteArrayView(m_source).sliced(copied);
    m_source = std::move(out);
    read();
    return places;
}

} // namespace polyx
