#pragma once
#include <QString>

#include <optional>

namespace polyx {

// The field code in a double-clicked word: without "{", "(", "}" and ")",
// then cut before the first ":" (a blank just before it goes with it).
// Nothing for an empty selection: the status bar and clipboard stay as
// they are. The code may be empty.
std::optional<QString> PickToken(const QString& selected);

enum class ScriptAid {
    Comment,    // SKR_COMMENT: "/* " + selection + " */"
    Tag,        // Baliser1: "{" + selection + "}"
    Assignment, // Insrer1: "@@_ := ", the selection dropped
};

// The text an aid puts in place of the selection (empty when nothing is
// selected).
QString ScriptAidInsertion(ScriptAid aid, const QString& selected);

} // namespace polyx
