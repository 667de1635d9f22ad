#include "platform/CommandGuard.h"

#include "platform/Error.h"
#include "platform/Services.h"

namespace platform {

bool runGuarded(const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const polyx::Error& error) {
        dialogs().errorBox(error.message());
    } catch (const std::exception& error) {
        dialogs().errorBox(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

} // namespace platform
