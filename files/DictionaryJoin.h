#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace polyx {

// The lines of one "_" dictionary made of several dictionary files, given
// in the list's order: their header lines dropped, the author line of the
// last file that begins with one (an empty line when none does), a global
// title and code; sorted as SortByKey sorts, each line kept once.
QStringList JoinDictionaries(const QList<QStringList>& files);

// The name the join is written under: "_" in front unless there already,
// letters a to z upper-cased. Only the name of `chosenPath` counts.
QString JoinedFileName(const QString& chosenPath);

QString JoinQuestion(int count);
// Asked before the join replaces an existing file.
QString ReplaceByJoinQuestion(const QString& target);

} // namespace polyx
