#include "dictionaries/DictionaryLines.h"

#include "dictionaries/KeyCollation.h"
#include "platform/Error.h"

#include <QDir>

#include <algorithm>

namespace polyx {

namespace {

Error duplicateKey(const QString& key)
{
    return Error(QStringLiteral("Une clé nommée \"%1\" existe déjà").arg(key));
}

Error listIndexOutOfBounds(int index)
{
    return Error(QStringLiteral("Index de liste hors limites (%1)").arg(index));
}

Error gridIndexOutOfBounds()
{
    return Error(QStringLiteral("Indice de grille hors limites"));
}

QString sortValueOfLine(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    return equals < 0 ? QString() : line.mid(equals + 1);
}

QString wholeLine(const QString& line)
{
    return line;
}

} // namespace

DictionaryLines::DictionaryLines(QString keyTitle, QString valueTitle)
    : m_collator(KeyCollator()), m_keyTitle(std::move(keyTitle)), m_valueTitle(std::move(valueTitle))
{
}

QString DictionaryLines::KeyOfLine(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    return equals < 0 ? QString() : line.left(equals);
}

QString DictionaryLines::ValueOfLine(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    return equals < 0 ? line : line.mid(equals + 1);
}

void DictionaryLines::RequireKeyWithoutEquals(const QString& key)
{
    if (key.contains(u'='))
        throw Error(QStringLiteral("La clé ne doit pas contenir de signe égal (\"=\")"));
}

void DictionaryLines::SetPageLabel(const QString& label)
{
    if (label == m_pageLabel)
        return;
    m_pageLabel = label;
    if (m_listener)
        m_listener->pageLabelChanged();
}

QStringList DictionaryLines::Keys() const
{
    QStringList keys;
    keys.reserve(m_lines.size());
    for (const QString& line : m_lines)
        keys.append(KeyOfLine(line));
    return keys;
}

QString DictionaryLines::KeyAt(int row) const
{
    if (row == 0)
        return m_keyTitle;
    if (m_lines.isEmpty())
        return QString();
    requireLineIndex(row);
    return KeyOfLine(m_lines[row - 1]);
}

QString DictionaryLines::ValueAt(int row) const
{
    if (row == 0)
        return m_valueTitle;
    if (m_lines.isEmpty())
        return QString();
    requireLineIndex(row);
    return ValueOfLine(m_lines[row - 1]);
}

QString DictionaryLines::ValueOf(const QString& key) const
{
    const int index = rowOfKey(key);
    return index < 0 ? QString() : sortValueOfLine(m_lines[index]);
}

QString DictionaryLines::AllText() const
{
    QString text;
    for (const QString& line : m_lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

void DictionaryLines::SetValueOf(const QString& key, const QString& value, int currentRow)
{
    const QString line = key + u'=' + value;
    int index = rowOfKey(key);
    if (index < 0 && currentRow >= 1 && currentRow <= Count()) {
        const QString& current = m_lines[currentRow - 1];
        if (current.isEmpty() || current == QStringLiteral("="))
            index = currentRow - 1;
    }
    if (index < 0) {
        insertLine(Count(), line);
        return;
    }
    // The key given may itself hold "=", so the line's own key is checked.
    const QString lineKey = KeyOfLine(line);
    auto sortKey = sortKeyOfKey(lineKey);
    requireUnique(lineKey, sortKey, index);
    replaceLine(index, line, std::move(sortKey));
}

void DictionaryLines::SetKeyAt(int row, const QString& key)
{
    requireLineIndex(row);
    RequireKeyWithoutEquals(key);
    const int index = row - 1;
    auto sortKey = sortKeyOfKey(key);
    requireUnique(key, sortKey, index);
    replaceLine(index, key + u'=' + ValueOfLine(m_lines[index]), std::move(sortKey));
}

void DictionaryLines::SetValueAt(int row, const QString& value)
{
    requireLineIndex(row);
    const int index = row - 1;
    replaceLine(index, KeyOfLine(m_lines[index]) + u'=' + value, m_sortKeys[index]);
}

void DictionaryLines::AddLine(const QString& text)
{
    insertLine(Count(), text);
}

void DictionaryLines::InsertLine(int row, const QString& text)
{
    if (row < 1 || row > Count() + 1)
        throw listIndexOutOfBounds(row - 1);
    insertLine(row - 1, text);
}

void DictionaryLines::DeleteRow(int row)
{
    if (row < 1 || row > Count())
        throw gridIndexOutOfBounds();
    const int index = row - 1;
    if (m_listener)
        m_listener->lineAboutToBeRemoved(index);
    if (index < Count() - 1)
        m_indexStale = true; // later lines move up
    else if (!m_indexStale && m_sortKeys[index])
        m_index.erase(*m_sortKeys[index]);
    m_lines.removeAt(index);
    m_sortKeys.erase(m_sortKeys.begin() + index);
    if (m_listener)
        m_listener->lineRemoved(index);
}

void DictionaryLines::ClearLines()
{
    if (m_listener)
        m_listener->linesAboutToBeReset();
    m_lines.clear();
    m_sortKeys.clear();
    m_index.clear();
    m_indexStale = false;
    if (m_listener)
        m_listener->linesReset();
}

void DictionaryLines::SortByKey()
{
    sortBy(wholeLine);
}

void DictionaryLines::SortByValue()
{
    sortBy(sortValueOfLine);
}

void DictionaryLines::LoadFromFile(const QString& path)
{
    TextLines file;
    SortKeys sortKeys;
    KeyIndex index;
    // A load runs from many places (the restore, the file list, a drop):
    // the message says which file was refused.
    try {
        file = TextLinesFile::Read(path);
        sortKeys.reserve(file.lines.size());
        for (const QString& line : std::as_const(file.lines)) {
            const QString key = KeyOfLine(line);
            auto sortKey = sortKeyOfKey(key);
            if (sortKey && !index.emplace(*sortKey, int(sortKeys.size())).second)
                throw duplicateKey(key);
            sortKeys.push_back(std::move(sortKey));
        }
    } catch (const Error& error) {
        throw Error(QStringLiteral("Fichier \"%1\" :\r\n").arg(QDir::toNativeSeparators(path)) + error.message());
    }

    m_partlyRead.Remember(path, file);
    if (m_listener)
        m_listener->linesAboutToBeReset();
    m_lines = std::move(file.lines);
    m_sortKeys = std::move(sortKeys);
    m_index = std::move(index);
    m_indexStale = false;
    m_encoding = file.encoding;
    if (m_listener)
        m_listener->linesReset();
}

void DictionaryLines::SaveToFile(const QString& path)
{
    if (m_partlyRead.IsReplacedBy(path))
        throw Error(m_partlyRead.SkipMessage());
    m_encoding = TextLinesFile::Write(path, m_lines, m_encoding);
}

std::optional<QCollatorSortKey> DictionaryLines::sortKeyOfKey(const QString& key) const
{
    if (key.isEmpty())
        return std::nullopt;
    return m_collator.sortKey(key);
}

const DictionaryLines::KeyIndex& DictionaryLines::index() const
{
    if (m_indexStale) {
        m_index.clear();
        for (int i = 0; i < Count(); ++i) {
            if (m_sortKeys[i])
                m_index.emplace(*m_sortKeys[i], i);
        }
        m_indexStale = false;
    }
    return m_index;
}

int DictionaryLines::rowOfKey(const QString& key) const
{
    if (key.isEmpty()) {
        const auto found = std::find_if(m_lines.cbegin(), m_lines.cend(),
                                        [](const QString& line) { return line.startsWith(u'='); });
        return found == m_lines.cend() ? -1 : int(found - m_lines.cbegin());
    }
    const KeyIndex& keys = index();
    const auto found = keys.find(m_collator.sortKey(key));
    return found == keys.end() ? -1 : found->second;
}

void DictionaryLines::requireUnique(const QString& key,
                                    const std::optional<QCollatorSortKey>& sortKey,
                                    int exceptIndex) const
{
    if (!sortKey)
        return;
    const KeyIndex& keys = index();
    const auto found = keys.find(*sortKey);
    if (found != keys.end() && found->second != exceptIndex)
        throw duplicateKey(key);
}

void DictionaryLines::requireLineIndex(int row) const
{
    if (row < 1 || row > Count())
        throw listIndexOutOfBounds(row - 1);
}

void DictionaryLines::replaceLine(int index, const QString& line,
                                  std::optional<QCollatorSortKey> sortKey)
{
    if (!m_indexStale) {
        if (m_sortKeys[index])
            m_index.erase(*m_sortKeys[index]);
        if (sortKey)
            m_index.insert_or_assign(*sortKey, index);
    }
    m_lines[index] = line;
    m_sortKeys[index] = std::move(sortKey);
    if (m_listener)
        m_listener->lineChanged(index);
}

void DictionaryLines::insertLine(int index, const QString& text)
{
    const QString key = KeyOfLine(text);
    auto sortKey = sortKeyOfKey(key);
    requireUnique(key, sortKey, -1);
    if (m_listener)
        m_listener->lineAboutToBeInserted(index);
    if (index < Count())
        m_indexStale = true;
    else if (sortKey && !m_indexStale)
        m_index.emplace(*sortKey, index);
    m_lines.insert(index, text);
    m_sortKeys.insert(m_sortKeys.begin() + index, std::move(sortKey));
    if (m_listener)
        m_listener->lineInserted(index);
}

void DictionaryLines::sortBy(QString (*sortText)(const QString&))
{
    std::vector<QCollatorSortKey> keys;
    keys.reserve(m_lines.size());
    for (const QString& line : std::as_const(m_lines))
        keys.push_back(m_collator.sortKey(sortText(line)));
    const QList<int> order = StableKeyOrder(keys);

    QStringList lines;
    lines.reserve(m_lines.size());
    SortKeys sortKeys;
    sortKeys.reserve(m_lines.size());
    for (int i : order) {
        lines.append(m_lines[i]);
        sortKeys.push_back(m_sortKeys[i]);
    }
    if (m_listener)
        m_listener->linesAboutToBeReset();
    m_lines = std::move(lines);
    m_sortKeys = std::move(sortKeys);
    m_indexStale = true;
    if (m_listener)
        m_listener->linesReset();
}

} // namespace polyx
