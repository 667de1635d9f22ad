#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace polyx {

struct JoinedDictionary {
    QStringList lines;
    // Keys that came with several values, as their kept line writes them.
    QStringList repeatedKeys;
};

// The lines of one "_" dictionary made of several dictionary files, given
// in the list's order: their header lines dropped, the author line of the
// last file that begins with one (an empty line when none does), a global
// title and code; sorted as SortByKey sorts, each line kept once, and one
// line per key as the dictionary compares keys (the first in that order),
// so that the result can always be loaded.
JoinedDictionary JoinDictionaries(const QList<QStringList>& files);

// Told once the join is written when it kept only one of several values.
QString RepeatedKeysText(const QStringList& keys);

// The name the join is written under: "_" in front unless there already,
// letters a to z upper-cased. Only the name of `chosenPath` counts.
QString JoinedFileName(const QString& chosenPath);

QString JoinQuestion(int count);
// Asked before the join replaces an existing file.
QString ReplaceByJoinQuestion(const QString& target);

} // namespace polyx
