#pragma once
#include <QString>

namespace polyx {

// Where OpenFileByKind puts a file.
enum class OpenTarget {
    Nothing,
    ExternalDictionary,
    InternalDictionary,
    SanvorDictionary, // after its confirmation
    QuestionList,     // after its confirmation
    ExternalScript,
    InternalScript,
    UniversalScript,
    RichTextLetter, // the external script pane, read as rich text
};

// The pages of the dictionary page set.
enum DictionaryPage { ExternalPage = 0, InternalPage = 1, FusionPage = 2, SanvorPage = 3 };

struct OpenRoute {
    OpenTarget target = OpenTarget::Nothing;
    // The target's page comes to the front before the load rather than
    // after it (which matters when the load fails).
    bool pageFirst = true;
    bool operator==(const OpenRoute&) const = default;
};

// By the extension and the words of the upper-cased path; a dictionary
// whose path names no side goes to the page selected now.
OpenRoute RouteFile(const QString& path, int dictionaryPage);

// The question asked before a file replaces the question list or the
// Sanvor dictionary (`target` is one of those two).
QString ReplaceQuestion(OpenTarget target, int currentCount, const QString& label, int loadedCount);

} // namespace polyx
