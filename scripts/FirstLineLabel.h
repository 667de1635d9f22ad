#pragma once
#include <QString>

#include <optional>

namespace polyx {

enum class ScriptSide { External, Internal };

// The label a reloaded script gives itself on its first line. The line
// counts only when it starts with "/* |"; the label runs from the first "|"
// to the first "^" (external) or the first " - " (internal), and is empty
// when that end mark is missing. Nothing when the line does not count.
std::optional<QString> FirstLineLabel(const QString& firstLine, ScriptSide side);

} // namespace polyx
