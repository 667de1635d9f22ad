#pragma once
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace polyx {

// One dictionary line as a translation reads it, in grid order: the row's
// key (KeyAt) and the value the dictionary gives for that key (ValueOf).
using DictionaryEntry = std::pair<QString, QString>;
using DictionaryEntries = QList<DictionaryEntry>;

// What one replace-all did: where the code stood, in the text as it was
// before the call, and how many characters each inserted text takes in the
// target (a document may store line breaks otherwise than written); and
// the places of those in the parts the pane keeps but does not show
// ("en-tête", "note"...), one per occurrence.
struct Replaced {
    QList<qsizetype> positions;
    qsizetype insertedLength = 0;
    QStringList keptPlaces;
};

// The script a translation rewrites, as it stands after the replacements
// made so far.
class TranslationTarget {
public:
    // Whether `code` stands in the text with this exact letter case.
    virtual bool ContainsExactly(const QString& code) const = 0;
    // Every occurrence of `code` in any letter case, left to right; the
    // search resumes after each inserted replacement.
    virtual Replaced ReplaceAll(const QString& code, const QString& replacement) = 0;

protected:
    ~TranslationTarget() = default;
};

// What a run tells the user in its balloon. The balloon itself cuts the
// title and the text to its limits.
struct TranslationReport {
    int count = 0;    // entries applied, each once however many occurrences
    QString lines;    // "key => value\r\n" for each of the first 19 applied
    QString balloonTitle;
    QString balloonText;
};

inline constexpr int ReportedEntriesLimit = 19;

// Told of every usable entry a run walks, in its order: the code searched,
// the text put in its place, and what the replace-all did (null when the
// entry was not applied). Only observes: the run goes on the same.
class TranslationObserver {
public:
    virtual void Walked(const QString& code, const QString& replacement, const Replaced* replaced) = 0;

protected:
    ~TranslationObserver() = default;
};

// Non-empty key whose second character is not "_", and a non-empty value.
bool IsUsableEntry(const QString& key, const QString& value);

// FUSION_EXT_INT once the external script is in the target: every fusion
// row but the header rows (from 1: the author and title pairs; rows 1 and 2
// for a fusion read from a file, which tells nothing of them); an entry is
// applied when its key occurs with its exact letter case in the target's
// current text, and then every occurrence of the key becomes the value.
TranslationReport TranslateIntoInternal(const DictionaryEntries& fusion,
                                        TranslationTarget& target,
                                        TranslationObserver* observer = nullptr,
                                        const QList<int>& headerRows = {1, 2});

// FUSION_POLYX once the external script is in the target: every external
// row; an entry is applied when its value occurs with its exact letter case
// in `externalText` (the untouched source, not the target), and then every
// occurrence of the value in the target becomes the key.
TranslationReport TranslateIntoUniversal(const DictionaryEntries& external,
                                         const QString& externalText,
                                         TranslationTarget& target,
                                         TranslationObserver* observer = nullptr);

// Message boxes for an empty external script.
QString EmptySourceMessageForInternal();
QString EmptySourceMessageForUniversal();

} // namespace polyx
