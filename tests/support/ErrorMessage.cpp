#include "ErrorMessage.h"

#include "platform/Error.h"

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const polyx::Error& error) {
        return error.message();
    }
    return QString();
}
