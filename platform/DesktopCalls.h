#pragma once
#include <QString>
#include <QStringList>
#include <functional>

namespace platform {

// One program to start and its arguments, handed over as a list: no shell.
struct ProgramCall {
    QString program;
    QStringList arguments;
    bool operator==(const ProgramCall&) const = default;
};

// Finds a program on PATH by name; an empty result when it is missing.
using ProgramLookup = std::function<QString(const QString& name)>;

// The plain-text editors tried, in order, for the system's text editor.
QStringList textEditorCandidates();

// Executable files are started themselves, folders and other files go to the
// desktop's opener (xdg-open).
ProgramCall openCall(const QString& path);
// The first text editor found by `lookup`, or xdg-open when there is none.
ProgramCall textEditorCall(const QString& path, const ProgramLookup& lookup);
ProgramCall folderCall(const QString& folder);

} // namespace platform
