#include "config/IniDocument.h"

namespace config {
namespace {

constexpr qsizetype MaxValueLength = 2047;

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<QString> sectionName(const QString& line)
{
    const QString trimmed = line.trimmed();
    const qsizetype close = trimmed.indexOf(u']');
    if (!trimmed.startsWith(u'[') || close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

bool isComment(const QString& line)
{
    return line.trimmed().startsWith(u';');
}

QString readerValue(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && value.front() == value.back()
        && (value.front() == u'"' || value.front() == u'\''))
        value = value.mid(1, value.size() - 2);
    return value.left(MaxValueLength);
}

} // namespace

IniDocument::IniDocument(const QByteArray& bytes)
{
    int width = 1;
    if (bytes.startsWith("\xFF\xFE")) {
        m_encoding = Encoding::Utf16LE;
        width = 2;
    } else if (bytes.startsWith("\xFE\xFF")) {
        m_encoding = Encoding::Utf16BE;
        width = 2;
    }
    if (width == 2)
        m_mark = bytes.left(2);
    else if (bytes.startsWith("\xEF\xBB\xBF"))
        m_mark = bytes.left(3);

    // A dangling half of a UTF-16 unit is no character: it is dropped.
    const qsizetype units = (bytes.size() - m_mark.size()) / width;
    const auto unitAt = [&](qsizetype i) -> char16_t {
        const qsizetype at = m_mark.size() + i * width;
        const auto byte = [&](qsizetype k) { return char16_t(uchar(bytes[at + k])); };
        if (width == 1)
            return byte(0);
        return m_encoding == Encoding::Utf16LE ? char16_t(byte(0) | byte(1) << 8)
                                               : char16_t(byte(0) << 8 | byte(1));
    };
    const auto decode = [&](qsizetype from, qsizetype to) {
        if (width == 1)
            return QString::fromUtf8(bytes.constData() + m_mark.size() + from, to - from);
        QString text(to - from, Qt::Uninitialized);
        for (qsizetype i = from; i < to; ++i)
            text[i - from] = QChar(unitAt(i));
        return text;
    };

    bool eolSeen = false;
    qsizetype start = 0;
    while (start < units) {
        qsizetype end = start;
        while (end < units && unitAt(end) != u'\n' && unitAt(end) != u'\r')
            ++end;
        qsizetype next = end;
        if (next < units)
            next += (unitAt(next) == u'\r' && next + 1 < units && unitAt(next + 1) == u'\n') ? 2 : 1;
        Line line;
        line.content = bytes.mid(m_mark.size() + start * width, (end - start) * width);
        line.end = bytes.mid(m_mark.size() + end * width, (next - end) * width);
        line.text = decode(start, end);
        if (!line.end.isEmpty() && !eolSeen) {
            m_eol = decode(end, next);
            eolSeen = true;
        }
        m_lines.append(line);
        start = next;
    }
}

qsizetype IniDocument::sectionLine(const QString& section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines[i].text);
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype IniDocument::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < m_lines.size() && !sectionName(m_lines[i].text))
        ++i;
    return i;
}

qsizetype IniDocument::keyLine(qsizetype header, const QString& key) const
{
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const QString& text = m_lines[i].text;
        const qsizetype equals = text.indexOf(u'=');
        if (equals >= 0 && !isComment(text) && sameName(text.left(equals).trimmed(), key))
            return i;
    }
    return -1;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const qsizetype header = sectionLine(section);
    if (header < 0)
        return std::nullopt;
    const qsizetype line = keyLine(header, key);
    if (line < 0)
        return std::nullopt;
    const QString& text = m_lines[line].text;
    return readerValue(text.mid(text.indexOf(u'=') + 1));
}

QByteArray IniDocument::encode(const QString& text) const
{
    if (m_encoding == Encoding::Utf8)
        return text.toUtf8();
    QByteArray out;
    out.reserve(text.size() * 2);
    for (const QChar c : text) {
        const char low = char(c.unicode() & 0xFF);
        const char high = char(c.unicode() >> 8);
        if (m_encoding == Encoding::Utf16LE)
            out.append(low).append(high);
        else
            out.append(high).append(low);
    }
    return out;
}

IniDocument::Line IniDocument::makeLine(const QString& text) const
{
    return Line{encode(text), encode(m_eol), text};
}

void IniDocument::endLine(qsizetype index)
{
    Line& line = m_lines[index];
    if (line.end.isEmpty())
        line.end = encode(m_eol);
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    // A line break inside the value would start a line of its own.
    QString flat = value;
    flat.replace(u'\r', u' ').replace(u'\n', u' ');

    const qsizetype header = sectionLine(section);
    if (header < 0) {
        if (!m_lines.isEmpty())
            endLine(m_lines.size() - 1);
        m_lines.append(makeLine(u'[' + section + u']'));
        m_lines.append(makeLine(key + u'=' + flat));
        return;
    }

    const qsizetype existing = keyLine(header, key);
    if (existing >= 0) {
        Line& line = m_lines[existing];
        const QString storedKey = line.text.left(line.text.indexOf(u'=')).trimmed();
        line.text = storedKey + u'=' + flat;
        line.content = encode(line.text);
        return;
    }

    // After the section's last non-blank line, so blank separators stay put.
    qsizetype last = sectionEnd(header) - 1;
    while (last > header && m_lines[last].text.trimmed().isEmpty())
        --last;
    endLine(last);
    m_lines.insert(last + 1, makeLine(key + u'=' + flat));
}

QByteArray IniDocument::bytes() const
{
    QByteArray out = m_mark;
    for (const Line& line : m_lines)
        out += line.content + line.end;
    return out;
}

} // namespace config
