#pragma once
#include <QString>
#include <functional>
#include <optional>

namespace platform {

// Runs one command: any error it raises is shown in the standard error box
// and the window stays usable. Returns false when the command failed.
bool runGuarded(const std::function<void()>& command);

// Run by runGuarded before each command: what the window has to finish
// before it takes one. One for the whole run; an empty function removes it.
void setCommandPrelude(std::function<void()> prelude);

// Runs a command and gives the message of the error it raised, if any,
// without showing it.
std::optional<QString> failureOf(const std::function<void()>& command);

} // namespace platform
