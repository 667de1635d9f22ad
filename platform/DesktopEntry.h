#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

// What starting a freedesktop desktop entry (a ".desktop" file) needs.
struct DesktopEntry {
    QString file;    // where the entry was read from
    QString exec;    // its Exec line, string escapes undone
    bool terminal = false;
};

// The group "[Desktop Entry]" of a desktop file's text; nothing when it has
// no Exec line.
std::optional<DesktopEntry> parseDesktopEntry(const QByteArray& text, const QString& file);

// The Exec line split into a program and its arguments by the desktop
// entry rules (blanks separate, double quotes group, backslash escapes
// inside quotes), `path` standing for %f, %F, %u and %U, the entry's file
// for %k, "%" for %%, the other field codes dropped. A line without a file
// code gets `path` at its end. Empty when the line holds no program.
QStringList execArguments(const DesktopEntry& entry, const QString& path);

} // namespace platform
