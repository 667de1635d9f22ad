#pragma once
#include "platform/DesktopEntry.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace platform {

// One program to start and its arguments, handed over as a list: no shell.
struct ProgramCall {
    QString program;
    QStringList arguments;
    bool operator==(const ProgramCall&) const = default;
};

// Finds a program on PATH by name; an empty result when it is missing.
using ProgramLookup = std::function<QString(const QString& name)>;

// The graphical plain-text editors tried, in order, when the desktop names
// no usable default one.
QStringList textEditorCandidates();

// Windows programs (".EXE", any case) are started through Wine, other
// executable files themselves; folders and other files go to the desktop's
// opener (xdg-open). Throws polyx::Error when Wine is needed but missing.
ProgramCall openCall(const QString& path, const ProgramLookup& lookup);
// The text editor for `path`: the desktop's default entry for text/plain
// (through `gio launch` when there is gio, else its Exec line; an entry that
// runs in a terminal through x-terminal-emulator, or passed over without
// one), else the first candidate editor found by `lookup`; nothing when
// there is none.
std::optional<ProgramCall> textEditorCall(const QString& path, const std::optional<DesktopEntry>& desktopDefault,
                                          const ProgramLookup& lookup);
ProgramCall folderCall(const QString& folder);

} // namespace platform
