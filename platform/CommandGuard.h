#pragma once
#include <functional>

namespace platform {

// Runs one command: any error it raises is shown in the standard error box
// and the window stays usable. Returns false when the command failed.
bool runGuarded(const std::function<void()>& command);

} // namespace platform
