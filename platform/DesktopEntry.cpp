#include "platform/DesktopEntry.h"

#include <utility>

namespace platform {
namespace {

// The string escapes of desktop entry values: \s \n \t \r \\.
QString unescapedValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        switch (value[++i].unicode()) {
        case 's': out += u' '; break;
        case 'n': out += u'\n'; break;
        case 't': out += u'\t'; break;
        case 'r': out += u'\r'; break;
        default: out += value[i]; break;
        }
    }
    return out;
}

// Words of the Exec line, each with whether it was quoted: field codes are
// only expanded outside quotes.
struct Word {
    QString text;
    bool quoted = false;
};

QList<Word> execWords(const QString& exec)
{
    QList<Word> words;
    Word word;
    bool inWord = false;
    bool inQuotes = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (inQuotes) {
            if (c == u'"')
                inQuotes = false;
            else if (c == u'\\' && i + 1 < exec.size())
                word.text += exec[++i];
            else
                word.text += c;
        } else if (c == u' ' || c == u'\t' || c == u'\n') {
            if (inWord)
                words.append(std::exchange(word, Word{}));
            inWord = false;
        } else {
            inWord = true;
            if (c == u'"') {
                inQuotes = true;
                word.quoted = true;
            } else {
                word.text += c;
            }
        }
    }
    if (inWord)
        words.append(word);
    return words;
}

} // namespace

std::optional<DesktopEntry> parseDesktopEntry(const QByteArray& text, const QString& file)
{
    DesktopEntry entry{file, QString(), false};
    bool inGroup = false;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'[')) {
            inGroup = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        const qsizetype equal = line.indexOf(u'=');
        if (!inGroup || line.startsWith(u'#') || equal < 0)
            continue;
        const QString key = line.left(equal).trimmed();
        const QString value = line.mid(equal + 1).trimmed();
        if (key == QStringLiteral("Exec"))
            entry.exec = unescapedValue(value);
        else if (key == QStringLiteral("Terminal"))
            entry.terminal = value == QStringLiteral("true");
    }
    if (entry.exec.isEmpty())
        return std::nullopt;
    return entry;
}

QStringList execArguments(const DesktopEntry& entry, const QString& path)
{
    QStringList arguments;
    bool fileGiven = false;
    for (const Word& word : execWords(entry.exec)) {
        if (word.quoted) {
            arguments.append(word.text);
            continue;
        }
        QString expanded;
        bool dropped = false;
        for (qsizetype i = 0; i < word.text.size(); ++i) {
            const QChar c = word.text[i];
            if (c != u'%' || i + 1 == word.text.size()) {
                expanded += c;
                continue;
            }
            const QChar code = word.text[++i];
            if (QStringLiteral("fFuU").contains(code)) {
                expanded += path;
                fileGiven = true;
            } else if (code == u'k') {
                expanded += entry.file;
            } else if (code == u'%') {
                expanded += u'%';
            } else {
                dropped = true;
            }
        }
        // A word that was only a dropped code (%i, %c...) leaves no empty argument.
        if (!(dropped && expanded.isEmpty()))
            arguments.append(expanded);
    }
    if (!arguments.isEmpty() && !fileGiven)
        arguments.append(path);
    return arguments;
}

} // namespace platform
