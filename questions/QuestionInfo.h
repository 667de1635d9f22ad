#pragma once
#include <QString>
#include <QStringList>

#include <optional>

namespace polyx {

// Where the information file of a question lives: `folder` + "/@" + name +
// ".TXT". Without an entry, path and name are both empty.
struct QuestionInfoFile {
    QString path;
    QString name;
};
QuestionInfoFile LocateQuestionInfo(const QString& folder, const std::optional<QString>& entry);

// The 16 lines a new information file starts with.
QStringList QuestionInfoTemplate(const QString& name);

} // namespace polyx
