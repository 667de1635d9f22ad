#include "platform/CommandGuard.h"

#include "platform/Error.h"
#include "platform/Services.h"

namespace platform {
namespace {
std::function<void()>& commandPrelude()
{
    static std::function<void()> prelude;
    return prelude;
}
} // namespace

void setCommandPrelude(std::function<void()> prelude) { commandPrelude() = std::move(prelude); }

std::optional<QString> failureOf(const std::function<void()>& command)
{
    try {
        command();
        return std::nullopt;
    } catch (const polyx::Error& error) {
        return error.message();
    } catch (const std::exception& error) {
        return QString::fromLocal8Bit(error.what());
    }
}

bool runGuarded(const std::function<void()>& command)
{
    if (const std::function<void()>& prelude = commandPrelude())
        prelude();
    const std::optional<QString> failure = failureOf(command);
    if (failure)
        dialogs().errorBox(*failure);
    return !failure;
}

} // namespace platform
