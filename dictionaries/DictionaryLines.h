#pragma once
#include "dictionaries/PartlyReadFile.h"
#include "dictionaries/TextLinesFile.h"

#include <QCollator>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace polyx {

// Told about every change of a DictionaryLines, so that a view can follow.
// Lines are numbered from 0 here (grid row minus one).
class DictionaryLinesListener {
public:
    virtual void linesAboutToBeReset() = 0;
    virtual void linesReset() = 0;
    virtual void lineAboutToBeInserted(int index) = 0;
    virtual void lineInserted(int index) = 0;
    virtual void lineAboutToBeRemoved(int index) = 0;
    virtual void lineRemoved(int index) = 0;
    virtual void lineChanged(int index) = 0;
    virtual void pageLabelChanged() = 0;

protected:
    ~DictionaryLinesListener() = default;
};

// The ordered key=value lines of one dictionary page, with its page label
// and the encoding remembered from the last load. Rows are grid rows: row 0
// is the title row, line i (from 1) is row i. Non-empty keys are unique
// under KeyCollator(); every refused change throws polyx::Error and leaves
// the lines as they were.
class DictionaryLines {
public:
    explicit DictionaryLines(QString keyTitle = QStringLiteral("Clé"),
                             QString valueTitle = QStringLiteral("Valeur"));
    DictionaryLines(const DictionaryLines&) = delete;
    DictionaryLines& operator=(const DictionaryLines&) = delete;

    // Text before the first "=" (empty when there is none) and the value
    // the grid shows (the whole line when it has no "=").
    static QString KeyOfLine(const QString& line);
    static QString ValueOfLine(const QString& line);
    // Throws "La clé ne doit pas contenir de signe égal ..." for a typed key.
    static void RequireKeyWithoutEquals(const QString& key);

    QString PageLabel() const { return m_pageLabel; }
    void SetPageLabel(const QString& label);
    QString KeyTitle() const { return m_keyTitle; }
    QString ValueTitle() const { return m_valueTitle; }
    TextEncoding Encoding() const { return m_encoding; }

    int Count() const { return int(m_lines.size()); }
    const QStringList& Lines() const { return m_lines; }
    QStringList Keys() const;

    // Row 0 gives the column title; rows of an empty pane give "".
    QString KeyAt(int row) const;
    QString ValueAt(int row) const;
    // The value of the first line holding "=" whose key equals `key`.
    QString ValueOf(const QString& key) const;
    // Every line followed by CR LF.
    QString AllText() const;

    // `currentRow` is the grid's current row: a blank line there takes the
    // key and value when no line has the key.
    void SetValueOf(const QString& key, const QString& value, int currentRow = 0);
    // Keeps the value shown in that row; refuses a key holding "=".
    void SetKeyAt(int row, const QString& key);
    void SetValueAt(int row, const QString& value);
    void AddLine(const QString& text);
    // Inserts before `row`; row Count() + 1 appends.
    void InsertLine(int row, const QString& text);
    void DeleteRow(int row);
    void ClearLines();
    void SortByKey();
    void SortByValue();

    // All or nothing: an unreadable file or a repeated key throws and leaves
    // lines and encoding as they were.
    void LoadFromFile(const QString& path);
    // Refuses, with PartlyRead().SkipMessage(), to replace the file last
    // read only in part until PartlyRead() is released.
    void SaveToFile(const QString& path);
    PartlyReadFile& PartlyRead() { return m_partlyRead; }

    // At most one; the listener must detach before it is destroyed.
    void SetListener(DictionaryLinesListener* listener) { m_listener = listener; }

private:
    struct SortKeyLess {
        bool operator()(const QCollatorSortKey& a, const QCollatorSortKey& b) const
        {
            return a.compare(b) < 0;
        }
    };
    using KeyIndex = std::map<QCollatorSortKey, int, SortKeyLess>;
    using SortKeys = std::vector<std::optional<QCollatorSortKey>>;

    std::optional<QCollatorSortKey> sortKeyOfKey(const QString& key) const;
    const KeyIndex& index() const;
    int rowOfKey(const QString& key) const;
    void requireUnique(const QString& key, const std::optional<QCollatorSortKey>& sortKey,
                       int exceptIndex) const;
    void requireLineIndex(int row) const;
    void replaceLine(int index, const QString& line, std::optional<QCollatorSortKey> sortKey);
    void insertLine(int index, const QString& text);
    void sortBy(QString (*sortText)(const QString&));

    QCollator m_collator;
    QString m_keyTitle;
    QString m_valueTitle;
    QString m_pageLabel;
    QStringList m_lines;
    SortKeys m_sortKeys; // one per line, none for an empty key
    mutable KeyIndex m_index; // sort key to line index, rebuilt when lines move
    mutable bool m_indexStale = false;
    TextEncoding m_encoding = TextEncoding::Ansi;
    PartlyReadFile m_partlyRead;
    DictionaryLinesListener* m_listener = nullptr;
};

} // namespace polyx
