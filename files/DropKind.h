#pragma once
#include <QString>

#include <optional>

namespace polyx {

// A kind of file the window takes when it is dropped on it.
struct DropKind {
    QString word; // names the kind in the confirmation
    int kindTab;  // the file panel's kind tab it turns to, -1 for none
};

// By the upper-cased extension; nothing for a kind the window refuses.
std::optional<DropKind> DropKindOf(const QString& path);

// The warning for a refused kind, and the confirmation for an accepted one;
// both name the file upper-cased.
QString RefusedDropText(const QString& path);
QString DropQuestion(const DropKind& kind, const QString& path);
// Asked before the copy of a dropped file replaces another file.
QString ReplaceByDropQuestion(const QString& target);

} // namespace polyx
